// Pivot layout over 1,000,000 and 10,000,000 source rows.
//
// Brief: rows 品牌 / 货号 (20 brands, 3,000 goods), columns 日 (31 days),
// data 数量 and 金额; the whole matrix laid out (about 3,000 x 64 cells).
// Wide: rows 品牌 / 货号 / 颜色, columns 店铺 / 类型 (300 shops x 4 kinds),
// three data fields: about 27,000 x 4,500 view cells, so the view is
// aggregated and laid out and a screenful of it is read, as the grid does.
//
// The fresh cases start from a result the engine has never seen, as after a
// get-data, read in place from either source: a MemorySource (at both row
// counts), or a dataset whose rows were fetched from an SQLite file
// (DataSetSource, at 1,000,000 rows: it reads the same arrays). Time is
// wall-clock; CPU is the whole process's, worker threads included. The Stage
// cases time the parts of a fresh layout one by one.
//
// --rows_csv=DIR also writes every row set the run generates to
// DIR/<brief|wide>-<rows>.csv (texts as UTF-8, NULL as an empty field), so
// that another engine can load exactly the same rows:
// bench/pivot/compare-duckdb.sh sets the fresh cases against DuckDB, and
// bench/pivot/compare-pandas.sh against pandas.
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/DataSetSource.h"
#include "platform/pivot/FieldIndex.h"
#include "platform/pivot/MemorySource.h"
#include "platform/pivot/PivotEngine.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCollator>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

using namespace morvane::pivot;

namespace {

constexpr std::int64_t kMillion = 1'000'000;
constexpr std::int64_t kTenMillion = 10'000'000;

std::string csvFolder;  // --rows_csv

// The texts of the grouped columns, as UTF-8.
const std::vector<std::string>& names(int which) {
    static const std::vector<std::vector<std::string>> lists = [] {
        std::vector<std::vector<std::string>> l(5);
        for (int i = 0; i < 20; ++i)
            l[0].push_back(QStringLiteral("品牌%1").arg(i).toStdString());
        for (int i = 0; i < 3000; ++i)
            l[1].push_back(QStringLiteral("G%1").arg(i, 5, 10, QLatin1Char('0')).toStdString());
        for (int i = 0; i < 8; ++i)
            l[2].push_back(QStringLiteral("色%1").arg(i).toStdString());
        for (int i = 0; i < 300; ++i)
            l[3].push_back(QStringLiteral("店%1").arg(i, 3, 10, QLatin1Char('0')).toStdString());
        l[4] = {"1进", "2销", "3退", "4存"};
        return l;
    }();
    return lists[static_cast<size_t>(which)];
}

// One generated row: indexes into names() for the five texts, then the numbers.
struct Row {
    int brand, goods, color, shop, kind;
    std::int64_t day;
    bool qtyNull;
    std::int64_t qty;
    double amount, tag;
};

// The rows of one case, drawn one after the other from the same seed, so that
// every source of a case (and the CSV file) holds the same rows.
template <class F>
void forEachRow(bool wide, std::int64_t rows, F&& f) {
    std::mt19937 rng(20260101);
    for (std::int64_t r = 0; r < rows; ++r) {
        Row x;
        const int g = static_cast<int>(rng() % 3000);
        x.brand = g % 20;
        x.goods = g;
        x.color = static_cast<int>(rng() % 8);
        x.shop = wide ? static_cast<int>(rng() % 300) : 0;
        x.kind = static_cast<int>(rng() % 4);
        x.day = static_cast<int>(rng() % 31) + 1;
        x.qtyNull = rng() % 20 == 0;
        x.qty = x.qtyNull ? 0 : static_cast<std::int64_t>(rng() % 50) - 5;
        x.amount = static_cast<double>(rng() % 100000) / 100.0;
        x.tag = static_cast<double>(rng() % 50000) / 10.0;
        f(x);
    }
}

const char* shapeName(bool wide) {
    return wide ? "wide" : "brief";
}

// Writes the case's rows as CSV: 品牌,货号,颜色,店铺,类型,日,数量,金额,吊牌额 with
// reals in their shortest round-trip form.
void writeCsv(bool wide, std::int64_t rows) {
    const std::string file =
        csvFolder + "/" + shapeName(wide) + "-" + std::to_string(rows) + ".csv";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        throw std::runtime_error("cannot write " + file);
    std::string line = "品牌,货号,颜色,店铺,类型,日,数量,金额,吊牌额\n";
    std::fwrite(line.data(), 1, line.size(), out);
    char buf[64];
    auto number = [&](auto v) {
        line.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    };
    forEachRow(wide, rows, [&](const Row& x) {
        line.clear();
        const int picks[] = {x.brand, x.goods, x.color, x.shop, x.kind};
        for (int c = 0; c < 5; ++c) {
            line += names(c)[static_cast<size_t>(picks[c])];
            line += ',';
        }
        number(x.day);
        line += ',';
        if (!x.qtyNull)
            number(x.qty);
        line += ',';
        number(x.amount);
        line += ',';
        number(x.tag);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), out);
    });
    if (std::fclose(out) != 0)
        throw std::runtime_error("cannot write " + file);
}

