#pragma once

#include "platform/pivot/Value.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace morvane::pivot {

// The rows a pivot reads: a result set seen column by column. Implementations
// adapt the dataset's columnar storage (DataSetSource) or hold rows in memory
// (MemorySource). Access is by (column, row); a row's value is read with the
// accessor of the column's type. The pivot reads every row once per field it
// indexes, so accessors must be cheap; texts are UTF-8 views that stay valid
// as long as the source is unchanged. The pivot may read several columns at
// once from different threads, so const access must be safe to share.
//
// Sources that keep a column in contiguous arrays also hand them out whole
// (columnData), so that the pivot reads a million rows without a call per
// cell; the per-cell accessors remain the reference for every other source.
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

    // The storage of one column, for readers that scan every row. Members
    // that do not apply stay null.
    struct ColumnData {
        // Bit r % 64 of word r / 64 set: row r is NULL. Null: no NULL rows.
        const std::uint64_t* nullBits = nullptr;
        const std::int64_t* integers = nullptr;  // Integer columns
        const double* reals = nullptr;           // Real columns
        // Text columns: the bytes of row r are arena[offsets[r], offsets[r + 1]).
        const char* arena = nullptr;
        const std::uint64_t* offsets = nullptr;

        bool isNull(std::int64_t row) const {
            const auto r = static_cast<std::uint64_t>(row);
            return nullBits && ((nullBits[r >> 6] >> (r & 63)) & 1u);
        }
        std::string_view text(std::int64_t row) const {
            const auto r = static_cast<std::size_t>(row);
            return {arena + offsets[r], static_cast<std::size_t>(offsets[r + 1] - offsets[r])};
        }
    };
    // Fills `out` with the arrays of the column's type and returns true when
    // they hold exactly what the accessors return for every row; returns
    // false (the default) when the column must be read cell by cell. The
    // arrays stay valid as long as the source is unchanged.
    virtual bool columnData(int column, ColumnData& out) const;

    // The value at (column, row) as a Value of the column's type.
    Value valueAt(int column, std::int64_t row) const;
    // Index of the column of that name (exact match), or -1; with an
    // occurrence, of the occurrence-th such column (0: the first).
    int columnIndex(const QString& name, int occurrence = 0) const;
};

}  // namespace morvane::pivot
