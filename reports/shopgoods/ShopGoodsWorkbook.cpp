#include "reports/shopgoods/ShopGoodsWorkbook.h"

#include <stdexcept>

#include "framework/OlapPainting.h"
#include "platform/workbook/FormatChange.h"
#include "platform/workbook/NumberFormat.h"
#include "platform/workbook/Workbook.h"

using namespace morvane::workbook;

namespace morvane::shopgoods {

namespace {

constexpr int kFirstDataRow = 3;  // row 4 of the sheet
constexpr double kNarrowWidth = 4;

// An empty text counts as the number 0.
QString OrZero(const QString& text) {
    return text.isEmpty() ? QStringLiteral("0") : text;
}

// The part of a whole as the sheet shows it ("33.33%"), or nothing for a text that is no
// number.
std::optional<QString> Percent(const QString& part, const QString& whole) {
    return morvane::framework::ShareText(part, whole);
}

}  // namespace

void TStringGrid::SetSize(int columns, int rows) {
    columns_ = columns;
    cells_.assign(size_t(rows), QStringList());
    for (QStringList& row : cells_)
        row.resize(columns);
}

QString TStringGrid::Cells(int column, int row) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= columns_)
        return QString();
    return cells_[size_t(row)][column];
}

void TStringGrid::SetCells(int column, int row, const QString& text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= columns_)
        throw std::out_of_range("cell outside the matrix");
    cells_[size_t(row)][column] = text;
}

void ShowTotalCaptions(Sheet& sheet, int headerColumns) {
    for (int r = 0; r < sheet.rowCount(); ++r)
        for (const Cell& cell : sheet.row(r)) {
            if (cell.column >= headerColumns)
                break;
            if (cell.kind != Cell::Kind::Text)
                continue;
            const QString text = QString::fromStdString(sheet.text(cell));
            const QString shown = morvane::framework::TotalCaption(text);
            if (shown != text)
                sheet.setText(r, cell.column, shown, cell.format);
        }
}

int CompleteHeaders(Workbook& book, Sheet& sheet, const TShopGoodsLayout& layout,
                    const QStringList& sizeNames, bool categoryMode) {
    CellFormat framed;
    framed.borders = Borders::all(BorderStyle::Thin);
    framed.halign = HAlign::Center;
    framed.valign = VAlign::Center;
    const FormatId framedId = book.addFormat(framed);
    auto mergeFramed = [&](int row, int first, int last, const QString& text) {
        sheet.merge({row, first, row, last});
        for (int c = first; c <= last; ++c)
            sheet.setBlank(row, c, framedId);
        sheet.setText(row, first, text, framedId);
    };

    int column = layout.firstTotalsColumn;
    for (const QString& type : kTypes) {
        const int first = column;
        QStringList captions = sizeNames.mid(0, layout.sizeCount);
        captions += kMeasures;
        for (const QString& caption : captions) {
            sheet.setText(2, column, caption);
            sheet.setColumnWidth(column, kNarrowWidth);
            ++column;
        }
        mergeFramed(1, first, column - 1, type);
    }
    mergeFramed(0, layout.firstTotalsColumn, column - 1, QStringLiteral("总进销存"));

    const QStringList captions =
        categoryMode ? QStringList{QStringLiteral("类别")}
                     : QStringList{QStringLiteral("货号"), QStringLiteral("颜色"),
                                   QStringLiteral("上柜日期"), QStringLiteral("到货天数")};
    for (int c = 0; c < captions.size(); ++c)
        sheet.setText(2, c, captions[c]);

    const int usedRows = sheet.rowCount();
    FormatChange look;
    look.outline = look.inside = BorderStyle::Thin;
    look.halign = HAlign::Center;
    look.valign = VAlign::Center;
    look.fontName = "宋体";
    look.fontSize = 10;
    applyFormatChange(book, sheet, {0, 0, usedRows - 1, layout.lastTotalsColumn()}, look);
    for (int r = 0; r < usedRows; ++r)
        sheet.setRowHeight(r, 20);
    return usedRows;
}

