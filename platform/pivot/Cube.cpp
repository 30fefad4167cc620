#include "platform/pivot/Cube.h"

#include "platform/pivot/HashSlots.h"

#include <algorithm>
#include <limits>

namespace morvane::pivot::detail {

namespace {

// Turns the keys of the passing rows into 0..n-1 keeping their order.
std::uint64_t densify(LargeVector<std::uint64_t>& keys, const std::vector<std::uint8_t>& pass) {
    std::vector<std::uint64_t> distinct;
    distinct.reserve(keys.size());
    for (size_t r = 0; r < keys.size(); ++r)
        if (pass.empty() || pass[r])
            distinct.push_back(keys[r]);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (size_t r = 0; r < keys.size(); ++r)
        if (pass.empty() || pass[r])
            keys[r] = static_cast<std::uint64_t>(
                std::lower_bound(distinct.begin(), distinct.end(), keys[r]) - distinct.begin());
    return std::max<std::uint64_t>(distinct.size(), 1);
}

// The leaves of one axis: the distinct combinations of its fields' values
// among the passing rows, numbered in display order. A row's key is its
// fields' ranks in mixed radix, so sorting keys sorts the combinations.
void computeLeaves(const std::vector<const FieldIndex*>& fields, const std::vector<bool>& desc,
                   const std::vector<std::uint8_t>& pass, std::int64_t n, Leaves& lv,
                   LargeVector<std::uint64_t>& keys) {
    const auto un = static_cast<size_t>(n);
    lv.leafOfRow.assign(un, -1);
    lv.rep.clear();
    lv.count = 0;
    auto passes = [&](size_t r) { return pass.empty() || pass[r] != 0; };
    if (fields.empty()) {
        lv.count = 1;
        lv.rep.push_back(-1);
        for (size_t r = 0; r < un; ++r)
            if (passes(r)) {
                lv.leafOfRow[r] = 0;
                if (lv.rep[0] < 0)
                    lv.rep[0] = static_cast<std::int64_t>(r);
            }
        return;
    }
    keys.assign(un, 0);
    std::uint64_t product = 1;
    for (size_t f = 0; f < fields.size(); ++f) {
        const FieldIndex& fx = *fields[f];
        const auto card = static_cast<std::uint64_t>(std::max(fx.cardinality(), 1));
        if (product > std::numeric_limits<std::uint64_t>::max() / card)
            product = densify(keys, pass);
        const bool d = desc[f];
        const std::int32_t* ids = fx.ids.data();
        const std::int32_t* rank = fx.rank.data();
        const auto last = static_cast<std::uint64_t>(card - 1);
        for (size_t r = 0; r < un; ++r) {
            const auto rk = static_cast<std::uint64_t>(rank[ids[r]]);
            keys[r] = keys[r] * card + (d ? last - rk : rk);
        }
        product *= card;
    }
    if (product <= (std::uint64_t{1} << 24) &&
        product <= static_cast<std::uint64_t>(n) * 4 + 1024) {
        // Small key space: a direct table, no hashing.
        std::vector<std::int32_t> direct(static_cast<size_t>(product), -1);
        for (size_t r = 0; r < un; ++r)
            if (passes(r))
                direct[static_cast<size_t>(keys[r])] = 0;
        std::int32_t next = 0;
        for (auto& t : direct)
            if (t == 0)
                t = ++next;  // 1-based while marking
        lv.count = next;
        lv.rep.assign(static_cast<size_t>(next), -1);
        for (size_t r = 0; r < un; ++r) {
            if (!passes(r))
                continue;
            const std::int32_t leaf = direct[static_cast<size_t>(keys[r])] - 1;
            lv.leafOfRow[r] = leaf;
            if (lv.rep[static_cast<size_t>(leaf)] < 0)
                lv.rep[static_cast<size_t>(leaf)] = static_cast<std::int64_t>(r);
        }
        return;
    }
    HashSlots table;
    std::vector<std::uint64_t> distinct;
    std::vector<std::int64_t> firstRow;
    for (size_t r = 0; r < un; ++r) {
        if (!passes(r))
            continue;
        const std::uint64_t k = keys[r];
        const auto next = static_cast<std::int32_t>(distinct.size());
        const std::int32_t id = table.findOrInsert(mixHash(k), next, [&](std::int32_t i) {
            return distinct[static_cast<size_t>(i)] == k;
        });
        if (id == next) {
            distinct.push_back(k);
            firstRow.push_back(static_cast<std::int64_t>(r));
        }
        lv.leafOfRow[r] = id;
    }
    std::vector<std::int32_t> order(distinct.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::int32_t>(i);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return distinct[static_cast<size_t>(a)] < distinct[static_cast<size_t>(b)];
    });
    std::vector<std::int32_t> remap(distinct.size());
    lv.rep.resize(distinct.size());
    for (size_t i = 0; i < order.size(); ++i) {
        remap[static_cast<size_t>(order[i])] = static_cast<std::int32_t>(i);
        lv.rep[i] = firstRow[static_cast<size_t>(order[i])];
    }
    for (auto& l : lv.leafOfRow)
        if (l >= 0)
            l = remap[static_cast<size_t>(l)];
    lv.count = static_cast<std::int32_t>(distinct.size());
}

Tree buildTree(const std::vector<const FieldIndex*>& fields, const Leaves& lv) {
    Tree t;
    const int k = static_cast<int>(fields.size());
    t.fieldCount = k;
    TreeNode root;
    root.leafEnd = lv.count;
    t.nodes.push_back(root);
    if (k == 0) {
        t.leafNode.assign(static_cast<size_t>(lv.count), 0);
    } else {
        t.leafNode.resize(static_cast<size_t>(lv.count));
        std::vector<std::int32_t> open(static_cast<size_t>(k) + 1, 0);
        std::vector<std::int32_t> prevIds(static_cast<size_t>(k), -1);
        for (std::int32_t l = 0; l < lv.count; ++l) {
            const auto row = static_cast<size_t>(lv.rep[static_cast<size_t>(l)]);
            int j = 0;
            if (l > 0)
                while (j < k &&
                       fields[static_cast<size_t>(j)]->ids[row] == prevIds[static_cast<size_t>(j)])
                    ++j;
            for (; j < k; ++j) {
                // The node open at depth j+1 ends here; a new one starts.
                if (l > 0)
                    t.nodes[static_cast<size_t>(open[static_cast<size_t>(j) + 1])].leafEnd = l;
                TreeNode nd;
                nd.parent = open[static_cast<size_t>(j)];
                nd.depth = j + 1;
                nd.valueId = fields[static_cast<size_t>(j)]->ids[row];
                nd.leafBegin = l;
                t.nodes.push_back(nd);
                open[static_cast<size_t>(j) + 1] = static_cast<std::int32_t>(t.nodes.size()) - 1;
                prevIds[static_cast<size_t>(j)] = nd.valueId;
            }
            t.leafNode[static_cast<size_t>(l)] = open[static_cast<size_t>(k)];
        }
        if (lv.count > 0)
            for (int j = 1; j <= k; ++j)
                t.nodes[static_cast<size_t>(open[static_cast<size_t>(j)])].leafEnd = lv.count;
    }
    // Children lists: nodes are in preorder, so each parent's children come
    // in display order.
    const size_t nn = t.nodes.size();
    std::vector<std::int32_t> counts(nn + 1, 0);
    for (size_t i = 1; i < nn; ++i)
        ++counts[static_cast<size_t>(t.nodes[i].parent) + 1];
    for (size_t i = 0; i < nn; ++i)
        counts[i + 1] += counts[i];
    for (size_t i = 0; i < nn; ++i)
        t.nodes[i].childBegin = t.nodes[i].childEnd = counts[i];
    t.children.resize(nn > 0 ? nn - 1 : 0);
    for (size_t i = 1; i < nn; ++i) {
        auto& p = t.nodes[static_cast<size_t>(t.nodes[i].parent)];
        t.children[static_cast<size_t>(p.childEnd++)] = static_cast<std::int32_t>(i);
    }
    return t;
}

}  // namespace

