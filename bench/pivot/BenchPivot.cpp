// Pivot layout over a million source rows.
//
// Brief: rows 品牌 / 货号 (20 brands, 3,000 goods), columns 日 (31 days),
// data 数量 and 金额; the whole matrix laid out (about 3,000 x 64 cells).
// Wide: rows 品牌 / 货号 / 颜色, columns 店铺 / 类型 (300 shops x 4 kinds),
// three data fields: about 24,000 x 3,600 view cells, so the view is
// aggregated and laid out and a screenful of it is read, as the grid does.
#include "platform/pivot/MemorySource.h"
#include "platform/pivot/PivotEngine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace morvane::pivot;

namespace {

constexpr int kRows = 1'000'000;

std::shared_ptr<MemorySource> makeRows(bool wide) {
    auto s = std::make_shared<MemorySource>();
    const int brand = s->addColumn(QStringLiteral("品牌"), ValueType::Text);
    const int goods = s->addColumn(QStringLiteral("货号"), ValueType::Text);
    const int color = s->addColumn(QStringLiteral("颜色"), ValueType::Text);
    const int shop = s->addColumn(QStringLiteral("店铺"), ValueType::Text);
    const int kind = s->addColumn(QStringLiteral("类型"), ValueType::Text);
    const int day = s->addColumn(QStringLiteral("日"), ValueType::Integer);
    const int qty = s->addColumn(QStringLiteral("数量"), ValueType::Integer);
    const int amount = s->addColumn(QStringLiteral("金额"), ValueType::Real);
    const int tag = s->addColumn(QStringLiteral("吊牌额"), ValueType::Real);
    s->reserve(kRows);
    std::mt19937 rng(20260101);
    QStringList brands, goodsNames, colors, shops;
    for (int i = 0; i < 20; ++i)
        brands << QStringLiteral("品牌%1").arg(i);
    for (int i = 0; i < 3000; ++i)
        goodsNames << QStringLiteral("G%1").arg(i, 5, 10, QLatin1Char('0'));
    for (int i = 0; i < 8; ++i)
        colors << QStringLiteral("色%1").arg(i);
    for (int i = 0; i < 300; ++i)
        shops << QStringLiteral("店%1").arg(i, 3, 10, QLatin1Char('0'));
    const QStringList kinds{QStringLiteral("1进"), QStringLiteral("2销"), QStringLiteral("3退"),
                            QStringLiteral("4存")};
    for (int r = 0; r < kRows; ++r) {
        const int g = static_cast<int>(rng() % 3000);
        s->pushText(brand, brands[g % 20]);
        s->pushText(goods, goodsNames[g]);
        s->pushText(color, colors[static_cast<int>(rng() % 8)]);
        s->pushText(shop, wide ? shops[static_cast<int>(rng() % 300)] : shops[0]);
        s->pushText(kind, kinds[static_cast<int>(rng() % 4)]);
        s->pushInteger(day, static_cast<std::int64_t>(rng() % 31) + 1);
        if (rng() % 20 == 0)
            s->pushNull(qty);
        else
            s->pushInteger(qty, static_cast<std::int64_t>(rng() % 50) - 5);
        s->pushReal(amount, static_cast<double>(rng() % 100000) / 100.0);
        s->pushReal(tag, static_cast<double>(rng() % 50000) / 10.0);
    }
    return s;
}

const std::shared_ptr<MemorySource>& briefRows() {
    static const auto rows = makeRows(false);
    return rows;
}
const std::shared_ptr<MemorySource>& wideRows() {
    static const auto rows = makeRows(true);
    return rows;
}

void arrangeBrief(PivotEngine& grid) {
    grid.beginUpdate();
    grid.createAllFields();
    grid.setFieldArea(QStringLiteral("品牌"), 1);
    grid.setFieldArea(QStringLiteral("货号"), 1);
    grid.setFieldArea(QStringLiteral("日"), 0);
    grid.setFieldArea(QStringLiteral("数量"), 3);
    grid.setFieldArea(QStringLiteral("金额"), 3);
    grid.endUpdate();
}

void arrangeWide(PivotEngine& grid) {
    grid.beginUpdate();
    grid.createAllFields();
    for (const char* f : {"品牌", "货号", "颜色"})
        grid.setFieldArea(QString::fromUtf8(f), 1);
    for (const char* f : {"店铺", "类型"})
        grid.setFieldArea(QString::fromUtf8(f), 0);
    for (const char* f : {"数量", "金额", "吊牌额"})
        grid.setFieldArea(QString::fromUtf8(f), 3);
    grid.endUpdate();
}

// Forces a new aggregation without new interning: the user re-sorts a field.
void resort(PivotEngine& grid, bool& desc) {
    desc = !desc;
    grid.fieldByName(QStringLiteral("货号"))
        ->setSortOrder(desc ? SortOrder::Descending : SortOrder::Ascending);
}

// From a fresh result set: intern the columns, aggregate, lay out the matrix.
void BM_BriefFreshLayout(benchmark::State& state) {
    const auto& rows = briefRows();
    for (auto _ : state) {
        PivotEngine grid;
        grid.setSource(rows);
        arrangeBrief(grid);
        const PivotMatrix m = grid.layoutMatrix();
        benchmark::DoNotOptimize(m.rowCount());
        state.counters["cells"] = static_cast<double>(m.rowCount()) * m.columnCount();
    }
}
BENCHMARK(BM_BriefFreshLayout)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same arrangement changed by the user: aggregate again and lay out.
void BM_BriefRelayout(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(briefRows());
    arrangeBrief(grid);
    grid.layoutMatrix();
    bool desc = false;
    for (auto _ : state) {
        resort(grid, desc);
        const PivotMatrix m = grid.layoutMatrix();
        benchmark::DoNotOptimize(m.rowCount());
    }
}
BENCHMARK(BM_BriefRelayout)->Unit(benchmark::kMillisecond)->Iterations(10);

// Aggregation and the view's rows and columns, without the text matrix.
void BM_BriefAggregate(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(briefRows());
    arrangeBrief(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    bool desc = false;
    for (auto _ : state) {
        resort(grid, desc);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_BriefAggregate)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_WideFreshView(benchmark::State& state) {
    const auto& rows = wideRows();
    for (auto _ : state) {
        PivotEngine grid;
        grid.setSource(rows);
        arrangeWide(grid);
        benchmark::DoNotOptimize(grid.rowCount());
        state.counters["rows"] = grid.rowCount();
        state.counters["cols"] = grid.columnCount();
    }
}
BENCHMARK(BM_WideFreshView)->Unit(benchmark::kMillisecond)->Iterations(3);

// A new result on the grid of an open window: the grid and its buffers
// stay, every column is interned again.
void BM_WideNewResult(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(wideRows());
    arrangeWide(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    for (auto _ : state) {
        grid.setSource(wideRows());
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_WideNewResult)->Unit(benchmark::kMillisecond)->Iterations(3);

// Interning alone: the five grouped text columns of the wide layout.
void BM_WideInternTexts(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(wideRows());
    grid.createAllFields();
    for (auto _ : state) {
        grid.refresh();
        int n = 0;
        for (const char* f : {"品牌", "货号", "颜色", "店铺", "类型"})
            n += grid.distinctValueCount(*grid.fieldByName(QString::fromUtf8(f)));
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_WideInternTexts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WideReaggregate(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(wideRows());
    arrangeWide(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    bool desc = false;
    for (auto _ : state) {
        resort(grid, desc);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_WideReaggregate)->Unit(benchmark::kMillisecond)->Iterations(5);

// One screen of the wide view (60 rows x 25 columns with their headers), as
// the grid reads it to paint, at a different place each time.
void BM_WideViewport(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(wideRows());
    arrangeWide(grid);
    const int rows = grid.rowCount(), cols = grid.columnCount();
    std::mt19937 rng(5);
    for (auto _ : state) {
        const int r0 = static_cast<int>(rng() % static_cast<unsigned>(rows - 60));
        const int c0 = static_cast<int>(rng() % static_cast<unsigned>(cols - 25));
        qsizetype chars = 0;
        for (int r = r0; r < r0 + 60; ++r) {
            for (int l = 0; l < grid.rowLevelCount(); ++l)
                chars += grid.drawRowHeader(r, l).text.size();
            for (int c = c0; c < c0 + 25; ++c)
                chars += grid.drawCell(r, c).text.size();
        }
        for (int c = c0; c < c0 + 25; ++c)
            for (int l = 0; l < grid.columnLevelCount(); ++l)
                chars += grid.drawColumnHeader(c, l).text.size();
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_WideViewport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
