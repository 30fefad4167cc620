#include "platform/pivot/FieldIndex.h"

#include "platform/pivot/HashSlots.h"
#include "platform/pivot/Parallel.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <type_traits>
#include <variant>

namespace morvane::pivot::detail {

namespace {

// A column read from its arrays: no call per cell.
struct ArrayReader {
    PivotSource::ColumnData data;
    // Texts that start at or before this byte can be read 8 bytes at a time.
    const char* wideLoads = nullptr;
    bool isNull(std::int64_t r) const { return data.isNull(r); }
    std::int64_t integer(std::int64_t r) const { return data.integers[r]; }
    double real(std::int64_t r) const { return data.reals[r]; }
    std::string_view text(std::int64_t r) const { return data.text(r); }
    std::uint64_t word(std::string_view k) const;
};

// A column read through the source's accessors.
struct CellReader {
    const PivotSource* source;
    int column;
    bool isNull(std::int64_t r) const { return source->isNull(column, r); }
    std::int64_t integer(std::int64_t r) const { return source->integerAt(column, r); }
    double real(std::int64_t r) const { return source->realAt(column, r); }
    std::string_view text(std::int64_t r) const { return source->textAt(column, r); }
    std::uint64_t word(std::string_view k) const;
};

// The distinct values of a run of rows, numbered in order of first
// appearance; NULL is numbered like any value, on first sight. A large column
// is interned in runs on several threads, and the runs' dictionaries are then
// merged in row order into the first one, so that the numbering is the one a
// single pass would give.

// Open addressing over slots that hold a key word, a tag and the id, at most
// half full (a small table a quarter): a probe reads one slot and, for a
// number or a short text, decides there without reading anything else.
class KeySlots {
  public:
    struct Slot {
        std::uint64_t word;
        std::uint32_t tag;
        std::int32_t id;  // -1: empty
    };
    KeySlots() { slots_.assign(16, Slot{0, 0, -1}); }

    // The slot of a key with this hash that `same` accepts, or the empty slot
    // where it goes, to be filled through put().
    template <class Same>
    Slot* probe(std::uint64_t hash, Same&& same) {
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            Slot& slot = slots_[i];
            if (slot.id < 0 || same(slot))
                return &slot;
        }
    }
    // Fills the empty slot probe() found; grows the table when it is half
    // full, placing every slot again by the hash hashOf gives it.
    template <class HashOf>
    void put(Slot* slot, Slot value, HashOf&& hashOf) {
        *slot = value;
        if (++count_ * (slots_.size() <= kSparseSlots ? 4 : 2) <= slots_.size())
            return;
        std::vector<Slot> old(slots_.size() * 2, Slot{0, 0, -1});
        old.swap(slots_);
        for (const Slot& s : old) {
            if (s.id < 0)
                continue;
            std::size_t i = hashOf(s) & mask();
            while (slots_[i].id >= 0)
                i = (i + 1) & mask();
            slots_[i] = s;
        }
    }

  private:
    // Up to this many slots (a megabyte), a table is kept at most a quarter
    // full: nearly every probe then ends at its first slot, and the loop over
    // the rows seldom mispredicts a second one.
    static constexpr std::size_t kSparseSlots = std::size_t{1} << 16;
    std::size_t mask() const { return slots_.size() - 1; }
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// A 64-bit key spread over 64 bits: one multiplication, folded.
inline std::uint64_t foldHash(std::uint64_t k) {
    const unsigned __int128 p =
        static_cast<unsigned __int128>(k ^ 0x2d358dccaa6c78a5ULL) * 0x9e3779b97f4a7c15ULL;
    return static_cast<std::uint64_t>(p) ^ static_cast<std::uint64_t>(p >> 64);
}

// The distinct numbers of a dictionary in id order; NULL is numbered on first
// sight like any value.
class NumberKeys {
  public:
    using Key = std::uint64_t;
    std::int32_t addNull() {
        if (nullId < 0)
            nullId = push(0);
        return nullId;
    }
    std::int32_t count() const { return static_cast<std::int32_t>(keys_.size()); }
    Key key(std::int32_t id) const { return keys_[static_cast<size_t>(id)]; }

