#pragma once

// The SQLite side of translated statements: the scalar helpers the printer
// emits (tsql_add, tsql_div, tsql_varchar, ...), the aggregate tsql_avg, the
// collation tsql_ci and the eponymous table-valued function fn_monthday.
//
// The same code is built twice: linked into morvane_tsql, and as the
// loadable extension libmorvane_sqlite_ext.so for connections opened by
// other code (the SQLite ODBC driver loads it with LoadExt=<path>).

struct sqlite3;

namespace morvane::tsql {

// Registers everything on one connection. Throws std::runtime_error with
// SQLite's message if a registration fails.
void registerSqliteFunctions(sqlite3* db);

// The registration itself, shared with the extension's entry point: returns
// SQLITE_OK or the code of the first registration that failed.
int registerSqliteFunctionsRc(sqlite3* db);

}  // namespace morvane::tsql
