#pragma once
// The shop goods totals workbook, built from the pivot's export. The sheet holds, from the
// left: the header columns of the rows (货号, 颜色, 上柜日期, 到货天数; or 类别 alone by
// category); per shop, in the pivot's column order, four type blocks "1进", "2销", "3退", "4存",
// each made of one column per size then "合计", "占比", "动销率", "比例"; then the same four
// blocks once more with the totals over all shops, headed "总进销存". Row 1 holds the shop
// names, row 2 the types, row 3 the size and measure names and the header captions; the data
// starts in row 4 and the pivot's grand total is the last row.
//
// The arithmetic runs on the sheet's texts, copied into a text matrix (StringGrid1 of the
// window), and the finished matrix goes back into the sheet in one pass.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace morvane::workbook {
class Sheet;
class Workbook;
}  // namespace morvane::workbook

namespace morvane::shopgoods {

inline const QStringList kTypes = {QStringLiteral("1进"), QStringLiteral("2销"),
                                   QStringLiteral("3退"), QStringLiteral("4存")};
inline const QStringList kMeasures = {QStringLiteral("合计"), QStringLiteral("占比"),
                                      QStringLiteral("动销率"), QStringLiteral("比例")};

// Where the blocks lie; columns are 0-based.
struct TShopGoodsLayout {
    int headerColumns = 0;      // the pivot's row fields
    int sizeCount = 0;          // size columns of each type block
    int firstTotalsColumn = 0;  // right after the pivot's columns
    int shopCount = 0;          // the shops chosen (and allowed to the user)

    int blockWidth() const { return sizeCount + kMeasures.size(); }
    int groupWidth() const { return int(kTypes.size()) * blockWidth(); }
    int lastTotalsColumn() const { return firstTotalsColumn + groupWidth() - 1; }
};

// The scratch matrix of texts, cells addressed by column and row from 0.
class TStringGrid {
  public:
    int ColCount() const { return columns_; }
    int RowCount() const { return int(cells_.size()); }
    void SetSize(int columns, int rows);
    // "" outside the matrix.
    QString Cells(int column, int row) const;
    void SetCells(int column, int row, const QString& text);

  private:
    int columns_ = 0;
    std::vector<QStringList> cells_;  // by row
};

// The row headers' total captions as the grid shows them: "Grand Total" as "合计", a goods
// item's "... Total" as "... 小计".
void ShowTotalCaptions(morvane::workbook::Sheet& sheet, int headerColumns);

// The header of the totals group (sizes and measures in row 3, width 4; each type merged over
// its block in row 2; "总进销存" merged over the group in row 1, bordered and centred), the
// header captions of row 3, and over the used range thin borders, centred text, rows 20 points
// high and 宋体 10. Returns the number of used rows.
int CompleteHeaders(morvane::workbook::Workbook& book, morvane::workbook::Sheet& sheet,
                    const TShopGoodsLayout& layout, const QStringList& sizeNames,
                    bool categoryMode);

// The sheet's texts as shown, `rows` rows and `columns` columns from the top left.
void CopySheet(const morvane::workbook::Workbook& book, const morvane::workbook::Sheet& sheet,
               int rows, int columns, TStringGrid& grid);

// Called once per data row of each step, so that the window shows progress.
using RowProgress = std::function<void()>;

// Totals over all shops: each column of the totals group that the matrix holds gets, in every
// data row, the sum of the same column of every shop's group, when it is not 0. Throws
// std::runtime_error for a shop cell that is neither empty nor a whole number.
void AddShopTotals(TStringGrid& grid, const TShopGoodsLayout& layout, const RowProgress& progress);
// "占比": in every "占比" column, each data row's quantity (the column to its left) as a share
// of the last row's, when neither is 0.
void ComputeShares(TStringGrid& grid, const RowProgress& progress);
// "比例" of the shops' blocks: the block's "合计" as a share of the totals group's "合计" of
// the same type in the row, when neither is 0; empty otherwise.
void ComputeRatios(TStringGrid& grid, const TShopGoodsLayout& layout, const RowProgress& progress);
// Data cells showing "0" become empty.
void EmptyZeros(TStringGrid& grid);

// The matrix back into the sheet from the top left, keeping each cell's format: the first
// column as text (goods numbers keep their leading zeros), elsewhere numbers as numbers,
// percentages as numbers in a percent format, other texts as texts, "" as a blank.
void PasteMatrix(morvane::workbook::Workbook& book, morvane::workbook::Sheet& sheet,
                 const TStringGrid& grid);

}  // namespace morvane::shopgoods
