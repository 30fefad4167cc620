// Sums on each key path (table, hashing, compaction) against a map-based reference; value order.
#include "ReferencePivot.h"
#include "SampleRows.h"

#include "platform/pivot/ValueFormat.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <map>
#include <random>
#include <vector>

namespace morvane::pivot {
namespace {

using test::checkAgainstReference;
using test::checkRowOrder;
using test::Reference;
using test::reference;

std::shared_ptr<MemorySource> randomSource(int rows, int textCard, int intCard, int colCard,
                                           unsigned seed) {
    std::mt19937 rng(seed);
    auto s = std::make_shared<MemorySource>();
    s->addColumn(QStringLiteral("t"), ValueType::Text);
    s->addColumn(QStringLiteral("i"), ValueType::Integer);
    s->addColumn(QStringLiteral("c"), ValueType::Integer);
    s->addColumn(QStringLiteral("q"), ValueType::Integer);
    s->addColumn(QStringLiteral("a"), ValueType::Real);
    s->addColumn(QStringLiteral("n"), ValueType::Text);
    for (int r = 0; r < rows; ++r) {
        const int t = static_cast<int>(rng() % static_cast<unsigned>(textCard + 1));
        const Value tv =
            t == textCard ? Value() : Value::text(QStringLiteral("货%1").arg(t * 37 % 101));
        const auto q = static_cast<std::int64_t>(rng() % 2001) - 1000;
        s->appendRow(
            {tv,
             Value::integer(static_cast<std::int64_t>(rng() % static_cast<unsigned>(intCard)) *
                            1000003),
             Value::integer(static_cast<std::int64_t>(rng() % static_cast<unsigned>(colCard)) + 1),
             rng() % 10 == 0 ? Value() : Value::integer(q),
             Value::real(static_cast<double>(rng() % 100000) / 100.0 - 300.0),
             rng() % 3 == 0 ? Value() : Value::text(QStringLiteral("x"))});
    }
    return s;
}

TEST(PivotAggregation, SmallKeySpaceWithFiltersAndDescendingField) {
    auto src = randomSource(2000, 30, 20, 4, 7);
    PivotEngine grid;
    grid.setSource(src);
    grid.createAllFields();
    test::place(grid, {"t", "i"}, {"c"}, {"q", "a", "n"});
    grid.fieldByName(QStringLiteral("i"))->setSortOrder(SortOrder::Descending);
    const Value cut = Value::text(QStringLiteral("货%1").arg(5 * 37 % 101));
    grid.fieldByName(QStringLiteral("t"))->setFilter({FieldFilter::Mode::Excluded, {cut, Value()}});
    const Reference ref = reference(*src, {0, 1}, {2}, {3, 4, 5}, [&](std::int64_t r) {
        const Value v = src->valueAt(0, r);
        return !v.isNull() && !(v == cut);
    });
    checkAgainstReference(grid, ref);
    checkRowOrder(grid);
    // Data captions in the rows, between the fields: same sums.
    grid.setDataFieldArea(Area::Row);
    grid.setDataFieldAreaIndex(1);
    checkAgainstReference(grid, ref);
}

TEST(PivotAggregation, LargeKeySpaceUsesHashingAndStaysExact) {
    auto src = randomSource(1500, 30, 300, 31, 11);
    PivotEngine grid;
    grid.setSource(src);
    grid.createAllFields();
    test::place(grid, {"i", "t"}, {"c"}, {"q"});
    checkAgainstReference(grid,
                          reference(*src, {1, 0}, {2}, {3}, [](std::int64_t) { return true; }));
    checkRowOrder(grid);
    // Columns and rows swapped, everything in the columns.
    grid.fieldByName(QStringLiteral("c"))->setArea(Area::Row);
    grid.fieldByName(QStringLiteral("i"))->setArea(Area::Column);
    grid.fieldByName(QStringLiteral("t"))->setArea(Area::Column);
    checkAgainstReference(grid,
                          reference(*src, {2}, {1, 0}, {3}, [](std::int64_t) { return true; }));
}

TEST(PivotAggregation, CombinationsBeyondSixtyFourBitsAreCompacted) {
    // Eight fields of up to 400 values each: 400^8 keys do not fit in 64 bits.
    std::mt19937 rng(3);
    auto src = std::make_shared<MemorySource>();
    for (int f = 0; f < 8; ++f)
        src->addColumn(QStringLiteral("f%1").arg(f), ValueType::Integer);
    src->addColumn(QStringLiteral("q"), ValueType::Integer);
    for (int r = 0; r < 400; ++r) {
        std::vector<Value> row;
        for (int f = 0; f < 8; ++f)
            row.push_back(Value::integer(f < 2 ? rng() % 3 : rng() % 1000000));
        row.push_back(Value::integer(rng() % 100));
        src->appendRow(row);
    }
    PivotEngine grid;
    grid.setSource(src);
    grid.createAllFields();
    for (int f = 0; f < 8; ++f)
        grid.setFieldArea(QStringLiteral("f%1").arg(f), morvane::pivot::Area::Row);
    grid.setFieldArea(QStringLiteral("q"), morvane::pivot::Area::Data);
    grid.fieldByName(QStringLiteral("f1"))->setSortOrder(SortOrder::Descending);
    checkAgainstReference(grid, reference(*src, {0, 1, 2, 3, 4, 5, 6, 7}, {}, {8},
                                          [](std::int64_t) { return true; }));
    checkRowOrder(grid);
}

TEST(PivotAggregation, EveryArrangementShowsTheSameSums) {
    auto src = randomSource(600, 8, 6, 5, 21);
    PivotEngine grid;
    grid.setSource(src);
    grid.createAllFields();
    test::place(grid, {"t", "i"}, {"c", "n"}, {"q", "a"});
    const Reference ref =
        reference(*src, {0, 1}, {2, 5}, {3, 4}, [](std::int64_t) { return true; });
    auto levelOf = [&](Axis axis, const char* name) {
        const int levels = axis == Axis::Row ? grid.rowLevelCount() : grid.columnLevelCount();
        for (int l = 0; l < levels; ++l) {
            const PivotField* f =
                axis == Axis::Row ? grid.rowLevelField(l) : grid.columnLevelField(l);
            if (f && f->name() == QLatin1String(name))
                return l;
        }
        return -1;
    };
    for (Area area : {Area::Column, Area::Row})
        for (int index : {-1, 0, 1, 2})
            for (int variant = 0; variant < 4; ++variant) {
                SCOPED_TRACE(testing::Message() << "area " << static_cast<int>(area) << " index "
                                                << index << " variant " << variant);
                grid.expandAll();
                grid.setDataFieldArea(area);
                grid.setDataFieldAreaIndex(index);
                ViewOptions o;
                o.totalsForSingleValues = variant & 1;
                o.rowTotals = o.columnTotals = variant != 2;
                grid.setViewOptions(o);
                if (variant >= 2) {
                    // Collapse the first group of the outer field on both axes.
                    grid.setHeaderExpanded(Axis::Row, 0, levelOf(Axis::Row, "t"), false);
                    grid.setHeaderExpanded(Axis::Column, 0, levelOf(Axis::Column, "c"), false);
                    EXPECT_FALSE(grid.rowHeader(0, levelOf(Axis::Row, "t")).expanded);
                    EXPECT_FALSE(grid.columnHeader(0, levelOf(Axis::Column, "c")).expanded);
                    EXPECT_TRUE(grid.rowHeader(0, levelOf(Axis::Row, "t")).expandable);
                }
                checkAgainstReference(grid, ref);
                const PivotMatrix m = grid.layoutMatrix();
                EXPECT_EQ(m.rowCount(), grid.rowCount() + grid.columnLevelCount());
                EXPECT_EQ(m.columnCount(), grid.columnCount() + grid.rowLevelCount());
            }
}

// A grid summing v by k over the given rows.
void sumVByK(PivotEngine& grid, ValueType k, ValueType v,
             std::initializer_list<std::vector<Value>> rows) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(QStringLiteral("k"), k);
    src->addColumn(QStringLiteral("v"), v);
    for (const auto& row : rows)
        src->appendRow(row);
    grid.setSource(src);
    grid.createAllFields();
    test::place(grid, {"k"}, {}, {"v"});
}

TEST(PivotAggregation, IntegerSumsStayExactBeyondDoublePrecision) {
    const std::int64_t big = (std::int64_t{1} << 53) + 1;
    PivotEngine grid;
    sumVByK(grid, ValueType::Text, ValueType::Integer,
            {{Value::text("a"), Value::integer(big)}, {Value::text("a"), Value::integer(2)}});
    EXPECT_EQ(grid.cellValue(0, 0), Value::integer(big + 2));
    EXPECT_EQ(grid.cellText(0, 0), QString::number(big + 2));
}

TEST(PivotAggregation, NotANumberCountsAsNull) {
    const Value nan = Value::real(std::nan(""));
    PivotEngine grid;
    sumVByK(grid, ValueType::Real, ValueType::Real,
            {{nan, Value::real(1)}, {nan, nan}, {Value(), Value::real(2)}, {Value::real(1), nan}});
    EXPECT_EQ(test::render(grid), QStringLiteral("k|Grand Total\n|3\n1|\nGrand Total|3\n"));
}

TEST(PivotOrder, NumbersByValueTextsByLocaleNullFirst) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(QStringLiteral("city"), ValueType::Text);
    src->addColumn(QStringLiteral("code"), ValueType::Text);
    src->addColumn(QStringLiteral("n"), ValueType::Real);
    for (const char* c : {"上海", "北京", "广州"})
        src->appendRow({Value::text(QString::fromUtf8(c)), Value::text("10"), Value::real(-0.0)});
    src->appendRow({Value(), Value::text("2"), Value::real(0.0)});
    src->appendRow({Value::text("x"), Value::text("B"), Value::real(10)});
    src->appendRow({Value::text("y"), Value::text("a"), Value::real(9.5)});
    PivotEngine grid;
    grid.setSource(src);
    grid.createAllFields();
    auto order = [&](const char* name) {
        QStringList out;
        for (const Value& v : grid.distinctValues(*grid.fieldByName(QString::fromLatin1(name)), 0))
            out << (v.isNull() ? QStringLiteral("~") : formatValue(v));
        return out.join(QLatin1Char(','));
    };
    // -0 and 0 are one group; numbers by value.
    EXPECT_EQ(order("n"), QStringLiteral("0,9.5,10"));
    grid.setLocale(QLocale::c());
    EXPECT_EQ(order("city"), QString::fromUtf8("~,x,y,上海,北京,广州"));
    EXPECT_EQ(order("code"), QStringLiteral("10,2,B,a"));
    // Chinese collation orders Han by pinyin (bei, guang, shang), before Latin.
    grid.setLocale(QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(order("city"), QString::fromUtf8("~,北京,广州,上海,x,y"));
    EXPECT_EQ(order("code"), QStringLiteral("10,2,a,B"));
    // Laid out in the same order.
    grid.setFieldArea(QStringLiteral("city"), morvane::pivot::Area::Row);
    EXPECT_EQ(grid.rowHeader(1, 0).text, QString::fromUtf8("北京"));
    EXPECT_EQ(grid.rowHeader(3, 0).text, QString::fromUtf8("上海"));
}

TEST(PivotFormat, RealsInShortestGeneralForm) {
    EXPECT_EQ(formatReal(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(formatReal(100.0), QStringLiteral("100"));
    EXPECT_EQ(formatReal(-2.5), QStringLiteral("-2.5"));
    EXPECT_EQ(formatReal(-0.0), QStringLiteral("0"));
    EXPECT_EQ(formatReal(123456789012.25), QStringLiteral("123456789012.25"));
    EXPECT_EQ(formatReal(1e20), QStringLiteral("1E20"));
    EXPECT_EQ(formatReal(0.00001), QStringLiteral("1E-5"));
    EXPECT_EQ(textWidthUnits(QString::fromUtf8("合计ab")), 6);
    // Numbers written without an exponent take a faster way than the general
    // conversion; both must agree to the last digit, ties included.
    std::mt19937_64 rng(11);
    std::vector<double> numbers = {1e-4,
                                   0.1,
                                   0.3,
                                   2.5,
                                   123456789012345.5,
                                   99999999999999.99,
                                   999999999999999.9,
                                   1e14,
                                   9.999999999999999e14,
                                   0.00010000000000000001,
                                   1.0000000000000005};
    for (int i = 0; i < 100000; ++i) {
        double sum = 0;
        for (int j = 0; j < 1 + static_cast<int>(rng() % 12); ++j)
            sum += static_cast<double>(rng() % 10000000) / 100.0 - (rng() % 3 == 0 ? 5e4 : 0);
        numbers.push_back(sum);
        numbers.push_back(
            std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 110) - 100));
        numbers.push_back(static_cast<double>(rng() % 1000000000000000ULL) + 0.5);
    }
    int differ = 0;
    for (const double v : numbers) {
        char buf[64];
        const auto end =
            std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15).ptr;
        if (std::memchr(buf, 'e', static_cast<size_t>(end - buf)))
            continue;
        const QString general = QString::fromLatin1(buf, end - buf);
        if (formatReal(v) != general && ++differ <= 5)
            ADD_FAILURE() << formatReal(v).toStdString() << " for " << general.toStdString();
    }
    EXPECT_EQ(differ, 0);
    // Best fit measures sums by their lengths without making their texts.
    for (const Value& v :
         {Value(), Value::integer(0), Value::integer(-7), Value::integer(INT64_MIN),
          Value::integer(123456789012345), Value::real(0.1 + 0.2), Value::real(-0.0),
          Value::real(1e20), Value::real(-1.5e-7), Value::real(123456789012.25),
          Value::real(1.0 / 3.0), Value::real(std::nan("")), Value::real(-INFINITY),
          Value::real(9.999999999999999e22), Value::text(QString::fromUtf8("合计ab"))})
        EXPECT_EQ(numberWidthUnits(v), textWidthUnits(formatValue(v)))
            << formatValue(v).toStdString();
}

}  // namespace
}  // namespace morvane::pivot
