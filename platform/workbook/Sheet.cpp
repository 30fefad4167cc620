#include "platform/workbook/Sheet.h"

#include "platform/workbook/WorkbookError.h"

#include <algorithm>

namespace morvane::workbook {

namespace {

const std::string kNoText;

std::string position(int row, int column) {
    return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

std::string grouped(long long n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

const std::string kLimits = "1,048,576 rows and 16,384 columns";

[[noreturn]] void beyond(const std::string& what) {
    throw WorkbookError(what + ", beyond the " + kLimits + " a sheet holds");
}

}  // namespace

void checkSheetSize(const QString& sheetName, long long rows, long long columns) {
    std::string what;
    if (rows > Sheet::kMaxRows)
        what = grouped(rows) + " rows";
    if (columns > Sheet::kMaxColumns)
        what += (what.empty() ? "" : " and ") + grouped(columns) + " columns";
    if (!what.empty())
        throw WorkbookError("Sheet \"" + sheetName.toStdString() + "\" would have " + what +
                            ", more than a workbook sheet holds (" + kLimits +
                            " in .xlsx, 65,536 rows and 256 columns in .xls).");
}

Sheet::Sheet(QString name, StringPool& strings) : name_(std::move(name)), strings_(&strings) {}

Cell& Sheet::place(int row, int column) {
    if (row < 0 || column < 0)
        throw WorkbookError("Cell outside the sheet: " + position(row, column));
    if (row >= kMaxRows || column >= kMaxColumns)
        beyond("Cell at " + position(row, column));
    if (static_cast<size_t>(row) >= rows_.size())
        rows_.resize(static_cast<size_t>(row) + 1);
    columns_ = std::max(columns_, column + 1);
    auto& cells = rows_[static_cast<size_t>(row)].cells;
    const auto col = static_cast<std::uint16_t>(column);
    // Rows are mostly filled left to right: append without a search.
    if (cells.empty() || cells.back().column < col) {
        ++cellCount_;
        cells.emplace_back().column = col;
        return cells.back();
    }
    auto it = std::lower_bound(cells.begin(), cells.end(), col,
                               [](const Cell& c, std::uint16_t v) { return c.column < v; });
    if (it != cells.end() && it->column == col)
        return *it;
    ++cellCount_;
    it = cells.emplace(it);
    it->column = col;
    return *it;
}

void Sheet::setNumber(int row, int column, double value, FormatId format) {
    Cell& c = place(row, column);
    c.kind = Cell::Kind::Number;
    c.number = value;
    c.format = format;
}

void Sheet::setText(int row, int column, std::string_view utf8, FormatId format) {
    Cell& c = place(row, column);
    c.kind = Cell::Kind::Text;
    c.text = strings_->add(utf8);
    c.format = format;
}

void Sheet::setText(int row, int column, const QString& text, FormatId format) {
    const QByteArray utf8 = text.toUtf8();
    setText(row, column, std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())),
            format);
}

void Sheet::setBlank(int row, int column, FormatId format) {
    Cell& c = place(row, column);
    c.kind = Cell::Kind::Blank;
    c.number = 0;
    c.format = format;
}

void Sheet::setFormat(int row, int column, FormatId format) {
    place(row, column).format = format;
}

void Sheet::setFormat(const CellRange& range, FormatId format) {
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstColumn; c <= range.lastColumn; ++c)
            setFormat(r, c, format);
}

const Cell* Sheet::cell(int row, int column) const {
    if (row < 0 || column < 0 || static_cast<size_t>(row) >= rows_.size())
        return nullptr;
    const auto& cells = rows_[static_cast<size_t>(row)].cells;
    auto it = std::lower_bound(cells.begin(), cells.end(), column,
                               [](const Cell& c, int v) { return c.column < v; });
    return it != cells.end() && it->column == column ? &*it : nullptr;
}

const std::string& Sheet::text(const Cell& cell) const {
    return cell.kind == Cell::Kind::Text ? strings_->at(cell.text) : kNoText;
}

QString Sheet::textAt(int row, int column) const {
    const Cell* c = cell(row, column);
    return c ? QString::fromStdString(text(*c)) : QString();
}

std::span<const Cell> Sheet::row(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size())
        return {};
    return rows_[static_cast<size_t>(row)].cells;
}

void Sheet::setRowHeight(int row, double points) {
    if (row < 0 || row >= kMaxRows)
        beyond("Row " + grouped(row + 1));
    if (static_cast<size_t>(row) >= rows_.size())
        rows_.resize(static_cast<size_t>(row) + 1);
    rows_[static_cast<size_t>(row)].height = points;
}

double Sheet::rowHeight(int row) const {
    return row >= 0 && static_cast<size_t>(row) < rows_.size()
               ? rows_[static_cast<size_t>(row)].height
               : 0;
}

void Sheet::setColumnWidth(int column, double characters) {
    if (column < 0 || column >= kMaxColumns)
        beyond("Column " + grouped(column + 1));
    if (static_cast<size_t>(column) >= widths_.size())
        widths_.resize(static_cast<size_t>(column) + 1, 0);
    widths_[static_cast<size_t>(column)] = characters;
}

double Sheet::columnWidth(int column) const {
    return column >= 0 && static_cast<size_t>(column) < widths_.size()
               ? widths_[static_cast<size_t>(column)]
               : 0;
}

void Sheet::merge(const CellRange& range) {
    if (range.firstRow < 0 || range.firstColumn < 0 || range.lastRow < range.firstRow ||
        range.lastColumn < range.firstColumn || range.lastRow >= kMaxRows ||
        range.lastColumn >= kMaxColumns) {
        if (range.lastRow >= kMaxRows || range.lastColumn >= kMaxColumns)
            beyond("Merged range from " + position(range.firstRow, range.firstColumn) + " to " +
                   position(range.lastRow, range.lastColumn));
        throw WorkbookError("Invalid merged range at " +
                            position(range.firstRow, range.firstColumn));
    }
    for (const CellRange& m : merges_)
        if (m.firstRow <= range.lastRow && range.firstRow <= m.lastRow &&
            m.firstColumn <= range.lastColumn && range.firstColumn <= m.lastColumn)
            throw WorkbookError("Merged range at " + position(range.firstRow, range.firstColumn) +
                                " overlaps another one");
    merges_.push_back(range);
}

void Sheet::unmerge(const CellRange& range) {
    std::erase_if(merges_, [&range](const CellRange& m) {
        return m.firstRow <= range.lastRow && range.firstRow <= m.lastRow &&
               m.firstColumn <= range.lastColumn && range.firstColumn <= m.lastColumn;
    });
}

const CellRange* Sheet::mergeAt(int row, int column) const {
    for (const CellRange& m : merges_)
        if (m.contains(row, column))
            return &m;
    return nullptr;
}

void Sheet::clear() {
    rows_.clear();
    widths_.clear();
    merges_.clear();
    columns_ = 0;
    cellCount_ = 0;
}

}  // namespace morvane::workbook
