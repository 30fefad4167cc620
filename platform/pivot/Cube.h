#pragma once

#include "platform/pivot/FieldIndex.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace morvane::pivot::detail {

// The groups of one axis as a tree. Nodes are in preorder with node 0 the
// root (the grand total); a node at depth d is a value of the d-th field of
// the axis; children are in display order. The deepest nodes are the leaves,
// numbered in display order, and every node covers a contiguous range of them.
struct TreeNode {
    std::int32_t parent = -1;
    std::int32_t depth = 0;
    std::int32_t valueId = -1;  // id in the FieldIndex of the node's field
    std::int32_t leafBegin = 0, leafEnd = 0;
    std::int32_t childBegin = 0, childEnd = 0;  // range in Tree::children
};

struct Tree {
    int fieldCount = 0;
    std::vector<TreeNode> nodes;
    std::vector<std::int32_t> children;
    std::vector<std::int32_t> leafNode;  // node of each leaf

    bool isLeaf(std::int32_t n) const { return nodes[static_cast<size_t>(n)].depth == fieldCount; }
    std::int32_t childCount(std::int32_t n) const {
        const auto& x = nodes[static_cast<size_t>(n)];
        return x.childEnd - x.childBegin;
    }
    // The ancestor of n at depth d (n itself when d is its depth).
    std::int32_t ancestorAt(std::int32_t n, int d) const;
};

// A sum and whether any non-NULL value went into it (else: no value).
struct Summary {
    Num sum{0};
    bool present = false;
};

// The leaves of one axis: a leaf per distinct combination of the axis's
// field values among the rows that pass the filters, in display order.
// When the combinations are few, a row holds its combination's slot in a
// table of all combinations and the table gives the leaf (no pass over the
// rows renumbers them); otherwise a row holds its leaf.
struct Leaves {
    LargeVector<std::int32_t> ofRow;        // slot or leaf; -1 for rows filtered out
    std::vector<std::int32_t> leafOfSlot;   // by slot + 1 ([0] = -1); empty: ofRow holds leaves
    std::vector<std::int32_t> valueIds;     // [leaf * fields + f]: value id of field f
    std::int32_t count = 0;

    std::int32_t leaf(std::size_t row) const {
        const std::int32_t s = ofRow[row];
        return leafOfSlot.empty() ? s : leafOfSlot[static_cast<std::size_t>(s + 1)];
    }
};

struct CubeSpec {
    std::int64_t rowCount = 0;
    std::vector<const FieldIndex*> rowFields, colFields;
    std::vector<bool> rowDescending, colDescending;
    std::vector<const MeasureColumn*> measures;
    struct Filter {
        const FieldIndex* field;
        std::vector<std::uint8_t> allowed;  // by value id
    };
    std::vector<Filter> filters;
};

// The aggregated pivot: the row and column trees and, for every row node, the
// sums per column leaf (a sparse list sorted by leaf). A column node's sum is
// the sum over its leaf range, so column totals cost nothing to store.
class Cube {
  public:
    void build(const CubeSpec& shape);

    const Tree& rows() const { return rows_; }
    const Tree& cols() const { return cols_; }
    int measureCount() const { return nm_; }
    bool isReal(int m) const { return real_[static_cast<size_t>(m)]; }

    Summary cell(std::int32_t rowNode, std::int32_t colNode, int m) const;
    // Sums of a row node for every column node: out[colNode * measures + m].
    void rowSummaries(std::int32_t rowNode, std::vector<Summary>& out) const;

    // Visits every stored (row node, column leaf) sum of measure m.
    template <class F>
    void forEachStored(int m, F&& f) const {
        const size_t n = entCol_.size();
        for (size_t e = 0; e < n; ++e) {
            const auto k = e * static_cast<size_t>(nm_) + static_cast<size_t>(m);
            if (entAny_[k])
                f(Summary{entSum_[k], true});
        }
    }

  private:
    // Sums over the column leaves of the open group of one level.
    struct Level {
        std::vector<Num> sum;            // [leaf * measures + m]
        std::vector<std::uint8_t> any;   // [leaf * measures + m]: any value
        std::vector<std::uint8_t> mark;  // by leaf: in touched
        std::vector<std::int32_t> touched;
    };
    // Stores the group's sums as its entries, adds them to its parent's level
    // (if any) and clears its level.
    void addEntries(std::int32_t node, Level& level, Level* up, size_t& cursor);
    // Rolls the row leaves [firstLeaf, lastLeaf) up through their groups, writing entries
    // from cursor on, up to the outermost groups (into the grand total's level when asked).
    template <class Feed>
    void rollUp(std::int32_t firstLeaf, std::int32_t lastLeaf, std::vector<Level>& levels,
                size_t& cursor, bool intoGrandTotal, const Feed& feed);
    // Sums every passing row into its (row leaf, column leaf) cell.
    void accumulateDense(const CubeSpec& shape, std::size_t rows);
    // Most measures times cells summed in place (about 300 MB of sums).
    static constexpr std::size_t kDenseCells = std::size_t{1} << 25;

    Tree rows_, cols_;
    int nm_ = 0;
    std::vector<bool> real_;
    std::vector<std::int64_t> entBegin_, entEnd_;  // by row node
    LargeVector<std::int32_t> entCol_;             // column leaf of each entry
    LargeVector<Num> entSum_;                      // measures per entry
    LargeVector<std::uint8_t> entAny_;             // measures per entry: any value
    // Per-row working storage, kept between builds so that a new layout
    // neither allocates nor faults in fresh pages.
    LargeVector<std::uint64_t> keys_;
    Leaves rowLeaves_, colLeaves_;
    LargeVector<Num> packed_;
    // The sums of every (row leaf, column leaf) cell when those cells are
    // fewer than the rows: [m * cells + cell], any value, any row.
    LargeVector<Num> denseSum_;
    LargeVector<std::uint8_t> denseAny_, denseHit_;
    // Per level of row groups while building.
    std::vector<Level> levels_;
    std::vector<std::uint8_t> isReal_;  // real_ as bytes, for the inner loops
};

}  // namespace morvane::pivot::detail