    std::int32_t nullId = -1;

  protected:
    std::int32_t push(Key k) {
        keys_.push_back(k);
        return count() - 1;
    }

  private:
    std::vector<Key> keys_;
};

// Numbers are keyed by their 64 bits (a real by its bit pattern, -0 as 0).
class NumberDict : public NumberKeys {
  public:
    std::int32_t add(Key k) {
        KeySlots::Slot* slot =
            table_.probe(foldHash(k), [&](const KeySlots::Slot& s) { return s.word == k; });
        if (slot->id >= 0)
            return slot->id;
        const std::int32_t id = push(k);
        table_.put(slot, {k, 0, id}, [](const KeySlots::Slot& s) { return foldHash(s.word); });
        return id;
    }

  private:
    KeySlots table_;
};

// Integers within a narrow range (days, months, years, small codes) are
// looked up in a table indexed by value, without hashing.
class NarrowDict : public NumberKeys {
  public:
    NarrowDict(std::int64_t lo, std::uint64_t span) : lo_(lo), slot_(span + 1, -1) {}
    std::int32_t add(Key k) {
        std::int32_t& id = slot_[static_cast<size_t>(k - static_cast<std::uint64_t>(lo_))];
        if (id < 0)
            id = push(k);
        return id;
    }

  private:
    std::int64_t lo_;
    std::vector<std::int32_t> slot_;
};

// Texts are hashed and compared as the source's UTF-8 bytes. A slot holds a
// word of the text's bytes and its length: a text of up to 8 bytes (most
// codes and short names) is that word, so it is found without reading any
// other memory; a longer one is compared with its copy in one small pool of
// the distinct texts.
class TextDict {
  public:
    using Key = std::string_view;

    // The first 8 bytes of a text as one word, zero beyond its end: a text
    // of up to 8 bytes is its word and its length.
    static std::uint64_t wordOf(std::string_view k) {
        std::uint64_t w = 0;
        std::memcpy(&w, k.data(), std::min<std::size_t>(k.size(), 8));
        return w;
    }
    static std::uint64_t hashOf(std::uint64_t word, Key k) {
        return k.size() <= 8 ? foldHash(word + k.size()) : hashBytes(k);
    }
    // The hash's upper half with the length (up to 255) in its low byte.
    static std::uint32_t tagOf(std::uint64_t hash, std::size_t n) {
        return (static_cast<std::uint32_t>(hash >> 32) & ~0xFFu) |
               static_cast<std::uint32_t>(std::min<std::size_t>(n, 0xFF));
    }

    std::int32_t add(Key k) { return add(k, wordOf(k)); }
    // Inlined into the loop over the rows: most rows find their text.
    [[gnu::always_inline]] std::int32_t add(Key k, std::uint64_t word) {
        const std::uint64_t hash = hashOf(word, k);
        const std::uint32_t tag = tagOf(hash, k.size());
        KeySlots::Slot* slot = table_.probe(hash, [&](const KeySlots::Slot& s) {
            return s.word == word && s.tag == tag && (k.size() <= 8 || sameBytes(key(s.id), k));
        });
        return slot->id >= 0 ? slot->id : insert(slot, k, word, tag);
    }
    std::int32_t addNull() {
        if (nullId < 0) {
            nullId = count();
            ends_.push_back(pool_.size());
        }
        return nullId;
    }
    std::int32_t count() const { return static_cast<std::int32_t>(ends_.size()); }
    Key key(std::int32_t id) const {
        const auto i = static_cast<size_t>(id);
        const size_t from = i == 0 ? 0 : ends_[i - 1];
        return {pool_.data() + from, ends_[i] - from};
    }

    std::int32_t nullId = -1;

