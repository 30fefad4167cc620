#pragma once

#include "platform/pivot/Value.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace morvane::pivot {

class PivotEngine;
class PivotField;

// Areas of a field. The values are the legacy area codes of the report windows' SetFieldArea
// (0 column, 1 row, 2 filter, 3 data), which AreaOfCode reads; nothing else uses the numbers.
enum class Area { None = -1, Column = 0, Row = 1, Filter = 2, Data = 3 };

// The area of a legacy area code; any other code is no area.
constexpr Area AreaOfCode(int code) {
    return code >= 0 && code <= 3 ? static_cast<Area>(code) : Area::None;
}

enum class SortOrder { Ascending, Descending };

// The value filter of a field: the values left out (Excluded) or the only
// values kept (Included). An Excluded filter with no values filters nothing.
struct FieldFilter {
    enum class Mode { Excluded, Included };
    Mode mode = Mode::Excluded;
    std::vector<Value> values;

    bool active() const { return mode == Mode::Included || !values.empty(); }
    bool allows(const Value& v) const;
};

// Kind of a body cell or of a header cell.
enum class CellKind { Data, Total, GrandTotal };
enum class HeaderKind {
    Value,        // a group value of a row or column field
    Total,        // "<value> Total"
    GrandTotal,   // "Grand Total"
    DataCaption,  // the caption of a data field
    Empty         // nothing shown (a level below a total or a collapsed group)
};

// The two axes of the view.
enum class Axis { Column, Row };

// Texts the grid shows for totals, before any handler changes them.
inline const QString kGrandTotalCaption = QStringLiteral("Grand Total");
inline const QString kTotalSuffix = QStringLiteral(" Total");

// Passed to a field's display-text handler. For a group value, `value` is
// the value of the field; for a cell, the field is a data field and `value`
// its summary (NULL when the cell has none).
struct DisplayTextInfo {
    enum class Target { GroupValue, Cell };
    Target target = Target::Cell;
    CellKind kind = CellKind::Data;
    Value value;
    int row = -1, column = -1;  // view coordinates of a cell, -1 for a group value
};
using DisplayTextHandler =
    std::function<void(const PivotField& field, const DisplayTextInfo& info, QString& text)>;

// Colours are 0xAARRGGBB.
using Rgb = std::uint32_t;

// Passed to the custom-draw handler of data cells. The handler may replace
// `text` and `color`; setting `done` means it painted the cell itself.
struct CellDrawInfo {
    int row = -1, column = -1;
    const PivotField* dataField = nullptr;
    CellKind kind = CellKind::Data;
    Value value;
    QString text;
    Rgb color = 0xFFFFFFFF;
    bool done = false;
};

// Passed to the custom-draw handlers of column and row header cells.
struct HeaderDrawInfo {
    Axis axis = Axis::Column;
    int item = -1;                      // view column (column headers) or view row (row headers)
    int level = -1;                     // header level, 0 = outermost
    const PivotField* field = nullptr;  // the row/column field, or the data field of a caption
    HeaderKind kind = HeaderKind::Value;
    Value value;
    QString text;
    Rgb color = 0xFFFFFFFF;
    bool done = false;
};

using CellDrawHandler = std::function<void(PivotEngine& grid, CellDrawInfo& info)>;
using HeaderDrawHandler = std::function<void(PivotEngine& grid, HeaderDrawInfo& info)>;

// What the view shows: header areas and totals.
struct ViewOptions {
    bool showFilterFields = true;  // the filter area
    bool showDataFields = true;
    bool showRowFields = true;
    bool showColumnFields = true;
    bool rowTotals = true;     // a total row after each expanded row group
    bool columnTotals = true;  // a total column after each expanded column group
    bool rowGrandTotals = true;
    bool columnGrandTotals = true;
    bool totalsForSingleValues = false;  // totals also for groups of one value
    // Grand totals also when the outer field of the axis has a single value.
    bool grandTotalsForSingleValues = false;
};

// Colours the cells are drawn with unless a handler changes them.
struct ViewStyles {
    Rgb content = 0xFFFFFFFF;
    Rgb total = 0xFFFFFFFF;   // subtotals and grand totals
    Rgb header = 0xFFF0F0F0;  // row and column headers
};

}  // namespace morvane::pivot
