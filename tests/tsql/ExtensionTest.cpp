// The loadable extension: a plain SQLite connection loads it and gets the
// same runtime. (Debian's SQLite ODBC driver loading it through LoadExt= is
// exercised by the ODBC backend tests of platform/db.)

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

namespace {

std::string firstValue(sqlite3* db, const char* sql, std::string* error = nullptr) {
    sqlite3_stmt* st = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK) {
        int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            const unsigned char* t = sqlite3_column_text(st, 0);
            out = t ? reinterpret_cast<const char*>(t) : "NULL";
        } else if (rc != SQLITE_DONE && error) {
            *error = sqlite3_errmsg(db);
        }
    } else if (error) {
        *error = sqlite3_errmsg(db);
    }
    sqlite3_finalize(st);
    return out;
}

TEST(SqliteExtension, LoadsIntoAPlainConnection) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    sqlite3_enable_load_extension(db, 1);
    char* message = nullptr;
    // No entry point given: SQLite derives sqlite3_morvanesqliteext_init.
    ASSERT_EQ(sqlite3_load_extension(db, MORVANE_SQLITE_EXT, nullptr, &message), SQLITE_OK)
        << (message ? message : "");
    EXPECT_EQ(firstValue(db, "select tsql_right('0' || tsql_varchar(5, 2) || '日', 3)"), "05日");
    EXPECT_EQ(firstValue(db, "select count(*) from fn_monthday('2024-2-01')"), "29");
    EXPECT_EQ(firstValue(db, "select 'ab' = 'AB  ' collate tsql_ci"), "1");
    EXPECT_EQ(firstValue(db, "select tsql_avg(x) from (select 1 x union all select 2)"), "1");
    EXPECT_EQ(firstValue(db, "select tsql_sum(x) - 0.3 from (select 0.1 x union all select 0.2)"),
              "0.0");
    EXPECT_EQ(firstValue(db, "select tsql_sub(tsql_mul(3, 19.9), 59.7)"), "0.0");
    EXPECT_EQ(firstValue(db, "select tsql_like('Larsen  ', '[C-P]arsen')"), "1");
    std::string error;
    firstValue(db, "select tsql_div(1, 0)", &error);
    EXPECT_EQ(error, "Divide by zero error encountered.");
    sqlite3_close(db);
}

}  // namespace
