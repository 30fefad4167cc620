#include "platform/pivot/FieldIndex.h"

#include "platform/pivot/HashSlots.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <exception>
#include <numeric>
#include <thread>

namespace morvane::pivot::detail {

namespace {

constexpr std::int32_t kNullId = -2;  // until NULL is first seen

// NULL is interned like any value, on first sight.
std::int32_t addNull(FieldIndex& fx) {
    fx.values.emplace_back();
    return fx.cardinality() - 1;
}

// A column read from its arrays: no call per cell.
struct ArrayReader {
    PivotSource::ColumnData data;
    bool isNull(std::int64_t r) const { return data.isNull(r); }
    std::int64_t integer(std::int64_t r) const { return data.integers[r]; }
    double real(std::int64_t r) const { return data.reals[r]; }
    std::string_view text(std::int64_t r) const { return data.text(r); }
};

// A column read through the source's accessors.
struct CellReader {
    const PivotSource* source;
    int column;
    bool isNull(std::int64_t r) const { return source->isNull(column, r); }
    std::int64_t integer(std::int64_t r) const { return source->integerAt(column, r); }
    double real(std::int64_t r) const { return source->realAt(column, r); }
    std::string_view text(std::int64_t r) const { return source->textAt(column, r); }
};

// Integers within a narrow range (days, months, years, small codes) are
// looked up in a table indexed by value; ids are handed out in order of first
// appearance either way.
template <class Reader>
bool internNarrowIntegers(const Reader& rd, std::int64_t n, FieldIndex& fx) {
    std::int64_t lo = 0, hi = 0;
    bool any = false;
    for (std::int64_t r = 0; r < n; ++r) {
        if (rd.isNull(r))
            continue;
        const std::int64_t k = rd.integer(r);
        if (!any) {
            lo = hi = k;
            any = true;
        }
        lo = std::min(lo, k);
        hi = std::max(hi, k);
    }
    const auto span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
    if (!any || span >= (std::uint64_t{1} << 16))
        return false;
    std::vector<std::int32_t> direct(static_cast<size_t>(span) + 1, -1);
    std::int32_t nullAt = kNullId;
    std::int32_t* ids = fx.ids.data();
    for (std::int64_t r = 0; r < n; ++r) {
        if (rd.isNull(r)) {
            if (nullAt == kNullId)
                nullAt = addNull(fx);
            ids[r] = nullAt;
            continue;
        }
        const std::int64_t k = rd.integer(r);
        std::int32_t& id = direct[static_cast<size_t>(static_cast<std::uint64_t>(k) -
                                                      static_cast<std::uint64_t>(lo))];
        if (id < 0) {
            id = fx.cardinality();
            fx.values.push_back(Value::integer(k));
        }
        ids[r] = id;
    }
    return true;
}

template <class Reader>
void internIntegers(const Reader& rd, std::int64_t n, FieldIndex& fx) {
    if (internNarrowIntegers(rd, n, fx))
        return;
    HashSlots table;
    std::vector<std::int64_t> keys;
    std::int32_t nullAt = kNullId;
    std::int64_t lastKey = 0;
    std::int32_t lastId = -1;
    std::int32_t* ids = fx.ids.data();
    for (std::int64_t r = 0; r < n; ++r) {
        if (rd.isNull(r)) {
            if (nullAt == kNullId) {
                nullAt = addNull(fx);
                keys.push_back(0);
            }
            ids[r] = nullAt;
            continue;
        }
        const std::int64_t k = rd.integer(r);
        if (lastId >= 0 && k == lastKey) {
            ids[r] = lastId;
            continue;
        }
        const auto next = fx.cardinality();
        const std::int32_t id = table.findOrInsert(
            mixHash(static_cast<std::uint64_t>(k)), next,
            [&](std::int32_t i) { return i != nullAt && keys[static_cast<size_t>(i)] == k; });
        if (id == next) {
            fx.values.push_back(Value::integer(k));
            keys.push_back(k);
        }
        ids[r] = lastId = id;
        lastKey = k;
    }
}

template <class Reader>
void internReals(const Reader& rd, std::int64_t n, FieldIndex& fx) {
    HashSlots table;
    std::vector<double> keys;
    std::int32_t nullAt = kNullId;
    std::int32_t* ids = fx.ids.data();
    for (std::int64_t r = 0; r < n; ++r) {
        // A NaN (no number) groups with NULL rather than apart per row.
        const bool null = rd.isNull(r);
        double k = null ? 0.0 : rd.real(r);
        if (null || std::isnan(k)) {
            if (nullAt == kNullId) {
                nullAt = addNull(fx);
                keys.push_back(0);
            }
            ids[r] = nullAt;
            continue;
        }
        if (k == 0.0)
            k = 0.0;  // -0 and 0 are one group
        const auto next = fx.cardinality();
        const std::int32_t id = table.findOrInsert(
            mixHash(std::bit_cast<std::uint64_t>(k)), next,
            [&](std::int32_t i) { return i != nullAt && keys[static_cast<size_t>(i)] == k; });
        if (id == next) {
            fx.values.push_back(Value::real(k));
            keys.push_back(k);
        }
        ids[r] = id;
    }
}

// Texts are hashed and compared as the source's UTF-8 bytes; a QString is
// made once per distinct value, never per row.
template <class Reader>
void internTexts(const Reader& rd, std::int64_t n, FieldIndex& fx) {
    HashSlots table;
    std::int32_t nullAt = kNullId;
    std::string_view last;
    std::int32_t lastId = -1;
    std::vector<std::string_view> keys;  // by id; views into the source
    std::int32_t* ids = fx.ids.data();
    for (std::int64_t r = 0; r < n; ++r) {
        if (rd.isNull(r)) {
            if (nullAt == kNullId) {
                nullAt = addNull(fx);
                keys.emplace_back();
            }
            ids[r] = nullAt;
            continue;
        }
        const std::string_view k = rd.text(r);
        // Results usually come grouped, so a value often repeats the row above.
        if (lastId >= 0 && sameBytes(k, last)) {
            ids[r] = lastId;
            continue;
        }
        const auto next = fx.cardinality();
        const std::int32_t id = table.findOrInsert(hashBytes(k), next, [&](std::int32_t i) {
            return i != nullAt && sameBytes(keys[static_cast<size_t>(i)], k);
        });
        if (id == next) {
            fx.values.push_back(
                Value::text(QString::fromUtf8(k.data(), static_cast<qsizetype>(k.size()))));
            keys.push_back(k);
        }
        ids[r] = lastId = id;
        last = k;
    }
}

template <class Reader>
void internColumn(const Reader& rd, ValueType type, std::int64_t n, FieldIndex& fx) {
    switch (type) {
        case ValueType::Integer:
            internIntegers(rd, n, fx);
            break;
        case ValueType::Real:
            internReals(rd, n, fx);
            break;
        case ValueType::Text:
            internTexts(rd, n, fx);
            break;
        case ValueType::Null:
            break;
    }
}

// Ids and values of one column, not yet ranked.
void intern(const PivotSource& source, int column, FieldIndex& fx) {
    const std::int64_t n = source.rowCount();
    const ValueType type = column >= 0 ? source.columnType(column) : ValueType::Null;
    if (type == ValueType::Null) {
        fx.ids.assign(static_cast<size_t>(n), 0);
        if (n > 0)
            fx.values.emplace_back();
        return;
    }
    // Every row's id is written below.
    fx.ids.resize(static_cast<size_t>(n));
    PivotSource::ColumnData data;
    if (source.columnData(column, data))
        internColumn(ArrayReader{data}, type, n, fx);
    else
        internColumn(CellReader{&source, column}, type, n, fx);
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
    FieldIndex fx;
    intern(source, column, fx);
    rankValues(fx, collator);
    return fx;
}

std::vector<FieldIndex> buildFieldIndexes(const PivotSource& source,
                                          const std::vector<int>& columns,
                                          const QCollator* collator, int threads) {
    std::vector<FieldIndex> out(columns.size());
    const int workers = std::clamp(threads, 1, static_cast<int>(columns.size()));
    if (workers <= 1) {
        for (size_t i = 0; i < columns.size(); ++i)
            intern(source, columns[i], out[i]);
    } else {
        // Columns are handed out one at a time; the calling thread works too.
        std::atomic<size_t> next{0};
        std::vector<std::exception_ptr> errors(static_cast<size_t>(workers));
        auto work = [&](int w) {
            try {
                for (size_t i; (i = next.fetch_add(1)) < columns.size();)
                    intern(source, columns[i], out[i]);
            } catch (...) {
                errors[static_cast<size_t>(w)] = std::current_exception();
                next = columns.size();
            }
        };
        std::vector<std::thread> pool;
        for (int w = 1; w < workers; ++w)
            pool.emplace_back(work, w);
        work(0);
        for (auto& t : pool)
            t.join();
        for (const auto& e : errors)
            if (e)
                std::rethrow_exception(e);
    }
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
