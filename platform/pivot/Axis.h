#pragma once

#include "platform/pivot/Cube.h"
#include "platform/pivot/PivotTypes.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace morvane::pivot::detail {

enum class ItemKind : std::uint8_t { Value, Total, GrandTotal };

// One row of the view (row axis) or one column (column axis): a group node,
// the data field it shows when the axis holds the data fields, and whether it
// is the group's values, its total or the grand total.
struct AxisItem {
    std::int32_t node = 0;
    std::int32_t data = -1;
    ItemKind kind = ItemKind::Value;
};

struct AxisSpec {
    const Tree* tree = nullptr;
    int dataLevel = -1;  // level of the data-field captions, -1 when not on this axis
    int dataCount = 0;
    bool totals = true;
    bool grandTotals = true;
    bool totalsForSingleValues = false;
    bool grandTotalsForSingleValues = false;
    // Per field of the axis (by depth - 1): false leaves its groups without a total. Empty:
    // every field has its totals.
    std::vector<char> fieldTotals;
    std::function<bool(std::int32_t node)> collapsed;  // may be empty: all expanded
};

// A header cell of the axis, resolved to the cell that shows it: a value or
// total spans the items of its group and, when nothing deeper is shown, the
// deeper levels too.
struct HeaderSlot {
    HeaderKind kind = HeaderKind::Empty;
    std::int32_t node = -1;  // group node of a Value or Total
    std::int32_t data = -1;  // data field of a DataCaption
    int anchorItem = 0, anchorLevel = 0;
    int itemSpan = 1, levelSpan = 1;
};

class AxisLayout {
  public:
    void build(const AxisSpec& shape);

    int levelCount() const { return levels_; }
    int itemCount() const { return static_cast<int>(items_.size()); }
    const AxisItem& item(int i) const { return items_[static_cast<size_t>(i)]; }
    int dataLevel() const { return dataLevel_; }
    // Field level (0 = first field of the axis) shown at a header level, or -1
    // for the data level or an axis without fields.
    int fieldLevel(int level) const;
    const Tree& tree() const { return *tree_; }

    HeaderSlot header(int item, int level) const;

  private:
    struct Base {
        HeaderKind kind;
        std::int32_t node, data;
        int anchorLevel;
        bool operator==(const Base&) const = default;
    };
    Base base(int item, int level) const;
    void emitChildren(std::int32_t node, int level, int data);
    void emitNode(std::int32_t node, int level, int data);
    void push(std::int32_t node, int data, ItemKind kind, bool perData);

    const Tree* tree_ = nullptr;
    AxisSpec shape_;
    int levels_ = 1;
    int dataLevel_ = -1;
    std::vector<AxisItem> items_;
    std::vector<std::int32_t> runStart_, runEnd_;  // [level * items + item]
};

}  // namespace morvane::pivot::detail
