// Column-array, cell-by-cell and threaded interning paths against the reference and each other.
#include "ReferencePivot.h"
#include "SampleRows.h"

#include "platform/db/ResultTable.h"
#include "platform/pivot/DataSetSource.h"
#include "platform/pivot/FieldIndex.h"

#include <QCollator>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace morvane::pivot {
namespace {

using morvane::db::ColumnBuilder;
using morvane::db::ColumnType;

// A source that hides its column arrays, so the engine reads it cell by cell.
class CellByCell : public PivotSource {
  public:
    explicit CellByCell(std::shared_ptr<const PivotSource> inner) : inner_(std::move(inner)) {}
    int columnCount() const override { return inner_->columnCount(); }
    QString columnName(int c) const override { return inner_->columnName(c); }
    ValueType columnType(int c) const override { return inner_->columnType(c); }
    std::int64_t rowCount() const override { return inner_->rowCount(); }
    bool isNull(int c, std::int64_t r) const override { return inner_->isNull(c, r); }
    std::int64_t integerAt(int c, std::int64_t r) const override { return inner_->integerAt(c, r); }
    double realAt(int c, std::int64_t r) const override { return inner_->realAt(c, r); }
    std::string_view textAt(int c, std::int64_t r) const override { return inner_->textAt(c, r); }

