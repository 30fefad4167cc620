// Translation cost of a long report statement (the shop goods totals
// statement with size columns, about 6 KB of T-SQL): fresh and from the
// cache; the runtime cost of a translated monthly day-by-day statement; and
// the cost per row of exact decimal money against SQLite's binary operators.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/tsql/SqliteFunctions.h"
#include "platform/tsql/Translator.h"

namespace {

std::string longStatement() {
    std::ifstream in(MORVANE_TSQL_REPORTS "/shop_goods_totals_sizes.tsql", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    if (text.empty()) {
        throw std::runtime_error("report statement not found");
    }
    std::replace(text.begin(), text.end(), '\n', '\r');
    return text;
}

void BM_TranslateCold(benchmark::State& state) {
    const std::string tsql = longStatement();
    for (auto _ : state) {
        benchmark::DoNotOptimize(morvane::tsql::translate(tsql));
    }
    state.counters["tsql_bytes"] = static_cast<double>(tsql.size());
}
BENCHMARK(BM_TranslateCold)->Unit(benchmark::kMicrosecond);

void BM_TranslateCachedHit(benchmark::State& state) {
    const std::string tsql = longStatement();
    morvane::tsql::translateCached(tsql);
    for (auto _ : state) {
        benchmark::DoNotOptimize(&morvane::tsql::translateCached(tsql));
    }
}
BENCHMARK(BM_TranslateCachedHit)->Unit(benchmark::kMicrosecond)->Threads(1)->Threads(2);

// 200 clients x 31 days left-joined with the day sums of 20,000 sale lines:
// the monthly statement's shape, with day labels built by tsql_* helpers.
void BM_MonthlyGridStatement(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    morvane::tsql::registerSqliteFunctions(db);
    sqlite3_exec(db,
                 "create table client(fcode text collate tsql_ci);"
                 "create table sale(fclientcode text collate tsql_ci, fbilldate text, qty int,"
                 " price real, fposted int);"
                 "with recursive n(i) as (select 0 union all select i+1 from n where i<199)"
                 " insert into client select printf('C%03d', i) from n;"
                 "with recursive n(i) as (select 0 union all select i+1 from n where i<19999)"
                 " insert into sale select printf('C%03d', i % 200),"
                 " printf('2026-03-%02d', 1 + i % 31), 1 + i % 5, 9.5, 1 from n;",
                 nullptr, nullptr, nullptr);
    const std::string sql = morvane::tsql::translate(
        "select a.fcode "
        "客户编号,a.fbilldate,\rright('0'+convert(varchar(2),day(a.fbilldate))+'日',3)"
        " as 日期,b.qty 数量,b.sumto 金额 from (\rselect a.fcode,b.fbilldate from client a,"
        "(select * from FN_MonthDay('2026-3-01'))b \rwhere a.fcode in(select fclientcode from "
        "sale)\r"
        ")a\rleft join (select b.fclientcode,b.fbilldate,sum(b.qty) qty,"
        "sum(b.qty*isnull(b.price,0)) sumto\r from sale b\rwhere b.fposted=1 and "
        "year(b.fbilldate)=2026 and month(b.fbilldate)=3\r group by b.fclientcode,b.fbilldate)b "
        "on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate order by a.fbilldate\r");
    std::int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
        }
        sqlite3_finalize(st);
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows) / state.iterations());
    sqlite3_close(db);
}
BENCHMARK(BM_MonthlyGridStatement)->Unit(benchmark::kMillisecond);

// sum(qty*price) over 1,000,000 lines, as the amount columns of the windows
// compute it: SQLite's own operators (binary, the noise the translation
// removes) against tsql_sum(tsql_mul(...)) (exact decimals). Argument 0:
// prices of two places, as the demo data mostly holds; 1: prices with binary
// noise (0.1*3 kinds), which take the formatting path of the runtime.
void moneySum(benchmark::State& state, const char* expression) {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    morvane::tsql::registerSqliteFunctions(db);
    const std::string price =
        state.range(0) == 0 ? "19.9 + (i % 400) * 0.25" : "(19.9 + (i % 400) * 0.25) * 0.1 * 3";
    sqlite3_exec(db,
                 ("create table line(qty int, price real);"
                  "with recursive n(i) as (select 0 union all select i+1 from n where i<999999)"
                  " insert into line select 1 + i % 7, " +
                  price + " from n;")
                     .c_str(),
                 nullptr, nullptr, nullptr);
    const std::string sql = std::string("select ") + expression + " from line";
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_double(st, 0));
        sqlite3_finalize(st);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
    sqlite3_close(db);
}
void BM_MoneySumBinary(benchmark::State& state) {
    moneySum(state, "sum(qty * price)");
}
void BM_MoneySumExact(benchmark::State& state) {
    moneySum(state, "tsql_sum(tsql_mul(qty, price))");
}
BENCHMARK(BM_MoneySumBinary)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoneySumExact)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
