// Building the demo database: rows per second, build time and file size.
//
// Scale 1 is measured by default. Larger scales are slow (scale 50 is about
// two million document lines); list them in MORVANE_DEMO_SCALES, e.g.
//   MORVANE_DEMO_SCALES=1,10,50 build/bench/demo/bench_demo

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "demo/DemoGenerator.h"
#include "platform/tsql/SqliteFunctions.h"

namespace {

std::int64_t documentLines(const std::string& file) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    morvane::tsql::registerSqliteFunctions(db);
    std::int64_t total = 0;
    for (const char* table :
         {"d_orderdetail",      "d_rationdetail",     "d_saledetail",       "d_salereturndetail",
          "d_recevingdetail",   "d_s_saledetail",     "d_s_recevingdetail", "d_s_folddetail",
          "d_s_pureturndetail", "d_s_transferdetail", "b_chargesde",        "gm_knufede",
          "gm_knufeoutdetail",  "gm_proroll",         "gm_procount",        "d_payment",
          "d_payments",         "d_subsreceipt",      "d_subsreceipt_flag", "d_charges"}) {
        sqlite3_stmt* statement = nullptr;
        const std::string sql = std::string("select count(*) from ") + table;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            total += sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return total;
}

void BM_GenerateDemoDatabase(benchmark::State& state) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("morvane_bench_demo_" + std::to_string(state.range(0)) + ".db"))
                                 .string();
    morvane::demo::DemoStats stats{};
    for (auto _ : state) {
        morvane::demo::DemoOptions options;
        options.scale = int(state.range(0));
        stats = morvane::demo::generateDemoDatabase(file, options);
        state.SetIterationTime(stats.seconds);
    }
    state.counters["rows"] = double(stats.rows);
    state.counters["rows_per_s"] = double(stats.rows) / stats.seconds;
    state.counters["doc_lines"] = double(documentLines(file));
    state.counters["file_MB"] = double(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
    state.counters["seconds"] = stats.seconds;
    std::filesystem::remove(file);
}

}  // namespace

int main(int argc, char** argv) {
    const char* env = std::getenv("MORVANE_DEMO_SCALES");
    std::stringstream scales(env && *env ? env : "1");
    for (std::string item; std::getline(scales, item, ',');) {
        benchmark::RegisterBenchmark("BM_GenerateDemoDatabase", BM_GenerateDemoDatabase)
            ->Arg(std::stoi(item))
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kSecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
