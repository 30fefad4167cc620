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
        return columns_[column].nulls[static_cast<size_t>(row)] != 0;
    }
    std::int64_t integerAt(int column, std::int64_t row) const override {
        return columns_[column].ints[static_cast<size_t>(row)];
    }
    double realAt(int column, std::int64_t row) const override {
        return columns_[column].reals[static_cast<size_t>(row)];
    }
    std::string_view textAt(int column, std::int64_t row) const override {
        return columns_[column].texts[static_cast<size_t>(row)];
    }

  private:
    struct Column {
        QString name;
        ValueType type;
        std::vector<std::uint8_t> nulls;
        std::vector<std::int64_t> ints;
        std::vector<double> reals;
        std::vector<std::string> texts;  // UTF-8
    };
    void push(int column, const Value& v);
    std::vector<Column> columns_;
};

}  // namespace morvane::pivot
