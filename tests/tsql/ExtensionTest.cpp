// The loadable extension: a plain SQLite connection loads it and gets the
// same runtime; Debian's SQLite ODBC driver loads it through LoadExt=.

#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>

#include <filesystem>
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
    std::string error;
    firstValue(db, "select tsql_div(1, 0)", &error);
    EXPECT_EQ(error, "Divide by zero error encountered.");
    sqlite3_close(db);
}

TEST(SqliteExtension, LoadsThroughTheSqliteOdbcDriver) {
    const char* driver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
    if (!std::filesystem::exists(driver)) {
        GTEST_SKIP() << "SQLite ODBC driver not installed";
    }
    std::string dbFile = testing::TempDir() + "tsql_ext_odbc.sqlite";
    std::filesystem::remove(dbFile);
    std::string connection = std::string("Driver=") + driver + ";Database=" + dbFile +
                             ";LoadExt=" + MORVANE_SQLITE_EXT + ";";
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT st = SQL_NULL_HSTMT;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)));
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc)));
    SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(connection.data()),
                                    SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    ASSERT_TRUE(SQL_SUCCEEDED(rc)) << connection;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st)));
    std::string sql =
        "select count(*) from fn_monthday('2026-4-01') where 'a' = 'A ' collate tsql_ci";
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS)));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(st)));
    char value[32] = {};
    SQLLEN indicator = 0;
    SQLGetData(st, 1, SQL_C_CHAR, value, sizeof value, &indicator);
    EXPECT_STREQ(value, "30");
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    std::filesystem::remove(dbFile);
}

}  // namespace
