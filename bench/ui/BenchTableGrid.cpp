// The flat table of the sale-versus-purchase window on a demo database: the table fill (the
// grid taking a freshly opened result: row index, column binding, footer sums) and its first
// paint (a 1000 x 600 grid rendered into an image), measured apart. The statement is the
// window's own, read from the file $BENCH_SQL (`morvane run frm_SaLp_SalePurchase --sql`), run
// once on $BENCH_DB before the timings.
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"

#include <QApplication>
#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using morvane::ui::DBTickGrid;
using morvane::ui::GridColumn;

namespace {

TRemoteUdpConnection* connection = nullptr;
TRemoteUdpDataSet* result = nullptr;

// The window's columns and footer: count, three quantity sums, the amount.
void Configure(DBTickGrid& grid) {
    grid.SetColumns({
        {.fieldName = "goodsid", .caption = "货号", .width = 90},
        {.fieldName = "goodsname", .caption = "货品名称", .width = 160},
        {.fieldName = "unitprice", .caption = "吊牌价"},
        {.fieldName = "fbegindate", .caption = "最早到货日期", .width = 90},
        {.fieldName = "fsaledaycount", .caption = "销售天数"},
        {.fieldName = "recevingqty", .caption = "生产数"},
        {.fieldName = "saleqty", .caption = "销售数"},
        {.fieldName = "salesumto", .caption = "销售金额", .width = 100},
        {.fieldName = "stockqty", .caption = "库存数"},
        {.fieldName = "fbyb",
         .caption = "产/销比",
         .displayText = [](const QString& v) { return v.isEmpty() ? v : v + "%"; }},
    });
    grid.SetFooterCount(0, QStringLiteral("合计"));
    for (int c : {5, 6, 8})
        grid.SetFooterSum(c, QStringLiteral("#"));
    grid.SetFooterSum(7);
    grid.SetFooterVisible(true);
    grid.resize(1000, 600);
}

void BM_TableFill(benchmark::State& state) {
    DBTickGrid grid;
    Configure(grid);
    for (auto _ : state) {
        grid.SetDataSet(nullptr);
        grid.SetDataSet(result);
        for (int c = 0; c < grid.model()->columnCount(); ++c)
            benchmark::DoNotOptimize(grid.FooterText(c));
    }
    state.counters["rows"] = grid.model()->rowCount();
}
BENCHMARK(BM_TableFill)->Unit(benchmark::kMillisecond);

void BM_FirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<DBTickGrid>();
        Configure(*grid);
        grid->SetDataSet(result);
        QImage image(grid->size(), QImage::Format_ARGB32_Premultiplied);
        state.ResumeTiming();
        grid->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFile sql(qEnvironmentVariable("BENCH_SQL"));
    if (!qEnvironmentVariableIsSet("BENCH_DB") || !sql.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "set BENCH_DB to a demo database and BENCH_SQL to a statement file\n");
        return 1;
    }
    TRemoteUdpConnection db;
    db.OpenSqlite(qEnvironmentVariable("BENCH_DB"));
    TRemoteUdpDataSet data;
    data.setSetupUdpParent(&db);
    data.SetSQL(QString::fromUtf8(sql.readAll()));
    data.Open();
    connection = &db;
    result = &data;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