std::shared_ptr<const PivotSource> memorySource(bool wide, std::int64_t rows) {
    auto s = std::make_shared<MemorySource>();
    int text[5];
    int c = 0;
    for (const char* name : {"品牌", "货号", "颜色", "店铺", "类型"})
        text[c++] = s->addColumn(QString::fromUtf8(name), ValueType::Text);
    const int day = s->addColumn(QStringLiteral("日"), ValueType::Integer);
    const int qty = s->addColumn(QStringLiteral("数量"), ValueType::Integer);
    const int amount = s->addColumn(QStringLiteral("金额"), ValueType::Real);
    const int tag = s->addColumn(QStringLiteral("吊牌额"), ValueType::Real);
    s->reserve(rows);
    std::vector<std::vector<QString>> qnames(5);
    for (int w = 0; w < 5; ++w)
        for (const auto& n : names(w))
            qnames[static_cast<size_t>(w)].push_back(QString::fromStdString(n));
    forEachRow(wide, rows, [&](const Row& x) {
        const int picks[] = {x.brand, x.goods, x.color, x.shop, x.kind};
        for (int w = 0; w < 5; ++w)
            s->pushText(text[w], qnames[static_cast<size_t>(w)][static_cast<size_t>(picks[w])]);
        s->pushInteger(day, x.day);
        if (x.qtyNull)
            s->pushNull(qty);
        else
            s->pushInteger(qty, x.qty);
        s->pushReal(amount, x.amount);
        s->pushReal(tag, x.tag);
    });
    if (!csvFolder.empty())
        writeCsv(wide, rows);
    return s;
}