  private:
    std::shared_ptr<const PivotSource> inner_;
};

// Texts that hash and compare byte-wise with care: empty, one byte, prefixes
// of each other, a trailing blank, lengths around the 4- and 8-byte loads,
// long ones differing in one middle byte, Chinese.
std::vector<std::string> trickyTexts() {
    std::vector<std::string> t{"",     "A",     "AB",      "ABC",      "ABC ",
                               "ABCD", "ABCE",  "ABCDEFG", "ABCDEFGH", "ABCDEFGHI",
                               "货号", "货号1", "白色",    "白色 ",    "ABCDEFGHIJKLMNOP"};
    for (char c : std::string("xyz")) {
        std::string s(37, '-');
        s[18] = c;
        t.push_back(s);
    }
    return t;
}

// A random result as a dataset holds it: 货号 text, 日期 date text, 店铺
// integer, 标记 boolean, 数量 integer, 金额 real, 备注 text (counted), 差 a
// small integer around zero; each column has NULLs.
morvane::db::ResultTable randomTable(int rows, unsigned seed) {
    std::mt19937 rng(seed);
    const auto texts = trickyTexts();
    ColumnBuilder goods("货号", ColumnType::Text), date("日期", ColumnType::Date),
        shop("店铺", ColumnType::Integer), flag("标记", ColumnType::Boolean),
        qty("数量", ColumnType::Integer), amount("金额", ColumnType::Real),
        note("备注", ColumnType::Text), diff("差", ColumnType::Integer);
    // One in `in` cells of a column is NULL, the others get `append`.
    auto cell = [&](ColumnBuilder& b, unsigned in, auto append) {
        if (rng() % in == 0)
            b.appendNull();
        else
            append(b);
    };
    auto integer = [](auto gen) { return [gen](ColumnBuilder& b) { b.appendInteger(gen()); }; };
    for (int r = 0; r < rows; ++r) {
        cell(goods, 15, [&](ColumnBuilder& b) { b.appendText(texts[rng() % texts.size()]); });
        cell(date, 20,
             [&](ColumnBuilder& b) { b.appendText("2026-03-0" + std::to_string(1 + rng() % 4)); });
        cell(shop, 25, integer([&] { return std::int64_t(rng() % 5) * 1000003 - 2000000; }));
        cell(flag, 30, integer([&] { return std::int64_t(rng() % 2); }));
        cell(qty, 8, integer([&] { return std::int64_t(rng() % 2001) - 1000; }));
        cell(amount, 8,
             [&](ColumnBuilder& b) { b.appendReal(double(rng() % 100000) / 100.0 - 300.0); });
        cell(note, 3, [](ColumnBuilder& b) { b.appendText("x"); });
        cell(diff, 10, integer([&] { return std::int64_t(rng() % 7) - 3; }));
    }
    std::vector<morvane::db::Column> columns;
    for (ColumnBuilder* b : {&goods, &date, &shop, &flag, &qty, &amount, &note, &diff})
        columns.push_back(b->finish());
    return morvane::db::ResultTable(std::move(columns));
}

void arrange(PivotEngine& grid, std::initializer_list<const char*> rows,
             std::initializer_list<const char*> cols, std::initializer_list<const char*> data) {
    grid.beginUpdate();
    grid.createAllFields();
    test::place(grid, rows, cols, data);
    grid.endUpdate();
}

TEST(SourcePaths, DataSetColumnsReadInPlaceGiveTheReferenceSums) {
    const auto table = randomTable(3000, 5);
    const auto src = std::make_shared<DataSetSource>(table);
    PivotSource::ColumnData data;
    for (int c = 0; c < src->columnCount(); ++c)
        ASSERT_TRUE(src->columnData(c, data)) << c;

    // Leave out one shop and the rows without a shop.
    const Value cut = Value::integer(1000003 - 2000000);
    auto arrangeCut = [&](PivotEngine& e, std::shared_ptr<const PivotSource> from) {
        e.setSource(std::move(from));
        arrange(e, {"货号", "标记"}, {"日期"}, {"数量", "金额", "备注"});
        e.fieldByName(QString::fromUtf8("店铺"))
            ->setFilter({FieldFilter::Mode::Excluded, {cut, Value()}});
        e.fieldByName(QString::fromUtf8("店铺"))->setArea(Area::Filter);
    };
    PivotEngine grid;
    arrangeCut(grid, src);
    const auto ref = test::reference(*src, {0, 3}, {1}, {4, 5, 6}, [&](std::int64_t r) {
        const Value v = src->valueAt(2, r);
        return !v.isNull() && !(v == cut);
    });
    test::checkAgainstReference(grid, ref);
    test::checkRowOrder(grid);

    // The same rows read cell by cell lay out byte for byte the same.
    PivotEngine cells;
    arrangeCut(cells, std::make_shared<CellByCell>(src));
    EXPECT_EQ(test::render(grid), test::render(cells));

    // Numbers as groups, texts as columns.
    grid.setFieldArea(QString::fromUtf8("货号"), morvane::pivot::Area::Column);
    grid.setFieldArea(QString::fromUtf8("标记"), morvane::pivot::Area::None);
    grid.setFieldArea(QString::fromUtf8("店铺"), morvane::pivot::Area::Row);
    grid.setFieldArea(QString::fromUtf8("差"), morvane::pivot::Area::Row);
    grid.fieldByName(QString::fromUtf8("店铺"))->setFilter({});
    grid.setFieldArea(QString::fromUtf8("备注"), morvane::pivot::Area::None);
    test::checkAgainstReference(
        grid, test::reference(*src, {2, 7}, {1, 0}, {4, 5}, [](std::int64_t) { return true; }));
    test::checkRowOrder(grid);
}

TEST(SourcePaths, ColumnArraysHoldWhatTheAccessorsReturn) {
    auto mem = std::make_shared<MemorySource>();
    mem->addColumn(QStringLiteral("t"), ValueType::Text);
    mem->addColumn(QStringLiteral("i"), ValueType::Integer);
    mem->addColumn(QStringLiteral("r"), ValueType::Real);
    mem->addColumn(QStringLiteral("n"), ValueType::Null);
    const auto texts = trickyTexts();
    for (size_t k = 0; k < 130; ++k) {
        const bool null = k % 7 == 3;
        mem->appendRow(
            {null ? Value() : Value::text(QString::fromStdString(texts[k % texts.size()])),
             k % 5 == 1 ? Value() : Value::integer(static_cast<std::int64_t>(k) - 60),
             k % 6 == 2 ? Value() : Value::real(k % 4 == 0 ? -0.0 : k * 0.5), Value()});
    }
    const auto table = randomTable(200, 9);
    const DataSetSource dataSet(table);
    for (const PivotSource* src :
         {static_cast<const PivotSource*>(mem.get()), static_cast<const PivotSource*>(&dataSet)}) {
        for (int c = 0; c < src->columnCount(); ++c) {
            PivotSource::ColumnData d;
            ASSERT_TRUE(src->columnData(c, d));
            for (std::int64_t r = 0; r < src->rowCount(); ++r) {
                SCOPED_TRACE(testing::Message() << "column " << c << " row " << r);
                ASSERT_EQ(d.isNull(r), src->isNull(c, r));
                if (src->isNull(c, r))
                    continue;
                switch (src->columnType(c)) {
                    case ValueType::Integer:
                        EXPECT_EQ(d.integers[r], src->integerAt(c, r));
                        break;
                    case ValueType::Real:
                        EXPECT_EQ(std::signbit(d.reals[r]), std::signbit(src->realAt(c, r)));
                        EXPECT_EQ(d.reals[r], src->realAt(c, r));
                        break;
                    case ValueType::Text:
                        EXPECT_EQ(d.text(r), src->textAt(c, r));
                        break;
                    case ValueType::Null:
                        break;
                }
            }
        }
    }
    // A dataset view of some rows only is read cell by cell.
    const DataSetSource some(table, {5, 3, 8});
    PivotSource::ColumnData d;
    EXPECT_FALSE(some.columnData(0, d));
    EXPECT_EQ(some.textAt(0, 1), table.column(0).bytesAt(3));
}

TEST(SourcePaths, ColumnsInternedOnSeveralThreadsAsOneByOne) {
    const auto table = randomTable(5000, 13);
    const DataSetSource src(table);
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    // Every column, and one that the result lacks (-1).
    const std::vector<int> columns{0, 1, 2, 3, 4, 5, 6, 7, -1};
    for (int threads : {1, 3}) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        const auto all = detail::buildFieldIndexes(src, columns, &collator, threads);
        ASSERT_EQ(all.size(), columns.size());
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto one = detail::buildFieldIndex(src, columns[i], &collator);
            EXPECT_TRUE(
                std::equal(all[i].ids.begin(), all[i].ids.end(), one.ids.begin(), one.ids.end()))
                << "column " << columns[i];
            EXPECT_EQ(all[i].values, one.values) << "column " << columns[i];
            EXPECT_EQ(all[i].rank, one.rank) << "column " << columns[i];
        }
    }
}

