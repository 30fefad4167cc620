#pragma once

#include "platform/pivot/LargeVector.h"
#include "platform/pivot/PivotSource.h"
#include "platform/pivot/Value.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class QCollator;

namespace morvane::pivot::detail {

union Num {
    std::int64_t i;
    double d;
};

// The values of one source column interned to small integer ids: ids[row] is
// the id of the row's value, values[id] the value, rank[id] its position in
// ascending order (NULL first). Built once per column and result set; every
// layout after that works on ids only.
struct FieldIndex {
    LargeVector<std::int32_t> ids;
    std::vector<Value> values;
    std::vector<std::int32_t> rank;    // by id
    std::vector<std::int32_t> byRank;  // ids in ascending order

    std::int32_t cardinality() const { return static_cast<std::int32_t>(values.size()); }
    // Id of a value, or -1 when the column does not hold it.
    std::int32_t find(const Value& v) const;
};

// Interns column `column` of the source; column -1 (a field whose column is
// missing) gives every row the one value NULL.
FieldIndex buildFieldIndex(const PivotSource& source, int column, const QCollator* collator);

// The same for several columns at once, on up to `threads` threads: a column
// of kParallelRows rows or more is split into one run of rows per thread, the
// runs are interned at the same time and merged in row order, so that ids are
// numbered as one pass would number them whatever the count. Values are
// ranked on the calling thread, which owns the collator.
std::vector<FieldIndex> buildFieldIndexes(const PivotSource& source,
                                          const std::vector<int>& columns,
                                          const QCollator* collator, int threads);

// The numbers a data field sums. Read in place from the source's arrays when
// it has them (see PivotSource::columnData), else copied once. A text column
// is counted instead (its non-NULL values), so it is an Integer measure; a NaN
// counts as NULL. Move-only: it may point into its own copies.
struct MeasureColumn {
    enum class Kind : std::uint8_t { None, Integer, Real, Count };
    Kind kind = Kind::None;
    bool real = false;
    const std::int64_t* ints = nullptr;
    const double* reals = nullptr;
    const std::uint64_t* nullBits = nullptr;  // bit per row: NULL; null pointer: no NULLs

    MeasureColumn() = default;
    MeasureColumn(MeasureColumn&&) = default;
    MeasureColumn& operator=(MeasureColumn&&) = default;
    MeasureColumn(const MeasureColumn&) = delete;
    MeasureColumn& operator=(const MeasureColumn&) = delete;

    // Writes the row's value (0 when absent) and says whether it has one.
    bool read(std::size_t row, Num& out) const {
        const bool null = nullBits && ((nullBits[row >> 6] >> (row & 63)) & 1u);
        switch (kind) {
            case Kind::Integer:
                out.i = null ? 0 : ints[row];
                return !null;
            case Kind::Real: {
                const double d = reals[row];
                const bool present = !null && d == d;
                out.d = present ? d : 0.0;
                return present;
            }
            case Kind::Count:
                out.i = null ? 0 : 1;
                return !null;
            case Kind::None:
                break;
        }
        out.i = 0;
        return false;
    }

    // Copies of a column read cell by cell.
    std::vector<std::int64_t> ownInts;
    std::vector<double> ownReals;
    std::vector<std::uint64_t> ownNulls;
};

MeasureColumn buildMeasureColumn(const PivotSource& source, int column);

}  // namespace morvane::pivot::detail