// Each case's rows, made on first use and kept for the run.
const std::shared_ptr<const PivotSource>& memoryRows(bool wide, std::int64_t rows) {
    static std::map<std::pair<bool, std::int64_t>, std::shared_ptr<const PivotSource>> made;
    auto& slot = made[{wide, rows}];
    if (!slot)
        slot = memorySource(wide, rows);
    return slot;
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
        write(wide);
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
    void write(bool wide) {
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
        forEachRow(wide, kMillion, [&](const Row& x) {
            const int picks[] = {x.brand, x.goods, x.color, x.shop, x.kind};
            for (int c = 0; c < 5; ++c) {
                const std::string& t = names(c)[static_cast<size_t>(picks[c])];
                sqlite3_bind_text(st, c + 1, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
            }
            sqlite3_bind_int64(st, 6, x.day);
            if (x.qtyNull)
                sqlite3_bind_null(st, 7);
            else
                sqlite3_bind_int64(st, 7, x.qty);
            sqlite3_bind_double(st, 8, x.amount);
            sqlite3_bind_double(st, 9, x.tag);
            sqlite3_step(st);
            sqlite3_reset(st);
        });
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

std::shared_ptr<const PivotSource> freshSource(From from, bool wide, std::int64_t rows) {
    if (from == From::Memory)
        return memoryRows(wide, rows);
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

template <class Bench>
void timed(Bench* bench) {
    bench->Unit(benchmark::kMillisecond)->Iterations(5)->MeasureProcessCPUTime()->UseRealTime();
}

// ---- from a fresh result to what the grid shows; argument: source rows

// Brief: intern the grouped columns, aggregate, lay out the whole matrix.
void BM_BriefFresh(benchmark::State& state, From from) {
    const std::int64_t rows = state.range(0);
    freshSource(from, false, rows);  // rows made before timing
    for (auto _ : state) {
        PivotEngine grid;
        grid.setSource(freshSource(from, false, rows));
        arrangeBrief(grid);
        const PivotMatrix m = grid.layoutMatrix();
        benchmark::DoNotOptimize(m.rowCount());
        state.counters["cells"] = static_cast<double>(m.rowCount()) * m.columnCount();
    }
}
BENCHMARK_CAPTURE(BM_BriefFresh, memory, From::Memory)
    ->Arg(kMillion)
    ->Arg(kTenMillion)
    ->Apply([](auto* b) { timed(b); });
BENCHMARK_CAPTURE(BM_BriefFresh, dataset, From::DataSet)
    ->Arg(kMillion)
    ->Apply([](auto* b) { timed(b); });

// Wide: intern, aggregate, lay out the axes, read the first screen.
void BM_WideFresh(benchmark::State& state, From from) {
    const std::int64_t rows = state.range(0);
    freshSource(from, true, rows);
    for (auto _ : state) {
        PivotEngine grid;
        grid.setSource(freshSource(from, true, rows));
        arrangeWide(grid);
        benchmark::DoNotOptimize(readScreen(grid, 0, 0));
        state.counters["rows"] = grid.rowCount();
        state.counters["cols"] = grid.columnCount();
    }
}
BENCHMARK_CAPTURE(BM_WideFresh, memory, From::Memory)
    ->Arg(kMillion)
    ->Arg(kTenMillion)
    ->Apply([](auto* b) { timed(b); });
BENCHMARK_CAPTURE(BM_WideFresh, dataset, From::DataSet)
    ->Arg(kMillion)
    ->Apply([](auto* b) { timed(b); });

// A new result on the grid of an open window: the grid and its buffers
// stay, every grouped column is interned again.
void BM_WideNewResult(benchmark::State& state, From from) {
    PivotEngine grid;
    grid.setSource(freshSource(from, true, kMillion));
    arrangeWide(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    for (auto _ : state) {
        grid.setSource(freshSource(from, true, kMillion));
        benchmark::DoNotOptimize(readScreen(grid, 0, 0));
    }
}
BENCHMARK_CAPTURE(BM_WideNewResult, memory, From::Memory)->Apply([](auto* b) { timed(b); });
BENCHMARK_CAPTURE(BM_WideNewResult, dataset, From::DataSet)->Apply([](auto* b) { timed(b); });

// ---- the parts of a fresh layout, one by one; arguments: source rows, wide

std::vector<int> groupedColumns(bool wide) {
    return wide ? std::vector<int>{0, 1, 2, 3, 4} : std::vector<int>{0, 1, 5};
}

// Interning the grouped columns of the case on one thread, then on two.
void BM_Stage_Intern(benchmark::State& state) {
    const auto& src = memoryRows(state.range(1) != 0, state.range(0));
    const int threads = static_cast<int>(state.range(2));
    QCollator collator;
    // The collator's first use loads the locale's rules; not part of interning.
    collator.compare(QStringLiteral("a"), QStringLiteral("b"));
    for (auto _ : state) {
        auto built = detail::buildFieldIndexes(*src, groupedColumns(state.range(1) != 0),
                                               &collator, threads);
        benchmark::DoNotOptimize(built.data());
    }
}
BENCHMARK(BM_Stage_Intern)
    ->ArgNames({"rows", "wide", "threads"})
    ->ArgsProduct({{kMillion, kTenMillion}, {0, 1}, {1, 2}})
    ->Apply([](auto* b) { timed(b); });

// Aggregation with every column interned: a re-sort of 货号 builds the cube
// again (the brief case also lays out its 200,000 cells: see Stage_Layout).
void BM_Stage_Aggregate(benchmark::State& state) {
    const bool wide = state.range(1) != 0;
    PivotEngine grid;
    grid.setSource(memoryRows(wide, state.range(0)));
    wide ? arrangeWide(grid) : arrangeBrief(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    bool desc = false;
    for (auto _ : state) {
        resort(grid, desc);
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_Stage_Aggregate)
    ->ArgNames({"rows", "wide"})
    ->ArgsProduct({{kMillion, kTenMillion}, {0, 1}})
    ->Apply([](auto* b) { timed(b); });

// Laying out the brief case's whole matrix from an aggregated pivot.
void BM_Stage_Layout(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(false, kMillion));
    arrangeBrief(grid);
    benchmark::DoNotOptimize(grid.rowCount());
    for (auto _ : state) {
        const PivotMatrix m = grid.layoutMatrix();
        benchmark::DoNotOptimize(m.rowCount());
    }
}
BENCHMARK(BM_Stage_Layout)->Apply([](auto* b) { timed(b); });

// ---- other work on a laid-out pivot, at 1,000,000 rows

// Interning alone: the five grouped text columns of the wide layout, one
// after the other (the filter drop-down's path).
void BM_WideInternTexts(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(true, kMillion));
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
    grid.setSource(memoryRows(false, kMillion));
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

// The widths the engine fits after a get-data.
void BM_WideBestFit(benchmark::State& state) {
    PivotEngine grid;
    grid.setSource(memoryRows(true, kMillion));
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
    grid.setSource(memoryRows(true, kMillion));
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

int main(int argc, char** argv) {
    // Our own flag first: Google Benchmark rejects flags it does not know.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* flag = "--rows_csv=";
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
            csvFolder = argv[i] + std::strlen(flag);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