void CopySheet(const Workbook& book, const Sheet& sheet, int rows, int columns, TStringGrid& grid) {
    grid.SetSize(columns, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.SetCells(c, r, shownText(book, sheet, r, c));
}

void AddShopTotals(TStringGrid& grid, const TShopGoodsLayout& layout, const RowProgress& progress) {
    const int held = grid.ColCount() - layout.firstTotalsColumn;
    for (int r = kFirstDataRow; r < grid.RowCount(); ++r) {
        for (int k = 0; k < std::min(held, layout.groupWidth()); ++k) {
            long long sum = 0;
            for (int shop = 0; shop < layout.shopCount; ++shop) {
                const int c = layout.headerColumns + shop * layout.groupWidth() + k;
                const QString text = grid.Cells(c, r).trimmed();
                if (text.isEmpty())
                    continue;
                bool ok = false;
                const long long v = text.toLongLong(&ok);
                if (!ok)
                    throw std::runtime_error(
                        "'" + text.toStdString() + "' is not a whole number (row " +
                        std::to_string(r + 1) + ", column " + std::to_string(c + 1) + ")");
                sum += v;
            }
            if (sum != 0)
                grid.SetCells(layout.firstTotalsColumn + k, r, QString::number(sum));
        }
        if (progress)
            progress();
    }
}

void ComputeShares(TStringGrid& grid, const RowProgress& progress) {
    const int last = grid.RowCount() - 1;
    std::vector<int> shareColumns;
    for (int c = 1; c < grid.ColCount(); ++c)
        if (grid.Cells(c, 2) == kMeasures[1])
            shareColumns.push_back(c);
    for (int r = kFirstDataRow; r <= last; ++r) {
        for (int c : shareColumns) {
            const QString quantity = OrZero(grid.Cells(c - 1, r));
            const QString total = OrZero(grid.Cells(c - 1, last));
            if (quantity == QLatin1String("0") || total == QLatin1String("0"))
                continue;
            if (auto share = Percent(quantity, total))
                grid.SetCells(c, r, *share);
        }
        if (progress)
            progress();
    }
}

void ComputeRatios(TStringGrid& grid, const TShopGoodsLayout& layout, const RowProgress& progress) {
    const int w = layout.blockWidth();
    const int totalOffset = layout.sizeCount;  // "合计" within a block
    std::vector<int> ratioColumns;
    for (int c = layout.headerColumns; c < layout.firstTotalsColumn && c < grid.ColCount(); ++c)
        if (grid.Cells(c, 2) == kMeasures[3])
            ratioColumns.push_back(c);
    for (int r = kFirstDataRow; r < grid.RowCount(); ++r) {
        QStringList typeTotals;
        for (int t = 0; t < kTypes.size(); ++t)
            typeTotals << OrZero(grid.Cells(layout.firstTotalsColumn + t * w + totalOffset, r));
        for (int c : ratioColumns) {
            const QString blockTotal = OrZero(grid.Cells(c - 3, r));
            const QString typeTotal = typeTotals[((c - layout.headerColumns) / w) % kTypes.size()];
            QString text;
            if (blockTotal != QLatin1String("0") && typeTotal != QLatin1String("0"))
                text = Percent(blockTotal, typeTotal).value_or(QString());
            grid.SetCells(c, r, text);
        }
        if (progress)
            progress();
    }
}

void EmptyZeros(TStringGrid& grid) {
    for (int r = kFirstDataRow; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            if (grid.Cells(c, r) == QLatin1String("0"))
                grid.SetCells(c, r, QString());
}

void PasteMatrix(Workbook& book, Sheet& sheet, const TStringGrid& grid) {
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) {
            const QString text = grid.Cells(c, r).trimmed();
            const Cell* old = sheet.cell(r, c);
            const FormatId format = old ? old->format : 0;
            if (text.isEmpty()) {
                if (old)
                    sheet.setBlank(r, c, format);
                continue;
            }
            if (c == 0) {
                sheet.setText(r, c, text, format);
                continue;
            }
            bool ok = false;
            const double number = text.toDouble(&ok);
            if (ok) {
                sheet.setNumber(r, c, number, format);
                continue;
            }
            if (text.endsWith(QLatin1Char('%'))) {
                const double percent = text.chopped(1).toDouble(&ok);
                if (ok) {
                    CellFormat f = book.formats().at(format);
                    f.numberFormat = percentFormatFor(text);
                    sheet.setNumber(r, c, percent / 100, book.addFormat(f));
                    continue;
                }
            }
            sheet.setText(r, c, text, format);
        }
}

}  // namespace morvane::shopgoods
