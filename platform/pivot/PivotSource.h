#pragma once

#include "platform/pivot/Value.h"

#include <QString>

#include <cstdint>
#include <string_view>

namespace morvane::pivot {

// The rows a pivot reads: a result set seen column by column. Implementations
// adapt the dataset's columnar storage (DataSetSource) or hold rows in memory
// (MemorySource). Access is by (column, row); a row's value is read with the
// accessor of the column's type. The pivot reads every row once per field it
// indexes, so accessors must be cheap; texts are UTF-8 views that stay valid
// as long as the source is unchanged.
class PivotSource {
  public:
    virtual ~PivotSource() = default;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    virtual ValueType columnType(int column) const = 0;
    virtual std::int64_t rowCount() const = 0;

    virtual bool isNull(int column, std::int64_t row) const = 0;
    // For Integer columns.
    virtual std::int64_t integerAt(int column, std::int64_t row) const = 0;
    // For Real columns.
    virtual double realAt(int column, std::int64_t row) const = 0;
    // For Text columns: the UTF-8 text.
    virtual std::string_view textAt(int column, std::int64_t row) const = 0;

    // The value at (column, row) as a Value of the column's type.
    Value valueAt(int column, std::int64_t row) const;
    // Index of the column of that name (exact match), or -1.
    int columnIndex(const QString& name) const;
};

}  // namespace morvane::pivot
