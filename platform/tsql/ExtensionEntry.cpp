// Entry points of libmorvane_sqlite_ext.so. SQLite derives the name
// sqlite3_morvanesqliteext_init from the file name; sqlite3_extension_init
// is the generic fallback some loaders (the SQLite ODBC driver) call.

#include <sqlite3ext.h>

#include "platform/tsql/SqliteFunctions.h"

SQLITE_EXTENSION_INIT1

namespace {

int initialise(sqlite3* db, char** errorMessage, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    int rc = morvane::tsql::registerSqliteFunctionsRc(db);
    if (rc != SQLITE_OK && errorMessage) {
        *errorMessage = sqlite3_mprintf("morvane_sqlite_ext: %s", sqlite3_errmsg(db));
    }
    return rc;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int sqlite3_morvanesqliteext_init(
    sqlite3* db, char** errorMessage, const sqlite3_api_routines* api) {
    return initialise(db, errorMessage, api);
}

__attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char** errorMessage,
                                                                  const sqlite3_api_routines* api) {
    return initialise(db, errorMessage, api);
}

}  // extern "C"
