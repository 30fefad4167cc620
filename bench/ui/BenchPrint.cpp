// Printing a 5,000-goods pivot (goods code and name in the rows, 4 shops in the columns, three
// data fields): what the preview needs before it shows (laying the pages out and painting the
// first one), every page painted as the preview widget records them, and the whole PDF file.
#include "platform/pivot/MemorySource.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotReportLink.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include <benchmark/benchmark.h>

#include <memory>

using namespace morvane::pivot;

namespace {

constexpr int kGoods = 5000;
constexpr int kShops = 4;

std::shared_ptr<MemorySource> makeRows() {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(QStringLiteral("货号"), ValueType::Text);
    src->addColumn(QStringLiteral("品名"), ValueType::Text);
    src->addColumn(QStringLiteral("店铺"), ValueType::Text);
    src->addColumn(QStringLiteral("数量"), ValueType::Integer);
    src->addColumn(QStringLiteral("金额"), ValueType::Real);
    src->addColumn(QStringLiteral("成本"), ValueType::Real);
    std::uint32_t x = 2026;
    for (int g = 0; g < kGoods; ++g) {
        for (int s = 0; s < kShops; ++s) {
            x = x * 1664525u + 1013904223u;
            src->appendRow({Value::text(QStringLiteral("HX%1").arg(g, 5, 10, QLatin1Char('0'))),
                            Value::text(QStringLiteral("女装连衣裙%1").arg(g % 97)),
                            Value::text(QStringLiteral("王府井店%1").arg(s + 1)),
                            Value::integer((x >> 8) % 50), Value::real(((x >> 4) % 100000) / 10.0),
                            Value::real(((x >> 6) % 80000) / 10.0)});
        }
    }
    return src;
}

struct Fixture {
    TcxDBPivotGrid grid;
    TcxPivotGridReportLink link;
    Fixture() {
        grid.resize(1200, 800);
        grid.SetSource(makeRows());
        grid.BeginUpdate();
        grid.CreateAllFields();
        grid.SetFieldArea(QStringLiteral("货号"), morvane::pivot::Area::Row);
        grid.SetFieldArea(QStringLiteral("品名"), morvane::pivot::Area::Row);
        grid.SetFieldArea(QStringLiteral("店铺"), morvane::pivot::Area::Column);
        grid.SetFieldArea(QStringLiteral("数量"), morvane::pivot::Area::Data);
        grid.SetFieldArea(QStringLiteral("金额"), morvane::pivot::Area::Data);
        grid.SetFieldArea(QStringLiteral("成本"), morvane::pivot::Area::Data);
        grid.EndUpdate();
        grid.ApplyBestFit();
        link.SetComponent(&grid);
        link.SetReportTitle(QStringLiteral("商品销售汇总\n年份:2026    月度:3"));
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// A4 at 96 dpi, as the preview shows a page at 100 %.
const QRectF kSheet(0, 0, 794, 1123);

void BM_PreviewFirstPage(benchmark::State& state) {
    Fixture& f = fixture();
    QImage image(kSheet.size().toSize(), QImage::Format_RGB32);
    for (auto _ : state) {
        f.link.Invalidate();
        benchmark::DoNotOptimize(f.link.PageCount());
        image.fill(Qt::white);
        QPainter p(&image);
        f.link.RenderPage(p, 0, kSheet);
    }
    state.counters["pages"] = f.link.PageCount();
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond);

void BM_PreviewAllPagesRecorded(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        f.link.Invalidate();
        const int pages = f.link.PageCount();
        for (int page = 0; page < pages; ++page) {
            QPicture picture;
            QPainter p(&picture);
            f.link.RenderPage(p, page, kSheet);
        }
    }
}
BENCHMARK(BM_PreviewAllPagesRecorded)->Unit(benchmark::kMillisecond);

void BM_ExportPdf(benchmark::State& state) {
    Fixture& f = fixture();
    const QString file = QDir::temp().filePath(QStringLiteral("morvane-bench-print.pdf"));
    for (auto _ : state) {
        f.link.Invalidate();
        f.link.ExportPdf(file);
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(file).size());
    QFile::remove(file);
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);

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