std::int32_t Tree::ancestorAt(std::int32_t n, int d) const {
    while (n >= 0 && nodes[static_cast<size_t>(n)].depth > d)
        n = nodes[static_cast<size_t>(n)].parent;
    return n;
}

void Cube::addEntries(std::int32_t node, std::vector<std::int32_t>& touched) {
    const auto nm = static_cast<size_t>(nm_);
    const size_t nLeaves = scratchMark_.size();
    // Emit in leaf order: sort the touched leaves, or sweep all leaves when
    // most of them were touched.
    if (touched.size() * 16 < nLeaves) {
        std::sort(touched.begin(), touched.end());
    } else {
        touched.clear();
        for (size_t c = 0; c < nLeaves; ++c)
            if (scratchMark_[c])
                touched.push_back(static_cast<std::int32_t>(c));
    }
    entBegin_[static_cast<size_t>(node)] = static_cast<std::int64_t>(entCol_.size());
    for (const std::int32_t c : touched) {
        const auto uc = static_cast<size_t>(c);
        entCol_.push_back(c);
        for (size_t m = 0; m < nm; ++m) {
            entSum_.push_back(scratchSum_[uc * nm + m]);
            entAny_.push_back(scratchAny_[uc * nm + m]);
            scratchSum_[uc * nm + m].i = 0;
            scratchAny_[uc * nm + m] = 0;
        }
        scratchMark_[uc] = 0;
    }
    entEnd_[static_cast<size_t>(node)] = static_cast<std::int64_t>(entCol_.size());
    touched.clear();
}

