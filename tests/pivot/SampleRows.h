#pragma once

#include "platform/pivot/MemorySource.h"
#include "platform/pivot/PivotEngine.h"

#include <QString>

#include <initializer_list>
#include <memory>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '\n' << s.toStdString();
}

namespace morvane::pivot {
inline void PrintTo(const Value& v, std::ostream* os) {
    *os << static_cast<int>(v.type()) << ':' << v.toString().toStdString();
}
}  // namespace morvane::pivot

namespace morvane::pivot::test {

// A small sales result: 品牌 (brand), 货号 (goods), 店铺 (shop), 日 (day),
// 数量 (quantity, integer), 金额 (amount, real), 比例 (a column with no type
// and no value, as "比例=NULL" returns it).
std::shared_ptr<MemorySource> sampleRows();

// The pivot laid out as text: one line per matrix row, cells joined by '|'.
QString render(PivotEngine& grid, const MatrixOptions& options = {});

// A grid over the sample rows with every field created.
void loadSample(PivotEngine& grid);

// Puts the named fields in the row, column and data areas, in that order.
void place(PivotEngine& grid, std::initializer_list<const char*> rows,
           std::initializer_list<const char*> columns, std::initializer_list<const char*> data);

}  // namespace morvane::pivot::test
