// Pivot layout over a million source rows.
//
// Brief: rows 品牌 / 货号 (20 brands, 3,000 goods), columns 日 (31 days),
// data 数量 and 金额; the whole matrix laid out (about 3,000 x 64 cells).
// Wide: rows 品牌 / 货号 / 颜色, columns 店铺 / 类型 (300 shops x 4 kinds),
// three data fields: about 27,000 x 4,500 view cells, so the view is
// aggregated and laid out and a screenful of it is read, as the grid does.
//
// The fresh cases start from a result the engine has never seen, as after a
// get-data, read in place from either source: a MemorySource, or a
// dataset whose rows were fetched from an SQLite file (DataSetSource). Time
// is wall-clock; CPU is the whole process's, worker threads included.
// bench/pivot/compare-pandas.sh sets the fresh cases against pandas.
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/DataSetSource.h"
#include "platform/pivot/MemorySource.h"
#include "platform/pivot/PivotEngine.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QString>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

using namespace morvane::pivot;

namespace {

constexpr int kRows = 1'000'000;

// The rows of one case, generated once and loaded into both sources.
struct Rows {
    std::vector<int> brand, goods, color, shop, kind, day;
    std::vector<std::int64_t> qty;  // -1000: NULL
    std::vector<double> amount, tag;
};

const QStringList& names(int which) {
    static const std::vector<QStringList> lists = [] {
        QStringList brands, goods, colors, shops;
        for (int i = 0; i < 20; ++i)
            brands << QStringLiteral("品牌%1").arg(i);
        for (int i = 0; i < 3000; ++i)
            goods << QStringLiteral("G%1").arg(i, 5, 10, QLatin1Char('0'));
        for (int i = 0; i < 8; ++i)
            colors << QStringLiteral("色%1").arg(i);
        for (int i = 0; i < 300; ++i)
            shops << QStringLiteral("店%1").arg(i, 3, 10, QLatin1Char('0'));
        const QStringList kinds{QStringLiteral("1进"), QStringLiteral("2销"), QStringLiteral("3退"),
                                QStringLiteral("4存")};
        return std::vector<QStringList>{brands, goods, colors, shops, kinds};
    }();
    return lists[static_cast<size_t>(which)];
}

constexpr std::int64_t kNullQty = -1000;

Rows makeRows(bool wide) {
    Rows d;
    std::mt19937 rng(20260101);
    for (int r = 0; r < kRows; ++r) {
        const int g = static_cast<int>(rng() % 3000);
        d.brand.push_back(g % 20);
        d.goods.push_back(g);
        d.color.push_back(static_cast<int>(rng() % 8));
        d.shop.push_back(wide ? static_cast<int>(rng() % 300) : 0);
        d.kind.push_back(static_cast<int>(rng() % 4));
        d.day.push_back(static_cast<int>(rng() % 31) + 1);
        d.qty.push_back(rng() % 20 == 0 ? kNullQty : static_cast<std::int64_t>(rng() % 50) - 5);
        d.amount.push_back(static_cast<double>(rng() % 100000) / 100.0);
        d.tag.push_back(static_cast<double>(rng() % 50000) / 10.0);
    }
    return d;
}

const Rows& rowsOf(bool wide) {
    static const Rows brief = makeRows(false);
    if (!wide)
        return brief;
    static const Rows w = makeRows(true);
    return w;
}

std::shared_ptr<const PivotSource> memorySource(bool wide) {
    const Rows& d = rowsOf(wide);
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
    for (size_t r = 0; r < static_cast<size_t>(kRows); ++r) {
        s->pushText(brand, names(0)[d.brand[r]]);
        s->pushText(goods, names(1)[d.goods[r]]);
        s->pushText(color, names(2)[d.color[r]]);
        s->pushText(shop, names(3)[d.shop[r]]);
        s->pushText(kind, names(4)[d.kind[r]]);
        s->pushInteger(day, d.day[r]);
        if (d.qty[r] == kNullQty)
            s->pushNull(qty);
        else
            s->pushInteger(qty, d.qty[r]);
        s->pushReal(amount, d.amount[r]);
        s->pushReal(tag, d.tag[r]);
    }
    return s;
}

const std::shared_ptr<const PivotSource>& memoryRows(bool wide) {
    static const auto brief = memorySource(false);
    if (!wide)
        return brief;
    static const auto w = memorySource(true);
    return w;
}

// The same rows written to an SQLite file and fetched by a dataset, as a
// report window's get-data fetches its result.
class SqliteRows {
  public:
    explicit SqliteRows(bool wide) {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("morvane-bench-pivot-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        file_ = (dir / (wide ? "wide.db" : "brief.db")).string();
        write(rowsOf(wide));
        connection_.OpenSqlite(QString::fromStdString(file_));
        dataSet_.setSetupUdpParent(&connection_);
        dataSet_.SetSQL(QString::fromUtf8(
            "select brand as 品牌, goods as 货号, color as 颜色, shop as 店铺, kind as 类型,"
            " day as 日, qty as 数量, amount as 金额, tag as 吊牌额 from sales"));
        dataSet_.Open();
    }
    ~SqliteRows() {
        dataSet_.Close();
        connection_.Close();
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(file_).parent_path(), ignored);
    }
    const TRemoteUdpDataSet& dataSet() const { return dataSet_; }

