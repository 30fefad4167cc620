// Painting one viewport of the pivot grid, offscreen into an image: 100,000 goods in the rows and
// 300 shops in the columns (a grand-total row and column besides), with the zero-blanking
// display-text handler and a custom-draw handler attached as the report windows attach them.
// Each iteration scrolls to another place, so no paint reuses the previous one.
#include "platform/pivot/MemorySource.h"
#include "platform/ui/PivotGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>

using namespace morvane::pivot;

namespace {

constexpr int kGoods = 100000;
constexpr int kShops = 300;
constexpr int kShopsPerGoods = 12;

std::shared_ptr<MemorySource> makeRows() {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(QStringLiteral("货号"), ValueType::Integer);
    src->addColumn(QStringLiteral("店铺"), ValueType::Integer);
    src->addColumn(QStringLiteral("数量"), ValueType::Integer);
    src->reserve(static_cast<std::int64_t>(kGoods) * kShopsPerGoods);
    std::uint32_t x = 12345;
    for (int g = 0; g < kGoods; ++g)
        for (int k = 0; k < kShopsPerGoods; ++k) {
            x = x * 1664525u + 1013904223u;
            src->pushInteger(0, 100000 + g);
            src->pushInteger(1, static_cast<std::int64_t>((x >> 8) % kShops));
            src->pushInteger(2, static_cast<std::int64_t>((x >> 20) % 40));
        }
    return src;
}

struct Fixture {
    TcxDBPivotGrid grid;
    Fixture() {
        grid.resize(1600, 900);
        grid.SetSource(makeRows());
        grid.BeginUpdate();
        grid.CreateAllFields();
        for (int i = 0; i < grid.FieldCount(); ++i)
            grid.Fields(i)->setOnGetDisplayText(
                [](const PivotField&, const DisplayTextInfo&, QString& text) {
                    if (text == QLatin1String("0"))
                        text.clear();
                });
        grid.SetFieldArea(QStringLiteral("货号"), morvane::pivot::Area::Row);
        grid.SetFieldArea(QStringLiteral("店铺"), morvane::pivot::Area::Column);
        grid.SetFieldArea(QStringLiteral("数量"), morvane::pivot::Area::Data);
        grid.SetOnCustomDrawCell([](PivotEngine&, CellDrawInfo& info) {
            if (info.text.startsWith(QLatin1Char('3')))
                info.color = 0xFFFFF4E0;
        });
        grid.EndUpdate();
        grid.ApplyBestFit();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_PaintViewport(benchmark::State& state) {
    Fixture& f = fixture();
    TcxDBPivotGrid& grid = f.grid;
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar* v = grid.verticalScrollBar();
    QScrollBar* h = grid.horizontalScrollBar();
    std::uint32_t x = 99;
    long cells = 0;
    for (auto _ : state) {
        x = x * 1664525u + 1013904223u;
        v->setValue(static_cast<int>(x % static_cast<std::uint32_t>(v->maximum() + 1)));
        h->setValue(static_cast<int>((x >> 7) % static_cast<std::uint32_t>(h->maximum() + 1)));
        grid.viewport()->render(&image);
        const auto& g = grid.Geometry();
        cells += static_cast<long>(g.lastVisibleRow() - g.firstVisibleRow() + 1) *
                 (g.lastVisibleColumn() - g.firstVisibleColumn() + 1);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = grid.ViewData().rowCount();
    state.counters["columns"] = grid.ViewData().columnCount();
    state.counters["cells/paint"] =
        static_cast<double>(cells) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PaintViewport)->Unit(benchmark::kMillisecond);

// The same, one row further down each time, as when the user holds the arrow key.
void BM_ScrollByOneRow(benchmark::State& state) {
    TcxDBPivotGrid& grid = fixture().grid;
    QImage image(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar* v = grid.verticalScrollBar();
    grid.horizontalScrollBar()->setValue(0);
    int value = v->maximum() / 2;
    for (auto _ : state) {
        value += v->singleStep();
        v->setValue(value);
        grid.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ScrollByOneRow)->Unit(benchmark::kMillisecond);

// Best fit over the whole pivot: the engine's estimate over every value, then the measured
// headers and the rows in view (the pivot has more cells than the grid measures one by one).
void BM_ApplyBestFit(benchmark::State& state) {
    TcxDBPivotGrid& grid = fixture().grid;
    for (auto _ : state)
        grid.ApplyBestFit();
}
BENCHMARK(BM_ApplyBestFit)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
