#include "demo/SqliteDb.h"

#include <sqlite3.h>

#include <stdexcept>

namespace morvane::demo {

SqliteDb::SqliteDb(const std::string& file) {
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw std::runtime_error("cannot create demo database '" + file + "': " + message);
    }
}

SqliteDb::~SqliteDb() {
    sqlite3_close_v2(db_);
}

void SqliteDb::exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw std::runtime_error("demo database: " + message);
    }
}

void SqliteDb::fail(const std::string& what) const {
    throw std::runtime_error("demo database: " + what + ": " + sqlite3_errmsg(db_));
}

Insert::Insert(SqliteDb& db, std::string_view table, const std::vector<std::string_view>& columns,
               bool withSizes)
    : db_(db) {
    std::string sql = "insert into ";
    sql.append(table).append("(");
    std::string marks;
    for (std::string_view column : columns) {
        if (!marks.empty()) {
            sql += ",";
            marks += ",";
        }
        sql.append(column);
        marks += "?";
    }
    if (withSizes) {
        for (int i = 1; i <= kSizeSlots; ++i) {
            sql += ",s" + std::to_string(i);
            marks += ",?";
        }
    }
    sql += ")values(" + marks + ")";
    if (sqlite3_prepare_v3(db_.handle(), sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement_,
                           nullptr) != SQLITE_OK)
        db_.fail("cannot prepare '" + sql + "'");
}

Insert::~Insert() {
    sqlite3_finalize(statement_);
}

// Every value outlives the step of its row (row() binds and steps in one
// call), so nothing needs to be copied by SQLite.
int Insert::bind(int index, std::nullptr_t) {
    sqlite3_bind_null(statement_, index);
    return index + 1;
}

int Insert::bind(int index, int value) {
    sqlite3_bind_int(statement_, index, value);
    return index + 1;
}

int Insert::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
    return index + 1;
}

int Insert::bind(int index, double value) {
    sqlite3_bind_double(statement_, index, value);
    return index + 1;
}

int Insert::bind(int index, const std::string& value) {
    sqlite3_bind_text(statement_, index, value.data(), int(value.size()), SQLITE_STATIC);
    return index + 1;
}

int Insert::bind(int index, const char* value) {
    if (value == nullptr)
        return bind(index, nullptr);
    sqlite3_bind_text(statement_, index, value, -1, SQLITE_STATIC);
    return index + 1;
}

int Insert::bind(int index, const Sizes& value) {
    for (int i = 0; i < kSizeSlots; ++i) {
        if (i < value.used)
            sqlite3_bind_int(statement_, index + i, value.q[std::size_t(i)]);
        else
            sqlite3_bind_null(statement_, index + i);
    }
    return index + kSizeSlots;
}

int Insert::bind(int index, const Blob& value) {
    sqlite3_bind_blob(statement_, index, value.bytes->data(), int(value.bytes->size()),
                      SQLITE_STATIC);
    return index + 1;
}

void Insert::step() {
    if (sqlite3_step(statement_) != SQLITE_DONE)
        db_.fail("insert failed");
    sqlite3_reset(statement_);
    db_.countRow();
}

}  // namespace morvane::demo