void Cube::build(const CubeSpec& shape) {
    const std::int64_t n = shape.rowCount;
    const auto un = static_cast<size_t>(n);
    nm_ = static_cast<int>(shape.measures.size());
    const auto nm = static_cast<size_t>(nm_);
    real_.assign(nm, false);
    for (size_t m = 0; m < nm; ++m)
        real_[m] = shape.measures[m]->real;

    std::vector<std::uint8_t> pass;
    if (!shape.filters.empty()) {
        pass.assign(un, 1);
        for (const auto& f : shape.filters) {
            const std::int32_t* ids = f.field->ids.data();
            const std::uint8_t* ok = f.allowed.data();
            for (size_t r = 0; r < un; ++r)
                pass[r] &= ok[ids[r]];
        }
    }
    computeLeaves(shape.rowFields, shape.rowDescending, pass, n, rowLeaves_, keys_);
    computeLeaves(shape.colFields, shape.colDescending, pass, n, colLeaves_, keys_);
    const Leaves& rl = rowLeaves_;
    const Leaves& cl = colLeaves_;
    rows_ = buildTree(shape.rowFields, rl);
    cols_ = buildTree(shape.colFields, cl);

    // Source rows bucketed by row leaf: each row's column leaf, measures and
    // their presence go into one record at its bucket position, so that the
    // pass per row leaf below reads records in sequence.
    std::vector<std::int64_t> start(static_cast<size_t>(rl.count) + 1, 0);
    for (size_t r = 0; r < un; ++r)
        if (rl.leafOfRow[r] >= 0)
            ++start[static_cast<size_t>(rl.leafOfRow[r]) + 1];
    for (size_t i = 0; i < static_cast<size_t>(rl.count); ++i)
        start[i + 1] += start[i];
    const auto passing = static_cast<size_t>(start.back());
    const size_t words = (nm + 63) / 64;
    const size_t stride = 1 + nm + words;
    {
        std::vector<std::int64_t> fill(start.begin(), start.end() - 1);
        packed_.resize(passing * stride);
        for (size_t r = 0; r < un; ++r) {
            const std::int32_t l = rl.leafOfRow[r];
            if (l < 0)
                continue;
            Num* rec =
                packed_.data() + static_cast<size_t>(fill[static_cast<size_t>(l)]++) * stride;
            rec[0].i = cl.leafOfRow[r];
            for (size_t w = 0; w < words; ++w)
                rec[1 + nm + w].i = 0;
            for (size_t m = 0; m < nm; ++m) {
                const MeasureColumn& mc = *shape.measures[m];
                if (!mc.present[r]) {
                    rec[1 + m].i = 0;
                    continue;
                }
                if (mc.real)
                    rec[1 + m].d = mc.reals[r];
                else
                    rec[1 + m].i = mc.ints[r];
                rec[1 + nm + m / 64].i |= std::int64_t{1} << (m % 64);
            }
        }
    }

    const size_t nodes = rows_.nodes.size();
    entBegin_.assign(nodes, 0);
    entEnd_.assign(nodes, 0);
    entCol_.clear();
    entSum_.clear();
    entAny_.clear();
    // Each level of row groups holds at most as many entries as the level
    // below it; reserving that bound costs address space only.
    const size_t bound = passing * static_cast<size_t>(rows_.fieldCount + 1) + 1;
    entCol_.reserve(bound);
    entSum_.reserve(bound * nm);
    entAny_.reserve(bound * nm);
    const auto nLeaves = static_cast<size_t>(cl.count);
    scratchSum_.assign(nLeaves * nm, Num{0});
    scratchAny_.assign(nLeaves * nm, 0);
    scratchMark_.assign(nLeaves, 0);
    std::vector<std::int32_t> touched;

    for (std::int32_t l = 0; l < rl.count; ++l) {
        const Num* rec =
            packed_.data() + static_cast<size_t>(start[static_cast<size_t>(l)]) * stride;
        const Num* end =
            packed_.data() + static_cast<size_t>(start[static_cast<size_t>(l) + 1]) * stride;
        for (; rec != end; rec += stride) {
            const auto c = static_cast<size_t>(rec[0].i);
            if (!scratchMark_[c]) {
                scratchMark_[c] = 1;
                touched.push_back(static_cast<std::int32_t>(c));
            }
            for (size_t m = 0; m < nm; ++m) {
                auto& sum = scratchSum_[c * nm + m];
                if (real_[m])
                    sum.d += rec[1 + m].d;
                else
                    sum.i += rec[1 + m].i;
                scratchAny_[c * nm + m] |=
                    static_cast<std::uint8_t>((rec[1 + nm + m / 64].i >> (m % 64)) & 1);
            }
        }
        addEntries(rows_.leafNode[static_cast<size_t>(l)], touched);
    }
    // Group totals bottom-up: in reverse preorder every child is done before
    // its parent.
    for (auto node = static_cast<std::int64_t>(nodes) - 1; node >= 0; --node) {
        const auto& nd = rows_.nodes[static_cast<size_t>(node)];
        if (nd.depth == rows_.fieldCount)
            continue;
        for (auto ci = nd.childBegin; ci < nd.childEnd; ++ci) {
            const auto ch = static_cast<size_t>(rows_.children[static_cast<size_t>(ci)]);
            for (auto e = entBegin_[ch]; e < entEnd_[ch]; ++e) {
                const auto c = static_cast<size_t>(entCol_[static_cast<size_t>(e)]);
                if (!scratchMark_[c]) {
                    scratchMark_[c] = 1;
                    touched.push_back(static_cast<std::int32_t>(c));
                }
                for (size_t m = 0; m < nm; ++m) {
                    const auto k = static_cast<size_t>(e) * nm + m;
                    if (real_[m])
                        scratchSum_[c * nm + m].d += entSum_[k].d;
                    else
                        scratchSum_[c * nm + m].i += entSum_[k].i;
                    scratchAny_[c * nm + m] |= entAny_[k];
                }
            }
        }
        addEntries(static_cast<std::int32_t>(node), touched);
    }
    scratchSum_ = {};
    scratchAny_ = {};
    scratchMark_ = {};
}

