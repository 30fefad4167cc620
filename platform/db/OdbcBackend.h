#pragma once

#include "platform/db/Backend.h"

#include <mutex>
#include <string>

namespace morvane::db {

// A database reached through an ODBC driver (unixODBC). Against Microsoft SQL Server the
// statements go byte for byte, after SET DATEFORMAT ymd at connect, so that the yyyy-mm-dd
// dates in statements are read one way only. With translate = true each statement is
// translated from T-SQL to SQLite first, for a SQLite ODBC driver that loads the translator's
// extension (LoadExt=<path> in the connection string).
//
// Texts cross the driver as UTF-16 through the wide ODBC calls when the driver is SQL Server's
// (a Unicode driver), and as UTF-8 through the narrow calls otherwise (ANSI drivers such as the
// SQLite one pass UTF-8 bytes straight through). TextMode forces one of the two.
class OdbcBackend final : public Backend {
  public:
    enum class TextMode { Automatic, Narrow, Wide };

    OdbcBackend(const std::string& connectionString, bool translate,
                TextMode mode = TextMode::Automatic);
    ~OdbcBackend() override;
    OdbcBackend(const OdbcBackend&) = delete;
    OdbcBackend& operator=(const OdbcBackend&) = delete;

    ResultTable query(const std::string& statement) override;
    std::int64_t execute(const std::string& statement) override;
    StatementOutcome run(const std::string& statement, std::size_t rowsPerPiece,
                         const PieceSink& sink) override;
    void cancel() noexcept override;
    std::string dbmsName() const override { return dbms_; }

    bool wideText() const { return wide_; }
    bool sqlServer() const { return sqlServer_; }

  private:
    class Statement;
    template <typename Rows>
    StatementOutcome fetch(const std::string& statementText, Rows& rows);

    void* env_ = nullptr;  // SQLHENV
    void* dbc_ = nullptr;  // SQLHDBC
    bool translate_ = false;
    bool wide_ = false;
    bool sqlServer_ = false;
    std::string dbms_;

    std::mutex runningMutex_;
    void* running_ = nullptr;  // SQLHSTMT of the statement executing now, for cancel()
};

}  // namespace morvane::db
