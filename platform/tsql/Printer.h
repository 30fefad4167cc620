#pragma once

// Prints a parsed statement as SQLite SQL with SQL Server's results: `+` as
// concatenation or addition by operand type, integer division with a
// divide-by-zero error, convert/cast through the tsql_* helpers, TOP as
// LIMIT, every identifier double-quoted, and explicit result names on the
// outermost select so column names match SQL Server's.

#include <string>

#include "platform/tsql/Ast.h"

namespace morvane::tsql {

std::string printSqlite(const Statement& statement);

}  // namespace morvane::tsql