Summary Cube::cell(std::int32_t rowNode, std::int32_t colNode, int m) const {
    Summary s;
    if (rowNode < 0 || colNode < 0 || m < 0 || m >= nm_)
        return s;
    const auto& cn = cols_.nodes[static_cast<size_t>(colNode)];
    const auto* first = entCol_.data() + entBegin_[static_cast<size_t>(rowNode)];
    const auto* last = entCol_.data() + entEnd_[static_cast<size_t>(rowNode)];
    const auto nm = static_cast<size_t>(nm_);
    const bool real = real_[static_cast<size_t>(m)];
    for (const auto* p = std::lower_bound(first, last, cn.leafBegin); p != last && *p < cn.leafEnd;
         ++p) {
        const auto k = static_cast<size_t>(p - entCol_.data()) * nm + static_cast<size_t>(m);
        if (real)
            s.sum.d += entSum_[k].d;
        else
            s.sum.i += entSum_[k].i;
        s.present = s.present || entAny_[k] != 0;
    }
    return s;
}

void Cube::rowSummaries(std::int32_t rowNode, std::vector<Summary>& out) const {
    const auto nm = static_cast<size_t>(nm_);
    out.assign(cols_.nodes.size() * nm, Summary{});
    for (auto e = entBegin_[static_cast<size_t>(rowNode)];
         e < entEnd_[static_cast<size_t>(rowNode)]; ++e) {
        std::int32_t node = cols_.leafNode[static_cast<size_t>(entCol_[static_cast<size_t>(e)])];
        for (; node >= 0; node = cols_.nodes[static_cast<size_t>(node)].parent) {
            for (size_t m = 0; m < nm; ++m) {
                const auto k = static_cast<size_t>(e) * nm + m;
                auto& s = out[static_cast<size_t>(node) * nm + m];
                if (real_[m])
                    s.sum.d += entSum_[k].d;
                else
                    s.sum.i += entSum_[k].i;
                s.present = s.present || entAny_[k] != 0;
            }
        }
    }
}

}  // namespace morvane::pivot::detail