TEST(SourcePaths, LargeResultLaysOutAsWhenInternedOneByOne) {
    // Enough rows that the engine interns the grouped columns on threads.
    constexpr int kRows = 150'000;
    std::mt19937 rng(17);
    auto src = std::make_shared<MemorySource>();
    for (const char* c : {"品牌", "货号", "颜色", "店铺"})
        src->addColumn(QString::fromUtf8(c), ValueType::Text);
    src->addColumn(QStringLiteral("日"), ValueType::Integer);
    src->addColumn(QStringLiteral("数量"), ValueType::Integer);
    src->addColumn(QStringLiteral("金额"), ValueType::Real);
    src->reserve(kRows);
    std::int64_t qtyTotal = 0;
    for (int r = 0; r < kRows; ++r) {
        const int g = static_cast<int>(rng() % 40);
        src->pushText(0, QStringLiteral("品牌%1").arg(g % 4));
        src->pushText(1, QStringLiteral("G%1").arg(g));
        src->pushText(2, QStringLiteral("色%1").arg(rng() % 3));
        if (rng() % 50 == 0)
            src->pushNull(3);
        else
            src->pushText(3, QStringLiteral("店%1").arg(rng() % 6));
        src->pushInteger(4, static_cast<std::int64_t>(rng() % 3));
        const auto q = static_cast<std::int64_t>(rng() % 100) - 10;
        src->pushInteger(5, q);
        qtyTotal += q;
        src->pushReal(6, static_cast<double>(rng() % 1000) / 4.0);
    }
    PivotEngine together;
    together.setSource(src);
    arrange(together, {"品牌", "货号", "颜色"}, {"店铺", "日"}, {"数量", "金额"});

    PivotEngine oneByOne;
    oneByOne.setSource(src);
    oneByOne.createAllFields();
    for (const char* f : {"品牌", "货号", "颜色", "店铺", "日"})
        EXPECT_GT(oneByOne.distinctValueCount(*oneByOne.fieldByName(QString::fromUtf8(f))), 0);
    arrange(oneByOne, {"品牌", "货号", "颜色"}, {"店铺", "日"}, {"数量", "金额"});

    const QString text = test::render(together);
    EXPECT_EQ(text, test::render(oneByOne));
    const int last = together.rowCount() - 1;
    EXPECT_EQ(together.rowHeader(last, 0).kind, HeaderKind::GrandTotal);
    EXPECT_EQ(together.cellValue(last, together.columnCount() - 2), Value::integer(qtyTotal));
}

}  // namespace
}  // namespace morvane::pivot
