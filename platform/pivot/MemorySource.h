#pragma once

#include "platform/pivot/PivotSource.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace morvane::pivot {

// A result set held in memory, column by column. Used where rows do not come
// from a dataset (tests, benchmarks, computed tables).
class MemorySource : public PivotSource {
  public:
    // Adds a column; returns its index. Columns must be added before rows.
    int addColumn(const QString& name, ValueType type);
    // Appends one row; the values are given in column order and must be NULL
    // or of the column's type (a number is converted to the column's kind).
    void appendRow(std::initializer_list<Value> values);
    void appendRow(const std::vector<Value>& values);
    void reserve(std::int64_t rows);

    // Typed appends for bulk filling: one value per column, in column order,
    // then finishRow().
    void pushNull(int column);
    void pushInteger(int column, std::int64_t v);
    void pushReal(int column, double v);
    void pushText(int column, const QString& v);

    int columnCount() const override { return static_cast<int>(columns_.size()); }
    QString columnName(int column) const override { return columns_[column].name; }
    ValueType columnType(int column) const override { return columns_[column].type; }
    std::int64_t rowCount() const override;
    bool isNull(int column, std::int64_t row) const override {
        const auto r = static_cast<size_t>(row);
        return (columns_[column].nulls[r >> 6] >> (r & 63)) & 1u;
    }
    std::int64_t integerAt(int column, std::int64_t row) const override {
        return columns_[column].ints[static_cast<size_t>(row)];
    }
    double realAt(int column, std::int64_t row) const override {
        return columns_[column].reals[static_cast<size_t>(row)];
    }
    std::string_view textAt(int column, std::int64_t row) const override {
        const auto& c = columns_[column];
        const auto r = static_cast<size_t>(row);
        return std::string_view(c.arena).substr(c.offsets[r], c.offsets[r + 1] - c.offsets[r]);
    }
    bool columnData(int column, ColumnData& out) const override;

  private:
    // Stored as a dataset's result table stores it: a NULL bitmap, typed
    // values, texts in one arena with row offsets.
    struct Column {
        QString name;
        ValueType type;
        std::size_t rows = 0;
        std::vector<std::uint64_t> nulls;  // bit r set: row r is NULL
        std::vector<std::int64_t> ints;
        std::vector<double> reals;
        std::string arena;                   // UTF-8 texts, back to back
        std::vector<std::uint64_t> offsets;  // rows + 1 entries
    };
    static void pushRow(Column& c, bool null);
    void push(int column, const Value& v);
    std::vector<Column> columns_;
};

}  // namespace morvane::pivot
