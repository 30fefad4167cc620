#include "platform/tsql/MonthDayTable.h"

#include <sqlite3ext.h>

#include <cstring>
#include <string>

#include "platform/tsql/TsqlValues.h"

SQLITE_EXTENSION_INIT3

namespace morvane::tsql {

namespace {

constexpr int kColumnDate = 0;
constexpr int kColumnArg = 1;  // hidden: the function's argument

struct Cursor {
    sqlite3_vtab_cursor base;
    int year;
    int month;
    int day;
    int lastDay;
};

int connect(sqlite3* db, void*, int, const char* const*, sqlite3_vtab** out, char**) {
    int rc = sqlite3_declare_vtab(db, "CREATE TABLE x(fbilldate TEXT, arg HIDDEN)");
    if (rc != SQLITE_OK) {
        return rc;
    }
    auto* vtab = static_cast<sqlite3_vtab*>(sqlite3_malloc(sizeof(sqlite3_vtab)));
    if (!vtab) {
        return SQLITE_NOMEM;
    }
    std::memset(vtab, 0, sizeof *vtab);
    *out = vtab;
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* vtab) {
    sqlite3_free(vtab);
    return SQLITE_OK;
}

// The argument is required: without an equality constraint on it the plan
// is refused, so the function cannot be scanned without its date.
int bestIndex(sqlite3_vtab*, sqlite3_index_info* info) {
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (c.iColumn == kColumnArg && c.op == SQLITE_INDEX_CONSTRAINT_EQ) {
            if (!c.usable) {
                return SQLITE_CONSTRAINT;
            }
            info->aConstraintUsage[i].argvIndex = 1;
            info->aConstraintUsage[i].omit = 1;
            info->idxNum = 1;
            info->estimatedCost = 31;
            info->estimatedRows = 31;
            return SQLITE_OK;
        }
    }
    return SQLITE_CONSTRAINT;
}

int open(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
    auto* cur = static_cast<Cursor*>(sqlite3_malloc(sizeof(Cursor)));
    if (!cur) {
        return SQLITE_NOMEM;
    }
    std::memset(cur, 0, sizeof *cur);
    *out = &cur->base;
    return SQLITE_OK;
}

int close(sqlite3_vtab_cursor* cur) {
    sqlite3_free(cur);
    return SQLITE_OK;
}

int filter(sqlite3_vtab_cursor* base, int, const char*, int argc, sqlite3_value** argv) {
    auto* cur = reinterpret_cast<Cursor*>(base);
    cur->day = 1;
    cur->lastDay = 0;  // no rows unless a date is given
    if (argc < 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        return SQLITE_OK;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    auto d = values::parseDate(text ? text : "");
    if (!d) {
        sqlite3_vtab* vtab = base->pVtab;
        sqlite3_free(vtab->zErrMsg);
        vtab->zErrMsg = sqlite3_mprintf(
            "%s", "Conversion failed when converting date and/or time from character string.");
        return SQLITE_ERROR;
    }
    cur->year = d->year;
    cur->month = d->month;
    cur->lastDay = values::daysInMonth(d->year, d->month);
    return SQLITE_OK;
}

int next(sqlite3_vtab_cursor* base) {
    ++reinterpret_cast<Cursor*>(base)->day;
    return SQLITE_OK;
}

int eof(sqlite3_vtab_cursor* base) {
    auto* cur = reinterpret_cast<Cursor*>(base);
    return cur->day > cur->lastDay;
}

int column(sqlite3_vtab_cursor* base, sqlite3_context* ctx, int col) {
    auto* cur = reinterpret_cast<Cursor*>(base);
    if (col == kColumnDate) {
        values::DateTime d{cur->year, cur->month, cur->day};
        std::string s = values::formatDate(d);
        sqlite3_result_text(ctx, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_result_null(ctx);
    }
    return SQLITE_OK;
}

int rowid(sqlite3_vtab_cursor* base, sqlite_int64* out) {
    *out = reinterpret_cast<Cursor*>(base)->day;
    return SQLITE_OK;
}

sqlite3_module makeModule() {
    sqlite3_module m{};
    m.iVersion = 0;
    m.xCreate = nullptr;  // eponymous only: no CREATE VIRTUAL TABLE
    m.xConnect = connect;
    m.xBestIndex = bestIndex;
    m.xDisconnect = disconnect;
    m.xDestroy = disconnect;
    m.xOpen = open;
    m.xClose = close;
    m.xFilter = filter;
    m.xNext = next;
    m.xEof = eof;
    m.xColumn = column;
    m.xRowid = rowid;
    return m;
}

const sqlite3_module kModule = makeModule();

}  // namespace

int registerMonthDayTable(sqlite3* db) {
    return sqlite3_create_module_v2(db, "fn_monthday", &kModule, nullptr, nullptr);
}

}  // namespace morvane::tsql
