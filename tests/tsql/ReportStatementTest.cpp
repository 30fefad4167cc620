// Whole report statements as the windows concatenate them, with one carriage
// return as the line break. data/reports/<name>.tsql holds the statement
// with LF standing for CR (so the files stay readable); <name>.sql is the
// SQLite text expected. The translations must also prepare on a database
// that has the tables they read (tables.schema), which catches SQL the golden
// text misses.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

#include "platform/tsql/Translator.h"
#include "tests/tsql/SqliteTestDb.h"

namespace morvane::tsql {
namespace {

namespace fs = std::filesystem;
using test::readFile;

std::vector<std::string> reportNames() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(MORVANE_TSQL_TEST_DATA) / "reports")) {
        if (e.path().extension() == ".tsql") {
            names.push_back(e.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ReportStatement : public testing::TestWithParam<std::string> {};

TEST_P(ReportStatement, TranslatesToTheGoldenTextThatPrepares) {
    fs::path dir = fs::path(MORVANE_TSQL_TEST_DATA) / "reports";
    std::string tsql = readFile(dir / (GetParam() + ".tsql"));
    std::replace(tsql.begin(), tsql.end(), '\n', '\r');
    std::string expected = readFile(dir / (GetParam() + ".sql"));
    while (!expected.empty() && expected.back() == '\n') {
        expected.pop_back();
    }
    std::string sql = translate(tsql);
    EXPECT_EQ(sql, expected);

    test::SqliteTestDb db;
    db.execSqlite(readFile(dir / "tables.schema"));
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db.handle());
    sqlite3_finalize(st);
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportStatement, testing::ValuesIn(reportNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace morvane::tsql
