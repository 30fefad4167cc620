#pragma once
// Opens the connection a command names: --odbc CONNSTR (SQL Server, statements
// verbatim), else --db FILE, else $MORVANE_DB, else demo.db in the current folder.

#include <memory>

#include "cli/Options.h"
#include "platform/db/RemoteUdpConnection.h"

namespace morvane::cli {

// Throws EDatabaseError when the database cannot be opened, UsageError when
// both --db and --odbc are given.
std::unique_ptr<TRemoteUdpConnection> connectFrom(const ParsedArgs& args);

}  // namespace morvane::cli
