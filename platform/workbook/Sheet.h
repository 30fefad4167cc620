#pragma once

#include "platform/workbook/CellFormat.h"
#include "platform/workbook/StringPool.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::workbook {

// One cell: 16 bytes, stored by value in its row. A Blank cell carries only
// a format (borders of an empty or merged cell).
struct Cell {
    enum class Kind : std::uint8_t { Blank, Number, Text };
    std::uint16_t column = 0;
    Kind kind = Kind::Blank;
    FormatId format = 0;
    union {
        double number;
        StringId text;
    };
    Cell() : number(0) {}
};

// A rectangle of cells, 0-based and inclusive.
struct CellRange {
    int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;
    bool contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

// A worksheet: rows of cells sorted by column, column widths, row heights and
// merged ranges. Rows and columns are 0-based. Texts live in the workbook's
// string pool and formats in its format table; a sheet is owned by its
// Workbook and refers to both.
class Sheet {
  public:
    // Largest row and column a sheet holds (those of .xlsx); the .xls writer
    // checks the smaller limits of its format.
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxColumns = 16384;

    Sheet(QString name, StringPool& strings);

    const QString& name() const { return name_; }

    // Writing a cell replaces what was there. Throws WorkbookError outside
    // the sheet's limits.
    void setNumber(int row, int column, double value, FormatId format = 0);
    void setText(int row, int column, std::string_view utf8, FormatId format = 0);
    void setText(int row, int column, const QString& text, FormatId format = 0);
    void setBlank(int row, int column, FormatId format);
    // Gives an existing cell a new format, or adds a formatted blank.
    void setFormat(int row, int column, FormatId format);
    void setFormat(const CellRange& range, FormatId format);

    // The cell at (row, column), or nullptr when there is none.
    const Cell* cell(int row, int column) const;
    // Text of a Text cell (UTF-8), empty otherwise.
    const std::string& text(const Cell& cell) const;
    QString textAt(int row, int column) const;

    // One past the last row that holds a cell or a height of its own, and one
    // past the last column that holds a cell (0 when empty).
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return columns_; }
    std::span<const Cell> row(int row) const;
    std::size_t cellCount() const { return cellCount_; }

    // Heights in points, widths in characters of the default font; 0 means
    // the default.
    void setRowHeight(int row, double points);
    double rowHeight(int row) const;
    void setColumnWidth(int column, double characters);
    double columnWidth(int column) const;
    // One past the last column with a width of its own.
    int columnWidthCount() const { return static_cast<int>(widths_.size()); }
    double defaultColumnWidth() const { return defaultWidth_; }
    void setDefaultColumnWidth(double characters) { defaultWidth_ = characters; }

    // Frozen panes: the first `rows` rows and `columns` columns stay in view while the rest
    // scrolls (0, 0: nothing frozen).
    void setFrozen(int rows, int columns) {
        frozenRows_ = rows < 0 ? 0 : rows;
        frozenColumns_ = columns < 0 ? 0 : columns;
    }
    int frozenRows() const { return frozenRows_; }
    int frozenColumns() const { return frozenColumns_; }

    // Merges are kept as given; overlapping ranges are refused.
    void merge(const CellRange& range);
    // Removes every merged range that overlaps the range.
    void unmerge(const CellRange& range);
    const std::vector<CellRange>& merges() const { return merges_; }
    // The merged range that holds the cell, or nullptr.
    const CellRange* mergeAt(int row, int column) const;

    // Empties the sheet: cells, row heights, column widths and merges (the name stays).
    void clear();

  private:
    struct Row {
        std::vector<Cell> cells;
        double height = 0;
    };
    Cell& place(int row, int column);

    QString name_;
    StringPool* strings_;
    std::vector<Row> rows_;
    std::vector<double> widths_;
    std::vector<CellRange> merges_;
    double defaultWidth_ = 8;
    int columns_ = 0;
    int frozenRows_ = 0, frozenColumns_ = 0;
    std::size_t cellCount_ = 0;
};

// Throws WorkbookError naming the sheet, its size and the limits when a sheet of `rows` by
// `columns` cells is larger than a sheet holds.
void checkSheetSize(const QString& sheetName, long long rows, long long columns);

}  // namespace morvane::workbook
