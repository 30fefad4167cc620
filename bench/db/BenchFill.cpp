// Filling a dataset from a 1,000,000-row x 10-column result, against a bare
// sqlite3_prepare/step loop that reads every column of the same statement on the same file.
// The database is generated into a temporary folder on the first run and removed at exit.
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/db/SqliteBackend.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kRows = 1'000'000;
constexpr const char* kStatement = "select * from big";

// Ten columns: three integers, three reals (one with NULLs), three texts (ASCII code,
// Chinese name, date) and one column mixing integers and reals.
const std::string& databaseFile() {
    static const std::string file = [] {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("morvane-bench-db-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("morvane-bench-db-" + std::to_string(::getpid())),
                                        ignored);
        });
        const std::string path = (dir / "bench.db").string();
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        const std::string sql =
            "create table big(id integer, qty integer, year integer, price real, amount real,"
            " rate real, code text, name text, billdate text, mixed);"
            "insert into big select x, x % 97, 2020 + x % 7, (x % 1000) / 4.0, x * 1.5,"
            " case when x % 5 = 0 then null else (x % 13) / 7.0 end,"
            " 'G' || printf('%07d', x), '商品名称' || (x % 5000),"
            " printf('2026-%02d-%02d', 1 + x % 12, 1 + x % 28),"
            " case when x % 2 = 0 then x else x + 0.5 end"
            " from (with recursive c(x) as (select 1 union all select x + 1 from c where x < " +
            std::to_string(kRows) + ") select x from c);";
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
            throw std::runtime_error(error ? error : "cannot build the benchmark database");
        sqlite3_close(db);
        return path;
    }();
    return file;
}

// flags: SQLITE_OPEN_FULLMUTEX (the library's default, serialized) or SQLITE_OPEN_NOMUTEX (as
// the SQLite backend opens its connections).
struct Database {
    explicit Database(int flags) {
        if (sqlite3_open_v2(databaseFile().c_str(), &db, SQLITE_OPEN_READONLY | flags, nullptr) !=
            0)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Database() { sqlite3_close(db); }
    sqlite3_stmt* prepare() const {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, kStatement, -1, &statement, nullptr);
        return statement;
    }
    sqlite3* db = nullptr;
};

void BM_BareStepLoop(benchmark::State& state) {
    Database database(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sqlite3_stmt* statement = database.prepare();
        const int columns = sqlite3_column_count(statement);
        std::int64_t integers = 0, bytes = 0, rows = 0;
        double reals = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
            for (int i = 0; i < columns; ++i) {
                switch (sqlite3_column_type(statement, i)) {
                    case SQLITE_INTEGER:
                        integers += sqlite3_column_int64(statement, i);
                        break;
                    case SQLITE_FLOAT:
                        reals += sqlite3_column_double(statement, i);
                        break;
                    case SQLITE_TEXT:
                        benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
                        bytes += sqlite3_column_bytes(statement, i);
                        break;
                    default:
                        break;
                }
            }
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(integers);
        benchmark::DoNotOptimize(reals);
        benchmark::DoNotOptimize(bytes);
        state.counters["rows"] = static_cast<double>(rows);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The columnar fill alone, over the same statement and connection kind as the bare loop.
void BM_ColumnarFill(benchmark::State& state) {
    Database database(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        sqlite3_stmt* statement = database.prepare();
        const morvane::db::ResultTable table =
            morvane::db::fetchSqliteResult(database.db, statement);
        sqlite3_finalize(statement);
        state.counters["rows"] = static_cast<double>(table.rowCount());
        state.counters["MB"] = static_cast<double>(table.memoryBytes()) / (1024 * 1024);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// What a window pays: TRemoteUdpDataSet::Open through the connection (translation cached).
void BM_DataSetOpen(benchmark::State& state) {
    TRemoteUdpConnection connection;
    connection.OpenSqlite(QString::fromStdString(databaseFile()));
    TRemoteUdpDataSet dataSet;
    dataSet.setSetupUdpParent(&connection);
    dataSet.SetSQL(kStatement);
    for (auto _ : state) {
        dataSet.Close();
        dataSet.Open();
        state.counters["rows"] = dataSet.GetRecordCount();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// With --benchmark_repetitions=N the least time of the repetitions is the figure least
// disturbed by other work on the machine.
double least(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// Argument: the connection's mutex flag (65536 serialized, 32768 no mutex).
BENCHMARK(BM_BareStepLoop)
    ->Arg(SQLITE_OPEN_FULLMUTEX)
    ->Arg(SQLITE_OPEN_NOMUTEX)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->ComputeStatistics("min", least);
BENCHMARK(BM_ColumnarFill)
    ->Arg(SQLITE_OPEN_FULLMUTEX)
    ->Arg(SQLITE_OPEN_NOMUTEX)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->ComputeStatistics("min", least);
BENCHMARK(BM_DataSetOpen)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->ComputeStatistics("min", least);

}  // namespace

BENCHMARK_MAIN();
