#pragma once

// T-SQL to SQLite translation. A statement written for SQL Server is parsed
// and printed again as SQLite SQL that gives SQL Server's results on the
// demo schema: the runtime helpers it calls (tsql_*, fn_monthday, the
// collation tsql_ci) are registered by registerSqliteFunctions().

#include <string>
#include <string_view>

#include "platform/tsql/TranslationError.h"

namespace morvane::tsql {

// Translates one statement (UTF-8; CR, LF and tabs are white space). A
// leading `set dateformat ...` is dropped; a statement made only of it
// becomes "PRAGMA tsql_noop", which SQLite runs as a no-op without result
// columns. Throws TranslationError.
std::string translate(std::string_view tsql);

// translate() behind a process-wide cache keyed by the statement text. The
// returned reference stays valid for the life of the process. Thread-safe;
// errors are not cached.
const std::string& translateCached(std::string_view tsql);

}  // namespace morvane::tsql
