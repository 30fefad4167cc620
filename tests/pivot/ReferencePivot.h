#pragma once

#include "platform/pivot/PivotEngine.h"
#include "platform/pivot/PivotSource.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace morvane::pivot::test {

// A plain pivot to check the engine against: every source row summed into
// every (row prefix, column prefix) pair of its group values, in a map keyed
// by text.
struct Reference {
    struct Acc {
        double sum = 0;
        std::int64_t count = 0;
    };
    std::map<QString, Acc> cells;  // "rowPrefix#colPrefix#measure"
};

Reference reference(const PivotSource& src, const std::vector<int>& rowCols,
                    const std::vector<int>& colCols, const std::vector<int>& measures,
                    const std::function<bool(std::int64_t)>& passes);

// Every cell of the view against the reference.
void checkAgainstReference(PivotEngine& grid, const Reference& ref);

// Leaf rows (a value of the innermost row field) come in strictly increasing
// order of their groups, field by field, each in its own direction.
void checkRowOrder(PivotEngine& grid);

}  // namespace morvane::pivot::test
