#pragma once

#include "platform/db/Backend.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace morvane::db {

// The embedded backend: one SQLite file. Every statement is translated from T-SQL (cached by
// text) and runs with the translator's functions and collation registered on the connection.
class SqliteBackend final : public Backend {
  public:
    // Opens an existing file for reading and writing; throws EDatabaseError if it cannot.
    explicit SqliteBackend(const std::string& file);
    ~SqliteBackend() override;
    SqliteBackend(const SqliteBackend&) = delete;
    SqliteBackend& operator=(const SqliteBackend&) = delete;

    ResultTable query(const std::string& statement) override;
    std::int64_t execute(const std::string& statement) override;
    StatementOutcome run(const std::string& statement, std::size_t rowsPerPiece,
                         const PieceSink& sink) override;
    void cancel() noexcept override;
    std::string dbmsName() const override { return "SQLite"; }

    sqlite3* handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

// Fills a result from a prepared statement that has not been stepped yet, stepping it to the
// end. Column types come from the declared type and the storage class of the values. Throws
// EDatabaseError with sqlite3_errmsg on failure. Shared with the benchmark.
ResultTable fetchSqliteResult(sqlite3* db, sqlite3_stmt* statement);
// The same rows handed to the sink in pieces as they are fetched (see Backend::run).
void fetchSqlitePieces(sqlite3* db, sqlite3_stmt* statement, std::size_t rowsPerPiece,
                       const PieceSink& sink);

}  // namespace morvane::db
