#pragma once

#include "platform/db/ResultTable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace morvane::db {

// What a statement gave: its result set when it has one, otherwise the number of rows it
// changed.
struct StatementOutcome {
    std::optional<ResultTable> rows;
    std::int64_t changed = 0;
};

// One open database session behind TRemoteUdpConnection. Statements arrive as the callers wrote
// them (T-SQL); a backend translates them if its database needs it. Failures, including a
// statement interrupted by cancel(), throw EDatabaseError with the database's own message.
class Backend {
  public:
    virtual ~Backend() = default;

    // Runs a statement that returns rows and fetches all of them.
    virtual ResultTable query(const std::string& statement) = 0;
    // Runs a statement that returns no rows; the number of rows it changed.
    virtual std::int64_t execute(const std::string& statement) = 0;
    // Runs a statement whatever it returns, once: its rows when it has a result set, else
    // the number of rows it changed (a tool that runs what the user typed).
    virtual StatementOutcome run(const std::string& statement) = 0;
    // Interrupts the statement running on another thread, if any. Thread-safe.
    virtual void cancel() noexcept = 0;
    // The name of the database product (e.g. "SQLite", "Microsoft SQL Server").
    virtual std::string dbmsName() const = 0;
};

}  // namespace morvane::db
