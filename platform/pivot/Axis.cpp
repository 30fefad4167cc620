#include "platform/pivot/Axis.h"

namespace morvane::pivot::detail {

void AxisLayout::push(std::int32_t node, int data, ItemKind kind, bool perData) {
    if (perData)
        for (int d = 0; d < shape_.dataCount; ++d)
            items_.push_back(AxisItem{node, d, kind});
    else
        items_.push_back(AxisItem{node, data, kind});
}

// Children of `node` shown from header level `level` on.
void AxisLayout::emitChildren(std::int32_t node, int level, int data) {
    if (level == dataLevel_) {
        for (int d = 0; d < shape_.dataCount; ++d)
            emitChildren(node, level + 1, d);
        return;
    }
    const auto& nd = tree_->nodes[static_cast<size_t>(node)];
    for (auto c = nd.childBegin; c < nd.childEnd; ++c)
        emitNode(tree_->children[static_cast<size_t>(c)], level, data);
}

void AxisLayout::emitNode(std::int32_t node, int level, int data) {
    // The data captions lie below this level when not chosen yet.
    const bool perData = dataLevel_ > level;
    if (tree_->isLeaf(node) || (shape_.collapsed && shape_.collapsed(node))) {
        push(node, data, ItemKind::Value, perData);
        return;
    }
    emitChildren(node, level + 1, data);
    const auto field = static_cast<size_t>(tree_->nodes[static_cast<size_t>(node)].depth) - 1;
    const bool fieldTotals = field >= shape_.fieldTotals.size() || shape_.fieldTotals[field];
    if (shape_.totals && fieldTotals &&
        (tree_->childCount(node) > 1 || shape_.totalsForSingleValues))
        push(node, data, ItemKind::Total, perData);
}

int AxisLayout::fieldLevel(int level) const {
    if (tree_->fieldCount == 0 || level == dataLevel_)
        return -1;
    return dataLevel_ >= 0 && level > dataLevel_ ? level - 1 : level;
}

void AxisLayout::build(const AxisSpec& shape) {
    shape_ = shape;
    tree_ = shape.tree;
    items_.clear();
    const int fields = tree_->fieldCount;
    dataLevel_ = shape.dataCount > 1 ? shape.dataLevel : -1;
    if (dataLevel_ > fields)
        dataLevel_ = fields;
    if (fields == 0) {
        // No field: one grand item, or one per data field under its caption.
        levels_ = 1;
        dataLevel_ = dataLevel_ >= 0 ? 0 : -1;
        push(0, -1, ItemKind::GrandTotal, dataLevel_ >= 0);
    } else {
        levels_ = fields + (dataLevel_ >= 0 ? 1 : 0);
        emitChildren(0, 0, -1);
        // A grand total that would repeat the only value of the outer field
        // is left out unless asked for.
        const bool single = tree_->childCount(0) == 1 && !shape.grandTotalsForSingleValues;
        if ((shape.grandTotals && !single) || items_.empty())
            push(0, -1, ItemKind::GrandTotal, dataLevel_ >= 0);
    }
    // Runs of equal header cells per level: a cell continues the run of the
    // item before it when it and all cells above it show the same thing.
    const size_t n = items_.size();
    runStart_.assign(n * static_cast<size_t>(levels_), 0);
    runEnd_.assign(n * static_cast<size_t>(levels_), 0);
    std::vector<char> same(n, 0);
    for (int l = 0; l < levels_; ++l) {
        const size_t off = static_cast<size_t>(l) * n;
        for (size_t i = 0; i < n; ++i) {
            const bool s = i > 0 && (l == 0 || same[i]) &&
                           base(static_cast<int>(i) - 1, l) == base(static_cast<int>(i), l);
            same[i] = s;
            runStart_[off + i] = s ? runStart_[off + i - 1] : static_cast<std::int32_t>(i);
        }
        for (size_t i = n; i-- > 0;)
            runEnd_[off + i] = (i + 1 < n && runStart_[off + i + 1] == runStart_[off + i])
                                   ? runEnd_[off + i + 1]
                                   : static_cast<std::int32_t>(i);
    }
}

AxisLayout::Base AxisLayout::base(int i, int level) const {
    const AxisItem& it = items_[static_cast<size_t>(i)];
    const int fields = tree_->fieldCount;
    if (fields == 0)
        return dataLevel_ >= 0 ? Base{HeaderKind::DataCaption, -1, it.data, 0}
                               : Base{HeaderKind::GrandTotal, 0, -1, 0};
    if (level == dataLevel_)
        return Base{HeaderKind::DataCaption, -1, it.data, level};
    const int depth = fieldLevel(level) + 1;
    const int own =
        it.kind == ItemKind::GrandTotal ? 1 : tree_->nodes[static_cast<size_t>(it.node)].depth;
    if (depth > own) {
        // Below a total, a grand total or a collapsed group: the cell at the
        // item's own level spans this one, unless the data captions lie between.
        const int ownLevel = own - 1 + (dataLevel_ >= 0 && dataLevel_ <= own - 1 ? 1 : 0);
        if (dataLevel_ >= 0 && dataLevel_ > ownLevel && dataLevel_ < level)
            return Base{HeaderKind::Empty, -1, -1, level};
        Base b = base(i, ownLevel);
        return b;
    }
    if (it.kind == ItemKind::GrandTotal)
        return Base{HeaderKind::GrandTotal, 0, -1, level};
    const std::int32_t anc = tree_->ancestorAt(it.node, depth);
    const bool total = depth == own && it.kind == ItemKind::Total;
    return Base{total ? HeaderKind::Total : HeaderKind::Value, anc, -1, level};
}

HeaderSlot AxisLayout::header(int item, int level) const {
    const Base b = base(item, level);
    HeaderSlot s;
    s.kind = b.kind;
    s.node = b.node;
    s.data = b.data;
    s.anchorLevel = b.anchorLevel;
    const size_t n = items_.size();
    const size_t off = static_cast<size_t>(b.anchorLevel) * n;
    s.anchorItem = runStart_[off + static_cast<size_t>(item)];
    s.itemSpan = runEnd_[off + static_cast<size_t>(item)] - s.anchorItem + 1;
    int span = 1;
    for (int l = b.anchorLevel + 1; l < levels_; ++l) {
        if (base(item, l).anchorLevel != b.anchorLevel)
            break;
        ++span;
    }
    s.levelSpan = span;
    return s;
}

}  // namespace morvane::pivot::detail
