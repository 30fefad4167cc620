#pragma once

// An in-memory SQLite database with the T-SQL runtime registered, running
// T-SQL through the translator. Test helper.

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::tsql::test {

struct Cell {
    int type;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_NULL
    // SQLite's text of the value, "NULL" for NULL; a real in the fewest
    // digits that give the double back (SQLite's own text keeps only 15, which
    // would hide binary noise), with ".0" when it is whole.
    std::string text;
};

// The text of a real as Cell::text gives it.
std::string realText(double value);

struct Result {
    std::vector<std::string> columns;
    std::vector<std::vector<Cell>> rows;
};

// The bytes of a test data file ("" when it cannot be read).
std::string readFile(const std::filesystem::path& path);

class SqliteTestDb {
  public:
    SqliteTestDb();
    ~SqliteTestDb();
    SqliteTestDb(const SqliteTestDb&) = delete;
    SqliteTestDb& operator=(const SqliteTestDb&) = delete;

    // Runs SQLite SQL as it is (fixtures). Throws std::runtime_error.
    void execSqlite(std::string_view sql);

    // Translates T-SQL and runs it. Throws std::runtime_error with SQLite's
    // message (the runtime's SQL Server text) or TranslationError.
    Result run(std::string_view tsql);

    // The only value of a one-row, one-column result.
    Cell scalar(std::string_view tsql);

    // The error message that running the statement gives; "" when it runs.
    std::string errorOf(std::string_view tsql);

    sqlite3* handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

}  // namespace morvane::tsql::test
