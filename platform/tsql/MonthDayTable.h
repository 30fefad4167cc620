#pragma once

// fn_monthday: the eponymous table-valued function that stands for the
// database function FN_MonthDay. fn_monthday('2026-3-01') yields one row per
// calendar day of the month holding that date, column fbilldate as
// 'yyyy-mm-dd'. An invalid date is SQL Server's conversion error.

struct sqlite3;

namespace morvane::tsql {

int registerMonthDayTable(sqlite3* db);

}  // namespace morvane::tsql
