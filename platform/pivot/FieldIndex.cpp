#include "platform/pivot/FieldIndex.h"

#include "platform/pivot/HashSlots.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace morvane::pivot::detail {

namespace {

constexpr std::int32_t kNullId = -2;  // until NULL is first seen

// NULL is interned like any value, on first sight.
std::int32_t addNull(FieldIndex& fx) {
    fx.values.emplace_back();
    return fx.cardinality() - 1;
}

void internIntegers(const PivotSource& src, int col, FieldIndex& fx) {
    const std::int64_t n = src.rowCount();
    HashSlots table;
    std::vector<std::int64_t> keys;
    std::int32_t nullAt = kNullId;
    std::int64_t lastKey = 0;
    std::int32_t lastId = -1;
    for (std::int64_t r = 0; r < n; ++r) {
        if (src.isNull(col, r)) {
            if (nullAt == kNullId) {
                nullAt = addNull(fx);
                keys.push_back(0);
            }
            fx.ids[static_cast<size_t>(r)] = nullAt;
            continue;
        }
        const std::int64_t k = src.integerAt(col, r);
        if (lastId >= 0 && k == lastKey) {
            fx.ids[static_cast<size_t>(r)] = lastId;
            continue;
        }
        const auto next = fx.cardinality();
        const std::int32_t id =
            table.findOrInsert(mixHash(static_cast<std::uint64_t>(k)), next, [&](std::int32_t i) {
                return !fx.values[static_cast<size_t>(i)].isNull() &&
                       keys[static_cast<size_t>(i)] == k;
            });
        if (id == next) {
            fx.values.push_back(Value::integer(k));
            keys.push_back(k);
        }
        fx.ids[static_cast<size_t>(r)] = lastId = id;
        lastKey = k;
    }
}

void internReals(const PivotSource& src, int col, FieldIndex& fx) {
    const std::int64_t n = src.rowCount();
    HashSlots table;
    std::vector<double> keys;
    std::int32_t nullAt = kNullId;
    for (std::int64_t r = 0; r < n; ++r) {
        // A NaN (no number) groups with NULL rather than apart per row.
        const bool null = src.isNull(col, r);
        double k = null ? 0.0 : src.realAt(col, r);
        if (null || std::isnan(k)) {
            if (nullAt == kNullId) {
                nullAt = addNull(fx);
                keys.push_back(0);
            }
            fx.ids[static_cast<size_t>(r)] = nullAt;
            continue;
        }
        if (k == 0.0)
            k = 0.0;  // -0 and 0 are one group
        const auto next = fx.cardinality();
        const std::int32_t id =
            table.findOrInsert(mixHash(std::bit_cast<std::uint64_t>(k)), next, [&](std::int32_t i) {
                return !fx.values[static_cast<size_t>(i)].isNull() &&
                       keys[static_cast<size_t>(i)] == k;
            });
        if (id == next) {
            fx.values.push_back(Value::real(k));
            keys.push_back(k);
        }
        fx.ids[static_cast<size_t>(r)] = id;
    }
}

void internTexts(const PivotSource& src, int col, FieldIndex& fx) {
    const std::int64_t n = src.rowCount();
    HashSlots table;
    std::int32_t nullAt = kNullId;
    std::string_view last;
    std::int32_t lastId = -1;
    std::vector<std::string_view> keys;  // by id; views into the source
    for (std::int64_t r = 0; r < n; ++r) {
        if (src.isNull(col, r)) {
            if (nullAt == kNullId) {
                nullAt = addNull(fx);
                keys.emplace_back();
            }
            fx.ids[static_cast<size_t>(r)] = nullAt;
            continue;
        }
        const std::string_view k = src.textAt(col, r);
        // Results usually come grouped, so a value often repeats the row above.
        if (lastId >= 0 && k == last) {
            fx.ids[static_cast<size_t>(r)] = lastId;
            continue;
        }
        const auto next = fx.cardinality();
        const std::int32_t id = table.findOrInsert(hashBytes(k), next, [&](std::int32_t i) {
            return !fx.values[static_cast<size_t>(i)].isNull() && keys[static_cast<size_t>(i)] == k;
        });
        if (id == next) {
            fx.values.push_back(
                Value::text(QString::fromUtf8(k.data(), static_cast<qsizetype>(k.size()))));
            keys.push_back(k);
        }
        fx.ids[static_cast<size_t>(r)] = lastId = id;
        last = k;
    }
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
    const std::int64_t n = source.rowCount();
    fx.ids.assign(static_cast<size_t>(n), 0);
    const ValueType type = column >= 0 ? source.columnType(column) : ValueType::Null;
    switch (type) {
        case ValueType::Integer:
            internIntegers(source, column, fx);
            break;
        case ValueType::Real:
            internReals(source, column, fx);
            break;
        case ValueType::Text:
            internTexts(source, column, fx);
            break;
        case ValueType::Null:
            if (n > 0)
                fx.values.emplace_back();
            break;
    }
    rankValues(fx, collator);
    return fx;
}

MeasureColumn buildMeasureColumn(const PivotSource& source, int column) {
    MeasureColumn m;
    const std::int64_t n = source.rowCount();
    const auto un = static_cast<size_t>(n);
    m.present.assign(un, 0);
    const ValueType type = column >= 0 ? source.columnType(column) : ValueType::Null;
    m.real = type == ValueType::Real;
    if (m.real)
        m.reals.assign(un, 0.0);
    else
        m.ints.assign(un, 0);
    if (type == ValueType::Null)
        return m;
    for (std::int64_t r = 0; r < n; ++r) {
        if (source.isNull(column, r))
            continue;
        const auto i = static_cast<size_t>(r);
        m.present[i] = 1;
        switch (type) {
            case ValueType::Integer:
                m.ints[i] = source.integerAt(column, r);
                break;
            case ValueType::Real:
                m.reals[i] = source.realAt(column, r);
                if (std::isnan(m.reals[i])) {
                    m.reals[i] = 0;
                    m.present[i] = 0;
                }
                break;
            default:
                m.ints[i] = 1;
                break;  // a text is counted
        }
    }
    return m;
}

}  // namespace morvane::pivot::detail
