#include "platform/pivot/Cube.h"

#include "platform/pivot/HashSlots.h"
#include "platform/pivot/Parallel.h"

#include <algorithm>
#include <cstring>
#include <memory>
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

int threadsFor(std::int64_t rows) {
    return rows >= kParallelRows ? workerCount() : 1;
}

// The leaves of one axis: the distinct combinations of its fields' values
// among the passing rows, numbered in display order. A row's key is its
// fields' ranks in mixed radix, so sorting keys sorts the combinations.
void computeLeaves(const std::vector<const FieldIndex*>& fields, const std::vector<bool>& desc,
                   const std::vector<std::uint8_t>& pass, std::int64_t n, Leaves& lv,
                   LargeVector<std::uint64_t>& keys) {
    const auto un = static_cast<size_t>(n);
    const size_t nf = fields.size();
    lv.ofRow.resize(un);  // written for every row below
    lv.leafOfSlot.clear();
    lv.valueIds.clear();
    lv.count = 0;
    const std::uint8_t* ok = pass.empty() ? nullptr : pass.data();
    const int threads = threadsFor(n);
    const size_t runs = static_cast<size_t>(threads);
    if (nf == 0) {
        lv.count = 1;
        parallelFor(runs, threads, [&](size_t run) {
            const RowRange rows = rowRange(n, run, runs);
            for (auto r = static_cast<size_t>(rows.begin); r < static_cast<size_t>(rows.end); ++r)
                lv.ofRow[r] = ok && !ok[r] ? -1 : 0;
        });
        return;
    }
    // The key space, and each field's weight in it when it fits in 64 bits.
    std::vector<std::uint64_t> weight(nf), card(nf);
    std::uint64_t product = 1;
    bool fits = true;
    for (size_t f = nf; f-- > 0;) {
        card[f] = static_cast<std::uint64_t>(std::max(fields[f]->cardinality(), 1));
        weight[f] = product;
        if (product > std::numeric_limits<std::uint64_t>::max() / card[f])
            fits = false;
        product *= card[f];
    }
    // The value ids of a combination, from its key.
    auto decode = [&](std::uint64_t key) {
        for (size_t f = 0; f < nf; ++f) {
            const std::uint64_t digit = key / weight[f] % card[f];
            const std::uint64_t rank = desc[f] ? card[f] - 1 - digit : digit;
            const FieldIndex& fx = *fields[f];
            lv.valueIds.push_back(fx.cardinality() > 0 ? fx.byRank[static_cast<size_t>(rank)] : 0);
        }
    };
    std::vector<std::int64_t> firstRow;  // of each distinct key, when keys are compacted
    if (fits) {
        // One pass over the rows: a field's id maps straight to its digit
        // times its weight, and a row's key is the sum over the fields.
        std::vector<std::vector<std::uint64_t>> term(nf);
        for (size_t f = 0; f < nf; ++f) {
            const FieldIndex& fx = *fields[f];
            term[f].resize(static_cast<size_t>(fx.cardinality()));
            for (size_t id = 0; id < term[f].size(); ++id) {
                const auto rk = static_cast<std::uint64_t>(fx.rank[id]);
                term[f][id] = (desc[f] ? card[f] - 1 - rk : rk) * weight[f];
            }
        }
        const std::int32_t* ids0 = fields[0]->ids.data();
        const std::uint64_t* t0 = term[0].data();
        const std::int32_t* ids1 = nf > 1 ? fields[1]->ids.data() : nullptr;
        const std::uint64_t* t1 = nf > 1 ? term[1].data() : nullptr;
        const std::int32_t* ids2 = nf > 2 ? fields[2]->ids.data() : nullptr;
        const std::uint64_t* t2 = nf > 2 ? term[2].data() : nullptr;
        // Captures by value: the loops store bytes, which may alias
        // anything, and would otherwise reload every capture on every row.
        const auto* terms = &term;
        const auto* fieldList = &fields;
        auto keyOf = [=](size_t r) {
            std::uint64_t k = t0[ids0[r]];
            if (nf > 1)
                k += t1[ids1[r]];
            if (nf > 2)
                k += t2[ids2[r]];
            for (size_t f = 3; f < nf; ++f)
                k += (*terms)[f][static_cast<size_t>((*fieldList)[f]->ids[r])];
            return k;
        };
        if (product <= (std::uint64_t{1} << 24) &&
            product <= static_cast<std::uint64_t>(n) * 4 + 1024) {
            // Small key space: a table of every combination, no hashing. A
            // row keeps its key as its slot; the table's slots that rows
            // reach are numbered in key order and become the leaves. Each
            // thread marks the keys it sees in a table of its own (a plain
            // store per row, nothing shared), and the marks are merged.
            std::vector<std::vector<std::uint8_t>> seen(runs);
            parallelFor(runs, threads, [&, ok](size_t run) {
                const RowRange rows = rowRange(n, run, runs);
                std::vector<std::uint8_t>& marks = seen[run];
                marks.assign(static_cast<size_t>(product), 0);
                std::uint8_t* const mark = marks.data();
                std::int32_t* const slot = lv.ofRow.data();
                for (auto r = static_cast<size_t>(rows.begin); r < static_cast<size_t>(rows.end);
                     ++r) {
                    if (ok && !ok[r]) {
                        slot[r] = -1;
                        continue;
                    }
                    const auto k = static_cast<std::int32_t>(keyOf(r));
                    slot[r] = k;
                    mark[k] = 1;
                }
            });
            lv.leafOfSlot.assign(static_cast<size_t>(product) + 1, -1);
            std::int32_t* leafOf = lv.leafOfSlot.data() + 1;
            std::int32_t next = 0;
            for (std::uint64_t k = 0; k < product; ++k) {
                std::uint8_t any = 0;
                for (const auto& marks : seen)
                    any |= marks[static_cast<size_t>(k)];
                if (any) {
                    leafOf[k] = next++;
                    decode(k);
                }
            }
            lv.count = next;
            return;
        }
        keys.resize(un);
        parallelFor(runs, threads, [&](size_t run) {
            const RowRange rows = rowRange(n, run, runs);
            for (auto r = static_cast<size_t>(rows.begin); r < static_cast<size_t>(rows.end); ++r)
                keys[r] = keyOf(r);
        });
    } else {
        // Too many combinations for 64 bits: field by field, compacting the
        // keys seen so far whenever the next field would overflow them.
        keys.resize(un);  // the first field writes every key
        product = 1;
        for (size_t f = 0; f < nf; ++f) {
            const FieldIndex& fx = *fields[f];
            const std::uint64_t c = card[f];
            if (product > std::numeric_limits<std::uint64_t>::max() / c)
                product = densify(keys, pass);
            const bool d = desc[f];
            const std::int32_t* ids = fx.ids.data();
            const std::int32_t* rank = fx.rank.data();
            const auto last = static_cast<std::uint64_t>(c - 1);
            std::uint64_t* k = keys.data();
            for (size_t r = 0; r < un; ++r) {
                const auto rk = static_cast<std::uint64_t>(rank[ids[r]]);
                k[r] = (f == 0 ? 0 : k[r] * c) + (d ? last - rk : rk);
            }
            product *= c;
        }
    }
    HashSlots table;
    std::vector<std::uint64_t> distinct;
    for (size_t r = 0; r < un; ++r) {
        if (ok && !ok[r]) {
            lv.ofRow[r] = -1;
            continue;
        }
        const std::uint64_t k = keys[r];
        const auto next = static_cast<std::int32_t>(distinct.size());
        const std::int32_t id = table.findOrInsert(mixHash(k), next, [&](std::int32_t i) {
            return distinct[static_cast<size_t>(i)] == k;
        });
        if (id == next) {
            distinct.push_back(k);
            if (!fits)
                firstRow.push_back(static_cast<std::int64_t>(r));
        }
        lv.ofRow[r] = id;
    }
    std::vector<std::int32_t> order(distinct.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::int32_t>(i);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return distinct[static_cast<size_t>(a)] < distinct[static_cast<size_t>(b)];
    });
    std::vector<std::int32_t> remap(distinct.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const auto o = static_cast<size_t>(order[i]);
        remap[o] = static_cast<std::int32_t>(i);
        if (fits) {
            decode(distinct[o]);
        } else {
            // Compacted keys no longer spell the values: a row of the leaf does.
            const auto row = static_cast<size_t>(firstRow[o]);
            for (size_t f = 0; f < nf; ++f)
                lv.valueIds.push_back(fields[f]->ids[row]);
        }
    }
    parallelFor(runs, threads, [&](size_t run) {
        const RowRange rows = rowRange(n, run, runs);
        for (auto r = static_cast<size_t>(rows.begin); r < static_cast<size_t>(rows.end); ++r)
            if (lv.ofRow[r] >= 0)
                lv.ofRow[r] = remap[static_cast<size_t>(lv.ofRow[r])];
    });
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
            const std::int32_t* ids = lv.valueIds.data() + static_cast<size_t>(l) * static_cast<size_t>(k);
            int j = 0;
            if (l > 0)
                while (j < k && ids[j] == prevIds[static_cast<size_t>(j)])
                    ++j;
            for (; j < k; ++j) {
                // The node open at depth j+1 ends here; a new one starts.
                if (l > 0)
                    t.nodes[static_cast<size_t>(open[static_cast<size_t>(j) + 1])].leafEnd = l;
                TreeNode nd;
                nd.parent = open[static_cast<size_t>(j)];
                nd.depth = j + 1;
                nd.valueId = ids[j];
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

void Cube::addEntries(std::int32_t node, Level& lv, Level* up, size_t& cursor) {
    const auto nm = static_cast<size_t>(nm_);
    const size_t nLeaves = lv.mark.size();
    auto& touched = lv.touched;
    // Emit in leaf order: sort the touched leaves, or sweep all leaves when
    // most of them were touched.
    if (touched.size() * 16 < nLeaves) {
        std::sort(touched.begin(), touched.end());
    } else {
        touched.clear();
        for (size_t c = 0; c < nLeaves; ++c)
            if (lv.mark[c])
                touched.push_back(static_cast<std::int32_t>(c));
    }
    entBegin_[static_cast<size_t>(node)] = static_cast<std::int64_t>(cursor);
    std::int32_t* col = entCol_.data() + cursor;
    Num* sum = entSum_.data() + cursor * nm;
    std::uint8_t* any = entAny_.data() + cursor * nm;
    for (const std::int32_t c : touched) {
        const auto uc = static_cast<size_t>(c);
        *col++ = c;
        Num* from = lv.sum.data() + uc * nm;
        std::uint8_t* fromAny = lv.any.data() + uc * nm;
        if (up) {
            // The group's sums go into its parent's as the group closes, in
            // the order of the groups, as a sum over the children's totals.
            if (!up->mark[uc]) {
                up->mark[uc] = 1;
                up->touched.push_back(c);
            }
            Num* to = up->sum.data() + uc * nm;
            std::uint8_t* toAny = up->any.data() + uc * nm;
            for (size_t m = 0; m < nm; ++m) {
                if (isReal_[m])
                    to[m].d += from[m].d;
                else
                    to[m].i += from[m].i;
                toAny[m] |= fromAny[m];
            }
        }
        for (size_t m = 0; m < nm; ++m) {
            *sum++ = from[m];
            *any++ = fromAny[m];
            from[m].i = 0;
            fromAny[m] = 0;
        }
        lv.mark[uc] = 0;
    }
    cursor += touched.size();
    entEnd_[static_cast<size_t>(node)] = static_cast<std::int64_t>(cursor);
    touched.clear();
}

void Cube::build(const CubeSpec& shape) {
    const std::int64_t n = shape.rowCount;
    const auto un = static_cast<size_t>(n);
    nm_ = static_cast<int>(shape.measures.size());
    const auto nm = static_cast<size_t>(nm_);
    real_.assign(nm, false);
    isReal_.assign(nm, 0);
    for (size_t m = 0; m < nm; ++m) {
        real_[m] = shape.measures[m]->real;
        isReal_[m] = real_[m] ? 1 : 0;
    }
    const std::uint8_t* isReal = isReal_.data();

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
    const auto nLeaves = static_cast<size_t>(cl.count);
    const size_t cells = static_cast<size_t>(rl.count) * nLeaves;

    // Few cells for many rows (a short list of goods by day): every row's
    // measures go straight into the sums of its cell, in row order, in one
    // pass. Otherwise (cells are spread, most hold a row or two) the rows are
    // bucketed by row leaf first and each leaf's records summed in sequence,
    // so that the working set stays one leaf's row of sums.
    const bool dense = cells <= std::max<size_t>(un, 1) && cells * nm <= kDenseCells;

    // A record: the column leaf in the low half of its first word, then the
    // measures; which measures have a value goes in the first word's high
    // half, or in words after the measures when there are more than 32.
    const bool inlineBits = nm <= 32;
    const size_t words = inlineBits ? 0 : (nm + 63) / 64;
    const size_t stride = 1 + nm + words;
    auto hasValue = [&](const Num* rec, size_t m) -> std::uint8_t {
        return inlineBits
                   ? static_cast<std::uint8_t>((static_cast<std::uint64_t>(rec[0].i) >> (32 + m)) &
                                               1u)
                   : static_cast<std::uint8_t>(
                         (static_cast<std::uint64_t>(rec[1 + nm + m / 64].i) >> (m % 64)) & 1u);
    };
    std::vector<std::int64_t> start;
    if (dense) {
        denseSum_.assign(cells * nm, Num{0});
        denseAny_.assign(cells * nm, 0);
        denseHit_.assign(cells, 0);
        accumulateDense(shape, un);
    } else {
        // Source rows bucketed by row leaf: each row's column leaf, measures
        // and their presence go into one record at its bucket position. Each
        // thread counts and places the rows of one run; a bucket holds the
        // first run's rows, then the second's, so rows keep their order.
        const int threads = threadsFor(n);
        const auto runs = static_cast<size_t>(threads);
        const auto leaves = static_cast<size_t>(rl.count);
        std::vector<std::vector<std::int64_t>> fill(runs);
        parallelFor(runs, threads, [&](size_t run) {
            std::vector<std::int64_t>& count = fill[run];
            count.assign(leaves, 0);
            const RowRange rows = rowRange(n, run, runs);
            for (auto r = static_cast<size_t>(rows.begin); r < static_cast<size_t>(rows.end); ++r) {
                const std::int32_t l = rl.leaf(r);
                if (l >= 0)
                    ++count[static_cast<size_t>(l)];
            }
        });
        start.assign(leaves + 1, 0);
        for (size_t l = 0; l < leaves; ++l) {
            std::int64_t at = start[l];
            for (auto& count : fill) {
                const std::int64_t c = count[l];
                count[l] = at;
                at += c;
            }
            start[l + 1] = at;
        }
        const auto passing = static_cast<size_t>(start.back());
        packed_.resize(passing * stride);
        parallelFor(runs, threads, [&](size_t run) {
            std::int64_t* const next = fill[run].data();
            Num* const packed = packed_.data();
            const RowRange rows = rowRange(n, run, runs);
            for (auto r = static_cast<size_t>(rows.begin); r < static_cast<size_t>(rows.end); ++r) {
                const std::int32_t l = rl.leaf(r);
                if (l < 0)
                    continue;
                Num* rec = packed + static_cast<size_t>(next[l]++) * stride;
                std::uint64_t head = static_cast<std::uint32_t>(cl.leaf(r));
                for (size_t w = 0; w < words; ++w)
                    rec[1 + nm + w].i = 0;
                for (size_t m = 0; m < nm; ++m) {
                    if (!shape.measures[m]->read(r, rec[1 + m]))
                        continue;
                    if (inlineBits)
                        head |= std::uint64_t{1} << (32 + m);
                    else
                        rec[1 + nm + m / 64].i |= std::int64_t{1} << (m % 64);
                }
                rec[0].i = static_cast<std::int64_t>(head);
            }
        });
    }

    const size_t nodes = rows_.nodes.size();
    entBegin_.assign(nodes, 0);
    entEnd_.assign(nodes, 0);
    const int k = rows_.fieldCount;
    // Each group of a level sums its leaves' sums, or its children's: the
    // rows (or cells) of a leaf, in order.
    auto feed = [&](std::int32_t l, Level& leafLevel) {
        if (dense) {
            // The leaf's row of cells, already summed: its cells that rows
            // reached, in column order.
            const size_t row = static_cast<size_t>(l) * nLeaves;
            for (size_t c = 0; c < nLeaves; ++c) {
                if (!denseHit_[row + c])
                    continue;
                leafLevel.mark[c] = 1;
                leafLevel.touched.push_back(static_cast<std::int32_t>(c));
                for (size_t m = 0; m < nm; ++m) {
                    leafLevel.sum[c * nm + m] = denseSum_[m * cells + row + c];
                    leafLevel.any[c * nm + m] = denseAny_[m * cells + row + c];
                }
            }
            return;
        }
        const Num* rec = packed_.data() + static_cast<size_t>(start[static_cast<size_t>(l)]) * stride;
        const Num* end =
            packed_.data() + static_cast<size_t>(start[static_cast<size_t>(l) + 1]) * stride;
        for (; rec != end; rec += stride) {
            const auto c = static_cast<size_t>(static_cast<std::uint32_t>(rec[0].i));
            if (!leafLevel.mark[c]) {
                leafLevel.mark[c] = 1;
                leafLevel.touched.push_back(static_cast<std::int32_t>(c));
            }
            Num* sum = leafLevel.sum.data() + c * nm;
            std::uint8_t* any = leafLevel.any.data() + c * nm;
            for (size_t m = 0; m < nm; ++m) {
                if (isReal[m])
                    sum[m].d += rec[1 + m].d;
                else
                    sum[m].i += rec[1 + m].i;
                any[m] |= hasValue(rec, m);
            }
        }
    };
    // What the leaves before leaf l hold: records, or cells.
    auto before = [&](std::int32_t l) -> size_t {
        return dense ? static_cast<size_t>(l) * nLeaves : static_cast<size_t>(start[static_cast<size_t>(l)]);
    };
    // The outermost groups are split in two runs of about the same size, rolled up at the
    // same time; the second run's groups then go into the grand total after the first's, in
    // their order, so that every sum is taken as one run would take it.
    std::int32_t split = rl.count;
    const auto& root = rows_.nodes[0];
    if (k > 0 && n >= kParallelRows && workerCount() > 1 && root.childEnd - root.childBegin > 1) {
        const size_t half = before(rl.count) / 2;
        size_t best = std::numeric_limits<size_t>::max();
        for (auto c = root.childBegin + 1; c < root.childEnd; ++c) {
            const std::int32_t first = rows_.nodes[static_cast<size_t>(rows_.children[static_cast<size_t>(c)])].leafBegin;
            const size_t at = before(first);
            const size_t off = at > half ? at - half : half - at;
            if (off < best) {
                best = off;
                split = first;
            }
        }
    }
    // Each level of row groups holds at most as many entries as the level below it; the
    // second run writes after the first's bound, and the grand total after both. Reserving
    // the bounds costs address space only.
    const auto levelsAbove = static_cast<size_t>(k + 1);
    const size_t boundFirst = before(split) * levelsAbove + 1;
    const size_t bound = boundFirst + (before(rl.count) - before(split)) * levelsAbove + nLeaves + 1;
    // Sized, not filled: entries are written in place (see addEntries) and the arrays cut
    // to what was written at the end.
    entCol_.clear();  // nothing to carry over if the arrays must grow
    entSum_.clear();
    entAny_.clear();
    entCol_.resize(bound);
    entSum_.resize(bound * nm);
    entAny_.resize(bound * nm);
    std::vector<Level> second;
    size_t cursor = 0, secondCursor = boundFirst;
    parallelFor(split < rl.count ? 2 : 1, 2, [&](size_t part) {
        if (part == 0)
            rollUp(0, split, levels_, cursor, true, feed);
        else
            rollUp(split, rl.count, second, secondCursor, false, feed);
    });
    if (k == 0) {
        // The grand total is the only leaf, closed above.
    } else {
        if (split < rl.count) {
            // The second run's outermost groups into the grand total, in order, as their
            // closing would have added them.
            Level& top = levels_[0];
            for (auto c = root.childBegin; c < root.childEnd; ++c) {
                const auto node = static_cast<size_t>(rows_.children[static_cast<size_t>(c)]);
                if (rows_.nodes[node].leafBegin < split)
                    continue;
                for (auto e = entBegin_[node]; e < entEnd_[node]; ++e) {
                    const auto col = static_cast<size_t>(entCol_[static_cast<size_t>(e)]);
                    if (!top.mark[col]) {
                        top.mark[col] = 1;
                        top.touched.push_back(static_cast<std::int32_t>(col));
                    }
                    const size_t from = static_cast<size_t>(e) * nm;
                    for (size_t m = 0; m < nm; ++m) {
                        if (isReal[m])
                            top.sum[col * nm + m].d += entSum_[from + m].d;
                        else
                            top.sum[col * nm + m].i += entSum_[from + m].i;
                        top.any[col * nm + m] |= entAny_[from + m];
                    }
                }
            }
            // Then its entries right after the first run's.
            const size_t shift = boundFirst - cursor;
            const size_t count = secondCursor - boundFirst;
            std::memmove(entCol_.data() + cursor, entCol_.data() + boundFirst,
                         count * sizeof(std::int32_t));
            std::memmove(entSum_.data() + cursor * nm, entSum_.data() + boundFirst * nm,
                         count * nm * sizeof(Num));
            std::memmove(entAny_.data() + cursor * nm, entAny_.data() + boundFirst * nm, count * nm);
            for (size_t node = 1; node < nodes; ++node)
                if (rows_.nodes[node].leafBegin >= split) {
                    entBegin_[node] -= static_cast<std::int64_t>(shift);
                    entEnd_[node] -= static_cast<std::int64_t>(shift);
                }
            cursor += count;
        }
        addEntries(0, levels_[0], nullptr, cursor);
    }
    entCol_.resize(cursor);
    entSum_.resize(cursor * nm);
    entAny_.resize(cursor * nm);
    levels_ = {};
}

template <class Feed>
void Cube::rollUp(std::int32_t firstLeaf, std::int32_t lastLeaf, std::vector<Level>& levels,
                  size_t& cursor, bool intoGrandTotal, const Feed& feed) {
    const int k = rows_.fieldCount;
    const auto nm = static_cast<size_t>(nm_);
    const auto nLeaves = static_cast<size_t>(colLeaves_.count);
    // One row of sums over the column leaves per level of row groups: the
    // open group of each level collects its rows (leaves) or its closed
    // children's totals (groups above the leaves).
    levels.resize(static_cast<size_t>(k) + 1);
    for (auto& lv : levels) {
        lv.sum.assign(nLeaves * nm, Num{0});
        lv.any.assign(nLeaves * nm, 0);
        lv.mark.assign(nLeaves, 0);
        lv.touched.clear();
    }
    std::vector<std::int32_t> open(static_cast<size_t>(k) + 1, -1), chain(open.size(), -1);
    open[0] = 0;
    auto close = [&](int d) {
        Level* up = d > 1 || (d == 1 && intoGrandTotal) ? &levels[static_cast<size_t>(d) - 1] : nullptr;
        addEntries(open[static_cast<size_t>(d)], levels[static_cast<size_t>(d)], up, cursor);
        open[static_cast<size_t>(d)] = -1;
    };
    Level& leafLevel = levels[static_cast<size_t>(k)];
    for (std::int32_t l = firstLeaf; l < lastLeaf; ++l) {
        const std::int32_t leaf = rows_.leafNode[static_cast<size_t>(l)];
        if (k > 0) {
            // Close the groups the previous leaf was in and this one is not,
            // deepest first.
            for (std::int32_t nd = leaf; nd >= 0; nd = rows_.nodes[static_cast<size_t>(nd)].parent)
                chain[static_cast<size_t>(rows_.nodes[static_cast<size_t>(nd)].depth)] = nd;
            int j = 1;
            while (j < k && open[static_cast<size_t>(j)] == chain[static_cast<size_t>(j)])
                ++j;
            for (int d = k - 1; d >= j; --d)
                if (open[static_cast<size_t>(d)] >= 0)
                    close(d);
            for (int d = j; d < k; ++d)
                open[static_cast<size_t>(d)] = chain[static_cast<size_t>(d)];
        }
        feed(l, leafLevel);
        open[static_cast<size_t>(k)] = leaf;
        close(k);
    }
    // The groups still open, up to the outermost ones (the grand total is closed by build).
    for (int d = k - 1; d >= 1; --d)
        if (open[static_cast<size_t>(d)] >= 0)
            close(d);
}


void Cube::accumulateDense(const CubeSpec& shape, size_t rows) {
    const auto nm = static_cast<size_t>(nm_);
    const auto nLeaves = static_cast<size_t>(colLeaves_.count);
    const size_t cells = static_cast<size_t>(rowLeaves_.count) * nLeaves;
    const Leaves& rl = rowLeaves_;
    const Leaves& cl = colLeaves_;
    // A measure per thread: each cell's sum is taken in row order, exactly as
    // one thread would take it, and each thread's sums are one array of
    // cells, small enough to stay in its core's cache. The first also marks
    // the cells that rows reach (all of them when there is no measure).
    const int threads = threadsFor(static_cast<std::int64_t>(rows));
    // Every pointer the loops use is a local copy: the loops store bytes,
    // which may alias anything, and would otherwise reload them on every row.
    auto sweep = [&rl, &cl, rows, cells, nLeaves, this](size_t m, auto value) {
        const std::int32_t* const rowSlot = rl.ofRow.data();
        const std::int32_t* const colSlot = cl.ofRow.data();
        // Leaves through their tables, or as stored.
        const std::int32_t* const rowLeaf =
            rl.leafOfSlot.empty() ? nullptr : rl.leafOfSlot.data() + 1;
        const std::int32_t* const colLeaf =
            cl.leafOfSlot.empty() ? nullptr : cl.leafOfSlot.data() + 1;
        std::uint8_t* const hit = m == 0 ? denseHit_.data() : nullptr;
        Num* const sums = denseSum_.data() + m * cells;
        std::uint8_t* const any = denseAny_.data() + m * cells;
        for (size_t r = 0; r < rows; ++r) {
            const std::int32_t rs = rowSlot[r];
            const std::int32_t l = rowLeaf ? rowLeaf[rs] : rs;
            if (l < 0)
                continue;
            const std::int32_t cs = colSlot[r];
            const size_t cell = static_cast<size_t>(l) * nLeaves +
                                static_cast<size_t>(colLeaf ? colLeaf[cs] : cs);
            if (hit)
                hit[cell] = 1;
            value(r, sums[cell], any[cell]);
        }
    };
    parallelFor(std::max<size_t>(nm, 1), threads, [&](size_t m) {
        if (m >= nm) {
            sweep(m, [](size_t, Num&, std::uint8_t&) {});
            return;
        }
        // One loop per kind of column, so that the loop tests nothing else.
        const MeasureColumn& x = *shape.measures[m];
        const std::uint64_t* const nulls = x.nullBits;
        const std::int64_t* const ints = x.ints;
        const double* const reals = x.reals;
        auto isNull = [nulls](size_t r) { return nulls && ((nulls[r >> 6] >> (r & 63)) & 1u); };
        switch (x.kind) {
            case MeasureColumn::Kind::Integer:
                sweep(m, [isNull, ints](size_t r, Num& sum, std::uint8_t& any) {
                    const bool null = isNull(r);
                    sum.i += null ? 0 : ints[r];
                    any |= static_cast<std::uint8_t>(!null);
                });
                break;
            case MeasureColumn::Kind::Real:
                sweep(m, [isNull, reals](size_t r, Num& sum, std::uint8_t& any) {
                    const double d = reals[r];
                    const bool present = !isNull(r) && d == d;
                    sum.d += present ? d : 0.0;
                    any |= static_cast<std::uint8_t>(present);
                });
                break;
            case MeasureColumn::Kind::Count:
                sweep(m, [isNull](size_t r, Num& sum, std::uint8_t& any) {
                    const bool null = isNull(r);
                    sum.i += null ? 0 : 1;
                    any |= static_cast<std::uint8_t>(!null);
                });
                break;
            case MeasureColumn::Kind::None:
                sweep(m, [](size_t, Num&, std::uint8_t&) {});
                break;
        }
    });
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