  private:
    void write(const Rows& d) {
        sqlite3* db = nullptr;
        if (sqlite3_open(file_.c_str(), &db) != SQLITE_OK)
            throw std::runtime_error("cannot create the benchmark database");
        auto exec = [&](const char* sql) {
            if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
                throw std::runtime_error(sqlite3_errmsg(db));
        };
        exec(
            "create table sales(brand text, goods text, color text, shop text, kind text,"
            " day integer, qty integer, amount real, tag real);"
            "begin");
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "insert into sales values(?,?,?,?,?,?,?,?,?)", -1, &st, nullptr);
        std::vector<std::vector<std::string>> utf8;
        for (int which = 0; which < 5; ++which) {
            utf8.emplace_back();
            for (const QString& s : names(which))
                utf8.back().push_back(s.toStdString());
        }
        for (size_t r = 0; r < static_cast<size_t>(kRows); ++r) {
            const int picks[] = {d.brand[r], d.goods[r], d.color[r], d.shop[r], d.kind[r]};
            for (int c = 0; c < 5; ++c) {
                const std::string& t = utf8[static_cast<size_t>(c)][static_cast<size_t>(picks[c])];
                sqlite3_bind_text(st, c + 1, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
            }
            sqlite3_bind_int64(st, 6, d.day[r]);
            if (d.qty[r] == kNullQty)
                sqlite3_bind_null(st, 7);
            else
                sqlite3_bind_int64(st, 7, d.qty[r]);
            sqlite3_bind_double(st, 8, d.amount[r]);
            sqlite3_bind_double(st, 9, d.tag[r]);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        exec("commit");
        sqlite3_close(db);
    }

    std::string file_;
    TRemoteUdpConnection connection_;
    TRemoteUdpDataSet dataSet_;
};

const TRemoteUdpDataSet& dataSetRows(bool wide) {
    static SqliteRows brief(false);
    if (!wide)
        return brief.dataSet();
    static SqliteRows w(true);
    return w.dataSet();
}

enum class From { Memory, DataSet };

std::shared_ptr<const PivotSource> freshSource(From from, bool wide) {
    if (from == From::Memory)
        return memoryRows(wide);
    // A new source over the dataset, as the grid makes one for each result.
    return DataSetSource::fromDataSet(dataSetRows(wide));
}

void arrangeBrief(PivotEngine& grid) {
    grid.beginUpdate();
    grid.createAllFields();
    grid.setFieldArea(QStringLiteral("品牌"), morvane::pivot::Area::Row);
    grid.setFieldArea(QStringLiteral("货号"), morvane::pivot::Area::Row);
    grid.setFieldArea(QStringLiteral("日"), morvane::pivot::Area::Column);
    grid.setFieldArea(QStringLiteral("数量"), morvane::pivot::Area::Data);
    grid.setFieldArea(QStringLiteral("金额"), morvane::pivot::Area::Data);
    grid.endUpdate();
}

void arrangeWide(PivotEngine& grid) {
    grid.beginUpdate();
    grid.createAllFields();
    for (const char* f : {"品牌", "货号", "颜色"})
        grid.setFieldArea(QString::fromUtf8(f), morvane::pivot::Area::Row);
    for (const char* f : {"店铺", "类型"})
        grid.setFieldArea(QString::fromUtf8(f), morvane::pivot::Area::Column);
    for (const char* f : {"数量", "金额", "吊牌额"})
        grid.setFieldArea(QString::fromUtf8(f), morvane::pivot::Area::Data);
    grid.endUpdate();
}

// What the grid reads to paint one screen: 60 rows x 25 columns of cells
// with their row and column headers, from (row0, col0).
qsizetype readScreen(PivotEngine& grid, int row0, int col0) {
    qsizetype chars = 0;
    const int r1 = std::min(grid.rowCount(), row0 + 60);
    const int c1 = std::min(grid.columnCount(), col0 + 25);
    for (int r = row0; r < r1; ++r) {
        for (int l = 0; l < grid.rowLevelCount(); ++l)
            chars += grid.drawRowHeader(r, l).text.size();
        for (int c = col0; c < c1; ++c)
            chars += grid.drawCell(r, c).text.size();
    }
    for (int c = col0; c < c1; ++c)
        for (int l = 0; l < grid.columnLevelCount(); ++l)
            chars += grid.drawColumnHeader(c, l).text.size();
    return chars;
}

// Forces a new aggregation without new interning: the user re-sorts a field.
void resort(PivotEngine& grid, bool& desc) {
    desc = !desc;
    grid.fieldByName(QStringLiteral("货号"))
        ->setSortOrder(desc ? SortOrder::Descending : SortOrder::Ascending);
}

// ---- from a fresh result to what the grid shows

// Brief: intern the grouped columns, aggregate, lay out the whole matrix.
void BM_BriefFresh(benchmark::State& state, From from) {
    freshSource(from, false);  // rows made before timing
    for (auto _ : state) {
        PivotEngine grid;
        grid.setSource(freshSource(from, false));
        arrangeBrief(grid);
        const PivotMatrix m = grid.layoutMatrix();
        benchmark::DoNotOptimize(m.rowCount());
        state.counters["cells"] = static_cast<double>(m.rowCount()) * m.columnCount();
    }
}
BENCHMARK_CAPTURE(BM_BriefFresh, memory, From::Memory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_BriefFresh, dataset, From::DataSet)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Wide: intern, aggregate, lay out the axes, read the first screen.
void BM_WideFresh(benchmark::State& state, From from) {
    freshSource(from, true);
    for (auto _ : state) {
        PivotEngine grid;
        grid.setSource(freshSource(from, true));
        arrangeWide(grid);
        benchmark::DoNotOptimize(readScreen(grid, 0, 0));
        state.counters["rows"] = grid.rowCount();
        state.counters["cols"] = grid.columnCount();
    }
}
BENCHMARK_CAPTURE(BM_WideFresh, memory, From::Memory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WideFresh, dataset, From::DataSet)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// A new result on the grid of an open window: the grid and its buffers
// stay, every grouped column is interned again.
void BM_WideNewResult(benchmark::State& state, From from) {
    PivotEngine grid;
    grid.setSource(freshSource(from, true));
    arrangeWide(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    for (auto _ : state) {
        grid.setSource(freshSource(from, true));
        benchmark::DoNotOptimize(readScreen(grid, 0, 0));
    }
}
BENCHMARK_CAPTURE(BM_WideNewResult, memory, From::Memory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WideNewResult, dataset, From::DataSet)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// ---- parts of it

// Interning alone: the five grouped text columns of the wide layout, one
// after the other (the filter drop-down's path).
void BM_WideInternTexts(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(true));
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

// The same arrangement changed by the user: aggregate again and lay out.
void BM_BriefRelayout(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(false));
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

void BM_WideReaggregate(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(true));
    arrangeWide(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    bool desc = false;
    for (auto _ : state) {
        resort(grid, desc);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_WideReaggregate)->Unit(benchmark::kMillisecond)->Iterations(5);

// The widths the grid fits after a get-data: every stored sum's text is
// measured, so this grows with the matrix, not with the screen.
void BM_WideBestFit(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(true));
    arrangeWide(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    for (auto _ : state) {
        grid.applyBestFit();
        benchmark::DoNotOptimize(grid.columnWidth(0));
    }
}
BENCHMARK(BM_WideBestFit)->Unit(benchmark::kMillisecond)->Iterations(1);

// One screen of the wide view at a different place each time.
void BM_WideViewport(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(true));
    arrangeWide(grid);
    const int rows = grid.rowCount(), cols = grid.columnCount();
    std::mt19937 rng(5);
    for (auto _ : state) {
        const int r0 = static_cast<int>(rng() % static_cast<unsigned>(rows - 60));
        const int c0 = static_cast<int>(rng() % static_cast<unsigned>(cols - 25));
        benchmark::DoNotOptimize(readScreen(grid, r0, c0));
    }
}
BENCHMARK(BM_WideViewport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
