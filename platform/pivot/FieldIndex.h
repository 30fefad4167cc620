#pragma once

#include "platform/pivot/LargeVector.h"
#include "platform/pivot/PivotSource.h"
#include "platform/pivot/Value.h"

#include <cstdint>
#include <vector>

class QCollator;

namespace morvane::pivot::detail {

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

// The numbers a data field sums, read once from the source. A text column is
// counted instead (its non-NULL values), so it is an Integer measure.
struct MeasureColumn {
    bool real = false;
    std::vector<std::int64_t> ints;     // integer values or counts (0/1)
    std::vector<double> reals;          // real values
    std::vector<std::uint8_t> present;  // 1 where the value is not NULL
};

MeasureColumn buildMeasureColumn(const PivotSource& source, int column);

}  // namespace morvane::pivot::detail
