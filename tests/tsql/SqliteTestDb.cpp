#include "tests/tsql/SqliteTestDb.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/tsql/SqliteFunctions.h"
#include "platform/tsql/Translator.h"

namespace morvane::tsql::test {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string realText(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string text(buffer, end);
    if (text.find_first_of(".eni") == std::string::npos) {
        text += ".0";
    }
    return text;
}

SqliteTestDb::SqliteTestDb() {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) {
        throw std::runtime_error("cannot open an in-memory database");
    }
    registerSqliteFunctions(db_);
}

SqliteTestDb::~SqliteTestDb() {
    sqlite3_close(db_);
}

void SqliteTestDb::execSqlite(std::string_view sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

Result SqliteTestDb::run(std::string_view tsql) {
    std::string sql = translate(tsql);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db_));
    }
    Result r;
    int n = sqlite3_column_count(st);
    for (int i = 0; i < n; ++i) {
        r.columns.emplace_back(sqlite3_column_name(st, i));
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::vector<Cell> row;
        for (int i = 0; i < n; ++i) {
            int type = sqlite3_column_type(st, i);
            if (type == SQLITE_FLOAT) {
                row.push_back({type, realText(sqlite3_column_double(st, i))});
                continue;
            }
            const unsigned char* text = sqlite3_column_text(st, i);
            row.push_back({type, text ? reinterpret_cast<const char*>(text) : "NULL"});
        }
        r.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        std::string message = sqlite3_errmsg(db_);
        sqlite3_finalize(st);
        throw std::runtime_error(message);
    }
    sqlite3_finalize(st);
    return r;
}

Cell SqliteTestDb::scalar(std::string_view tsql) {
    Result r = run(tsql);
    if (r.rows.size() != 1 || r.columns.size() != 1) {
        throw std::runtime_error("not a single value: " + std::string(tsql));
    }
    return r.rows[0][0];
}

std::string SqliteTestDb::errorOf(std::string_view tsql) {
    try {
        run(tsql);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

}  // namespace morvane::tsql::test