  private:
    [[gnu::noinline]] std::int32_t insert(KeySlots::Slot* slot, Key k, std::uint64_t word,
                                          std::uint32_t tag) {
        const std::int32_t id = count();
        pool_.append(k.data(), k.size());
        ends_.push_back(pool_.size());
        table_.put(slot, {word, tag, id},
                   [&](const KeySlots::Slot& s) { return hashOf(s.word, key(s.id)); });
        return id;
    }

    KeySlots table_;
    std::string pool_;
    std::vector<size_t> ends_;
};

std::uint64_t ArrayReader::word(std::string_view k) const {
    // (No wide loads at all when the column's texts are all empty: they have no bytes.)
    if (k.data() > wideLoads || !wideLoads)
        return TextDict::wordOf(k);
    // Without a branch on the length: texts of mixed lengths would mispredict.
    std::uint64_t w;
    std::memcpy(&w, k.data(), 8);
    const auto n = static_cast<unsigned>(std::min<std::size_t>(k.size(), 8));
    const std::uint64_t keep =
        (~std::uint64_t{0} >> ((64 - 8 * n) & 63)) & (0 - std::uint64_t{n != 0});
    return w & keep;
}

std::uint64_t CellReader::word(std::string_view k) const {
    return TextDict::wordOf(k);
}

// Interns rows [begin, end): ids[r] is the row's id in dict.
template <class Reader>
void internTexts(const Reader& rd, std::int64_t begin, std::int64_t end, TextDict& dict,
                 std::int32_t* ids) {
    // No text yet: a word and a length that no text has.
    std::string_view last;
    std::uint64_t lastWord = 1;
    std::int32_t lastId = -1;
    for (std::int64_t r = begin; r < end; ++r) {
        if (rd.isNull(r)) {
            ids[r] = dict.addNull();
            continue;
        }
        const std::string_view k = rd.text(r);
        const std::uint64_t word = rd.word(k);
        // Results usually come grouped, so a value often repeats the row above.
        // The first test is one branch, taken only on a repeat: texts of mixed
        // lengths in random order would mispredict a branch on the length.
        const bool repeat = (word == lastWord) & (k.size() == last.size());
        if (repeat && (k.size() <= 8 || sameBytes(k, last))) {
            ids[r] = lastId;
            continue;
        }
        ids[r] = lastId = dict.add(k, word);
        last = k;
        lastWord = word;
    }
}

template <class Reader, class Dict>
void internIntegers(const Reader& rd, std::int64_t begin, std::int64_t end, Dict& dict,
                    std::int32_t* ids) {
    std::int64_t lastKey = 0;
    std::int32_t lastId = -1;
    for (std::int64_t r = begin; r < end; ++r) {
        if (rd.isNull(r)) {
            ids[r] = dict.addNull();
            continue;
        }
        const std::int64_t k = rd.integer(r);
        if (lastId >= 0 && k == lastKey) {
            ids[r] = lastId;
            continue;
        }
        ids[r] = lastId = dict.add(static_cast<std::uint64_t>(k));
        lastKey = k;
    }
}

template <class Reader>
void internReals(const Reader& rd, std::int64_t begin, std::int64_t end, NumberDict& dict,
                 std::int32_t* ids) {
    for (std::int64_t r = begin; r < end; ++r) {
        // A NaN (no number) groups with NULL rather than apart per row.
        const bool null = rd.isNull(r);
        double k = null ? 0.0 : rd.real(r);
        if (null || std::isnan(k)) {
            ids[r] = dict.addNull();
            continue;
        }
        if (k == 0.0)
            k = 0.0;  // -0 and 0 are one group
        ids[r] = dict.add(std::bit_cast<std::uint64_t>(k));
    }
}

// The narrowest range holding a run's integers; lo > hi when it has none.
struct IntegerRange {
    std::int64_t lo = std::numeric_limits<std::int64_t>::max();
    std::int64_t hi = std::numeric_limits<std::int64_t>::min();
};
template <class Reader>
IntegerRange integerRange(const Reader& rd, std::int64_t begin, std::int64_t end) {
    IntegerRange range;
    for (std::int64_t r = begin; r < end; ++r) {
        if (rd.isNull(r))
            continue;
        const std::int64_t k = rd.integer(r);
        range.lo = std::min(range.lo, k);
        range.hi = std::max(range.hi, k);
    }
    return range;
}

// Widest range of integers looked up by value rather than hashed.
constexpr std::uint64_t kNarrowSpan = std::uint64_t{1} << 16;

// One column being interned: how it is read, its runs' dictionaries and,
// once merged, each later run's map from its own ids to the column's.
using AnyDict = std::variant<std::monostate, NumberDict, NarrowDict, TextDict>;
struct ColumnJob {
    int column = -1;
    ValueType type = ValueType::Null;
    PivotSource::ColumnData data;
    bool arrays = false;
    const char* wideLoads = nullptr;
    std::vector<IntegerRange> ranges;  // by run, integer columns
    std::int64_t lo = 0;
    std::uint64_t span = 0;
    bool narrow = false;
    std::vector<AnyDict> runs;
    std::vector<std::vector<std::int32_t>> remap;  // by run; empty: ids kept
};

template <class F>
void withReader(const PivotSource& source, const ColumnJob& job, F&& f) {
    if (job.arrays)
        f(ArrayReader{job.data, job.wideLoads});
    else
        f(CellReader{&source, job.column});
}

// Interns one run of rows of a column into its own dictionary.
void internRun(const PivotSource& source, ColumnJob& job, size_t run, RowRange rows,
               std::int32_t* ids) {
    AnyDict& dict = job.runs[run];
    switch (job.type) {
        case ValueType::Null:
            std::fill(ids + rows.begin, ids + rows.end, 0);
            return;
        case ValueType::Integer:
            withReader(source, job, [&](const auto& rd) {
                if (job.narrow)
                    internIntegers(rd, rows.begin, rows.end,
                                   dict.emplace<NarrowDict>(job.lo, job.span), ids);
                else
                    internIntegers(rd, rows.begin, rows.end, dict.emplace<NumberDict>(), ids);
            });
            return;
        case ValueType::Real:
            withReader(source, job, [&](const auto& rd) {
                internReals(rd, rows.begin, rows.end, dict.emplace<NumberDict>(), ids);
            });
            return;
        case ValueType::Text:
            withReader(source, job, [&](const auto& rd) {
                internTexts(rd, rows.begin, rows.end, dict.emplace<TextDict>(), ids);
            });
            return;
    }
}

// Merges the later runs' dictionaries into the first run's, in row order, so
// that ids keep the order of first appearance over the whole column.
template <class Dict>
void mergeRuns(ColumnJob& job) {
    Dict& all = std::get<Dict>(job.runs[0]);
    job.remap.assign(job.runs.size(), {});
    for (size_t t = 1; t < job.runs.size(); ++t) {
        const Dict& run = std::get<Dict>(job.runs[t]);
        auto& map = job.remap[t];
        map.resize(static_cast<size_t>(run.count()));
        bool same = true;
        for (std::int32_t id = 0; id < run.count(); ++id) {
            const std::int32_t to = id == run.nullId ? all.addNull() : all.add(run.key(id));
            map[static_cast<size_t>(id)] = to;
            same = same && to == id;
        }
        if (same)
            map.clear();
    }
}

// The column's values by id, from its merged dictionary.
void makeValues(const ColumnJob& job, std::int64_t rows, FieldIndex& fx) {
    fx.values.clear();
    std::visit(
        [&](const auto& dict) {
            using Dict = std::decay_t<decltype(dict)>;
            if constexpr (std::is_same_v<Dict, std::monostate>) {
                if (rows > 0)
                    fx.values.emplace_back();  // a column without values: one NULL group
            } else {
                fx.values.reserve(static_cast<size_t>(dict.count()));
                for (std::int32_t id = 0; id < dict.count(); ++id) {
                    if (id == dict.nullId) {
                        fx.values.emplace_back();
                        continue;
                    }
                    const auto k = dict.key(id);
                    if constexpr (std::is_same_v<Dict, TextDict>)
                        fx.values.push_back(Value::text(
                            QString::fromUtf8(k.data(), static_cast<qsizetype>(k.size()))));
                    else if (job.type == ValueType::Real)
                        fx.values.push_back(Value::real(std::bit_cast<double>(k)));
                    else
                        fx.values.push_back(Value::integer(static_cast<std::int64_t>(k)));
                }
            }
        },
        job.runs[0]);
}

// Ids and values of several columns, not ranked yet. A large column is split
// into one run of rows per thread; the runs are interned at the same time,
// merged, and the later runs' ids renumbered, again at the same time.
void internColumns(const PivotSource& source, const std::vector<int>& columns, int threads,
                   std::vector<FieldIndex>& out) {
    const std::int64_t n = source.rowCount();
    const size_t runs = n >= kParallelRows ? static_cast<size_t>(std::max(threads, 1)) : 1;
    const size_t tasks = columns.size() * runs;
    std::vector<ColumnJob> jobs(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        ColumnJob& job = jobs[i];
        job.column = columns[i];
        job.type = job.column >= 0 ? source.columnType(job.column) : ValueType::Null;
        if (job.type != ValueType::Null)
            job.arrays = source.columnData(job.column, job.data);
        if (job.arrays && job.type == ValueType::Text && n > 0 && job.data.offsets[n] >= 8)
            job.wideLoads = job.data.arena + (job.data.offsets[n] - 8);
        job.runs.resize(runs);
        job.ranges.resize(runs);
        out[i].ids.resize(static_cast<size_t>(n));  // every row's id is written below
    }
    // Integer columns: the range of their values first, which chooses the table.
    parallelFor(tasks, threads, [&](size_t task) {
        ColumnJob& job = jobs[task / runs];
        if (job.type != ValueType::Integer)
            return;
        const RowRange rows = rowRange(n, task % runs, runs);
        withReader(source, job, [&](const auto& rd) {
            job.ranges[task % runs] = integerRange(rd, rows.begin, rows.end);
        });
    });
    for (ColumnJob& job : jobs) {
        IntegerRange all;
        for (const IntegerRange& r : job.ranges) {
            all.lo = std::min(all.lo, r.lo);
            all.hi = std::max(all.hi, r.hi);
        }
        if (all.lo <= all.hi) {
            job.lo = all.lo;
            job.span = static_cast<std::uint64_t>(all.hi) - static_cast<std::uint64_t>(all.lo);
            job.narrow = job.span < kNarrowSpan;
        }
    }
    parallelFor(tasks, threads, [&](size_t task) {
        ColumnJob& job = jobs[task / runs];
        internRun(source, job, task % runs, rowRange(n, task % runs, runs),
                  out[task / runs].ids.data());
    });
    for (ColumnJob& job : jobs) {
        if (runs < 2)
            continue;
        std::visit(
            [&](const auto& dict) {
                using Dict = std::decay_t<decltype(dict)>;
                if constexpr (!std::is_same_v<Dict, std::monostate>)
                    mergeRuns<Dict>(job);
            },
            job.runs[0]);
    }
    parallelFor(tasks, threads, [&](size_t task) {
        const ColumnJob& job = jobs[task / runs];
        const size_t run = task % runs;
        if (run > 0 && !job.remap.empty() && !job.remap[run].empty()) {
            const RowRange rows = rowRange(n, run, runs);
            const std::int32_t* map = job.remap[run].data();
            std::int32_t* ids = out[task / runs].ids.data();
            for (std::int64_t r = rows.begin; r < rows.end; ++r)
                ids[r] = map[ids[r]];
        }
        if (run == 0)
            makeValues(job, n, out[task / runs]);
    });
}

void rankValues(FieldIndex& fx, const QCollator* collator) {
    const auto card = static_cast<size_t>(fx.cardinality());
    fx.byRank.resize(card);
    std::iota(fx.byRank.begin(), fx.byRank.end(), 0);
    const bool texts = std::any_of(fx.values.begin(), fx.values.end(),
                                   [](const Value& v) { return v.type() == ValueType::Text; });
    if (texts && collator && card > 64) {
        // Many distinct texts: compare precomputed sort keys rather than
        // running the collator on every comparison.
        std::vector<QCollatorSortKey> keys;
        keys.reserve(card);
        for (const auto& v : fx.values)
            keys.push_back(collator->sortKey(v.textValue()));
        std::stable_sort(fx.byRank.begin(), fx.byRank.end(), [&](std::int32_t a, std::int32_t b) {
            const Value& va = fx.values[static_cast<size_t>(a)];
            const Value& vb = fx.values[static_cast<size_t>(b)];
            if (va.isNull() != vb.isNull())
                return va.isNull();
            if (va.isNull())
                return false;
            const int c = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
            if (c != 0)
                return c < 0;
            return QString::compare(va.textValue(), vb.textValue(), Qt::CaseSensitive) < 0;
        });
    } else {
        std::stable_sort(fx.byRank.begin(), fx.byRank.end(), [&](std::int32_t a, std::int32_t b) {
            return compareValues(fx.values[static_cast<size_t>(a)],
                                 fx.values[static_cast<size_t>(b)], collator) < 0;
        });
    }
    fx.rank.resize(card);
    for (size_t i = 0; i < card; ++i)
        fx.rank[static_cast<size_t>(fx.byRank[i])] = static_cast<std::int32_t>(i);
}

}  // namespace

std::int32_t FieldIndex::find(const Value& v) const {
    for (std::int32_t i = 0; i < cardinality(); ++i)
        if (values[static_cast<size_t>(i)] == v)
            return i;
    return -1;
}

FieldIndex buildFieldIndex(const PivotSource& source, int column, const QCollator* collator) {
    return std::move(buildFieldIndexes(source, {column}, collator, 1).front());
}

std::vector<FieldIndex> buildFieldIndexes(const PivotSource& source,
                                          const std::vector<int>& columns,
                                          const QCollator* collator, int threads) {
    std::vector<FieldIndex> out(columns.size());
    internColumns(source, columns, threads, out);
    for (auto& fx : out)
        rankValues(fx, collator);
    return out;
}

MeasureColumn buildMeasureColumn(const PivotSource& source, int column) {
    MeasureColumn m;
    const ValueType type = column >= 0 ? source.columnType(column) : ValueType::Null;
    m.real = type == ValueType::Real;
    switch (type) {
        case ValueType::Null:
            return m;
        case ValueType::Integer:
            m.kind = MeasureColumn::Kind::Integer;
            break;
        case ValueType::Real:
            m.kind = MeasureColumn::Kind::Real;
            break;
        case ValueType::Text:
            m.kind = MeasureColumn::Kind::Count;
            break;
    }
    PivotSource::ColumnData data;
    if (source.columnData(column, data)) {
        m.ints = data.integers;
        m.reals = data.reals;
        m.nullBits = data.nullBits;
        return m;
    }
    const std::int64_t n = source.rowCount();
    const auto un = static_cast<size_t>(n);
    m.ownNulls.assign((un + 63) / 64, 0);
    if (m.kind == MeasureColumn::Kind::Integer)
        m.ownInts.assign(un, 0);
    else if (m.kind == MeasureColumn::Kind::Real)
        m.ownReals.assign(un, 0.0);
    for (std::int64_t r = 0; r < n; ++r) {
        const auto i = static_cast<size_t>(r);
        if (source.isNull(column, r)) {
            m.ownNulls[i >> 6] |= std::uint64_t{1} << (i & 63);
            continue;
        }
        if (m.kind == MeasureColumn::Kind::Integer)
            m.ownInts[i] = source.integerAt(column, r);
        else if (m.kind == MeasureColumn::Kind::Real)
            m.ownReals[i] = source.realAt(column, r);
    }
    m.ints = m.ownInts.data();
    m.reals = m.ownReals.data();
    m.nullBits = m.ownNulls.data();
    return m;
}

}  // namespace morvane::pivot::detail
