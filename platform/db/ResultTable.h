#pragma once

#include "platform/db/PodArray.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morvane::db {

// What a column holds. Integer and Boolean keep int64 values, Real doubles; Text, Date and Blob
// keep bytes in one arena per column (Text and Date as UTF-8, Date being the text the database
// returned for a date or time). Unknown is a column without a declared type whose every value
// is NULL.
enum class ColumnType : std::uint8_t { Unknown, Integer, Boolean, Real, Text, Date, Blob };

const char* columnTypeName(ColumnType type);

// The kind of one cell's value. A local edit may give a cell a kind other than its column's
// type (a text typed into a number column), hence a kind per cell.
enum class CellKind : std::uint8_t { Null, Integer, Real, Text, Blob };

// A cell as read: a view into the table, valid until the table changes.
struct Cell {
    CellKind kind = CellKind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view bytes;  // Text and Blob

    bool isNull() const { return kind == CellKind::Null; }
};

// A value owned by itself, used for local edits.
struct CellValue {
    CellKind kind = CellKind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes;

    static CellValue null() { return {}; }
    static CellValue ofInteger(std::int64_t v) { return {CellKind::Integer, v, 0, {}}; }
    static CellValue ofReal(double v) { return {CellKind::Real, 0, v, {}}; }
    static CellValue ofText(std::string v) { return {CellKind::Text, 0, 0, std::move(v)}; }
    static CellValue ofBlob(std::string v) { return {CellKind::Blob, 0, 0, std::move(v)}; }
    Cell view() const { return {kind, integer, real, bytes}; }
};

class ColumnBuilder;

// One column of a result: contiguous typed storage and a null bitmap. Only the vector that
// matches type() is filled; a NULL cell holds 0 or an empty text there.
class Column {
  public:
    const std::string& name() const { return name_; }
    ColumnType type() const { return type_; }
    std::size_t size() const { return rows_; }

    bool isNull(std::size_t row) const { return (nulls_[row >> 6] >> (row & 63)) & 1u; }
    // Fetched values (with in-place edits), by type. Callers check type() first.
    std::int64_t integerAt(std::size_t row) const { return integers_[row]; }
    double realAt(std::size_t row) const { return reals_[row]; }
    std::string_view bytesAt(std::size_t row) const {
        return {arena_.data() + offsets_[row], offsets_[row + 1] - offsets_[row]};
    }
    std::span<const std::int64_t> integers() const { return integers_; }
    std::span<const double> reals() const { return reals_; }
    // Bytes of row r are arena()[offsets()[r] .. offsets()[r+1]).
    std::string_view arena() const { return asText(arena_); }
    std::span<const std::uint64_t> offsets() const { return offsets_; }
    std::span<const std::uint64_t> nullBits() const { return nulls_; }

    // The stored cell, ignoring edits kept outside the column (see ResultTable::cell).
    Cell storedCell(std::size_t row) const;

  private:
    friend class ColumnBuilder;
    friend class ResultTable;

    std::string name_;
    ColumnType type_ = ColumnType::Unknown;
    std::size_t rows_ = 0;
    PodArray<std::int64_t> integers_;
    PodArray<double> reals_;
    PodArray<char> arena_;
    PodArray<std::uint64_t> offsets_;
    PodArray<std::uint64_t> nulls_;  // bit r set: row r is NULL
};

// A fetched result: named, typed columns of equal length. Backends fill it through
// ColumnBuilder; the dataset and fast consumers (pivot engine, grids) read it.
//
// Local edits: setCell() writes a number into a number column in place; any other value (a text,
// a blob, a number of another kind) goes to a small per-column override map that cell()
// consults. The typed vectors of a column are thus complete unless hasOverrides(column).
class ResultTable {
  public:
    ResultTable() = default;
    explicit ResultTable(std::vector<Column> columns);

    std::size_t columnCount() const { return columns_.size(); }
    std::size_t rowCount() const { return columns_.empty() ? 0 : columns_.front().size(); }
    const Column& column(std::size_t index) const { return columns_[index]; }
    const std::string& columnName(std::size_t index) const { return columns_[index].name(); }
    ColumnType columnType(std::size_t index) const { return columns_[index].type(); }

    // The current value of a cell, local edits included.
    Cell cell(std::size_t row, std::size_t column) const;
    bool isNull(std::size_t row, std::size_t column) const { return cell(row, column).isNull(); }

    void setCell(std::size_t row, std::size_t column, const CellValue& value);
    bool hasOverrides(std::size_t column) const { return !overrides_[column].empty(); }

    // Rows that do not fit in memory are the caller's problem; this is an estimate of what the
    // table holds, for diagnostics and benchmarks.
    std::size_t memoryBytes() const;

  private:
    std::vector<Column> columns_;
    std::vector<std::unordered_map<std::size_t, CellValue>> overrides_;
};

// Appends the values of one column, deciding its type from the declared type hint and the
// values seen: integers and reals mixed become Real; numbers and texts mixed become Text (the
// numbers written as their text); any blob makes the column Blob.
class ColumnBuilder {
  public:
    ColumnBuilder(std::string name, ColumnType declared);

    void appendNull() {
        pushRow(true);
        switch (col_.type_) {
            case ColumnType::Integer:
            case ColumnType::Boolean:
                col_.integers_.push_back(0);
                break;
            case ColumnType::Real:
                col_.reals_.push_back(0);
                break;
            case ColumnType::Text:
            case ColumnType::Date:
            case ColumnType::Blob:
                col_.offsets_.push_back(col_.arena_.size());
                break;
            case ColumnType::Unknown:
                break;
        }
    }
    void appendInteger(std::int64_t value) {
        if (col_.type_ == ColumnType::Integer || col_.type_ == ColumnType::Boolean) {
            pushRow(false);
            col_.integers_.push_back(value);
        } else if (col_.type_ == ColumnType::Real) {
            pushRow(false);
            col_.reals_.push_back(static_cast<double>(value));
        } else {
            appendIntegerSlow(value);
        }
    }
    void appendReal(double value) {
        if (col_.type_ == ColumnType::Real) {
            pushRow(false);
            col_.reals_.push_back(value);
        } else {
            appendRealSlow(value);
        }
    }
    void appendText(std::string_view bytes) {
        if (col_.type_ == ColumnType::Text || col_.type_ == ColumnType::Date ||
            col_.type_ == ColumnType::Blob) {
            pushRow(false);
            col_.arena_.append(bytes.data(), bytes.size());
            col_.offsets_.push_back(col_.arena_.size());
        } else {
            appendTextSlow(bytes, false);
        }
    }
    void appendBlob(std::string_view bytes);

    void reserve(std::size_t rows);
    Column finish();

    // A builder for the rows that follow these in the same result: the same name, starting
    // from the type these rows reached (see ResultPiece).
    ColumnBuilder continuation() const { return ColumnBuilder(col_.name_, col_.type_); }
    // Whether the integers appended so far were turned into reals, a real having come.
    bool roundedIntegers() const { return rounded_; }

  private:
    void pushRow(bool null) {
        if ((col_.rows_ & 63) == 0)
            col_.nulls_.push_back(0);
        if (null)
            col_.nulls_.back() |= std::uint64_t{1} << (col_.rows_ & 63);
        ++col_.rows_;
    }
    void appendIntegerSlow(std::int64_t value);
    void appendRealSlow(double value);
    void appendTextSlow(std::string_view bytes, bool blob);
    void becomeType(ColumnType type);  // from Unknown: backfill the rows seen so far
    void toReal();
    void toText(ColumnType type);

    Column col_;
    bool rounded_ = false;
};

}  // namespace morvane::db
