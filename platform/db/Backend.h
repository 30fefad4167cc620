#pragma once

#include "platform/db/ResultTable.h"

#include <cstdint>
#include <string>

namespace morvane::db {

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
    // Interrupts the statement running on another thread, if any. Thread-safe.
    virtual void cancel() noexcept = 0;
    // The name of the database product (e.g. "SQLite", "Microsoft SQL Server").
    virtual std::string dbmsName() const = 0;
};

}  // namespace morvane::db
