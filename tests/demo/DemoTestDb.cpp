#include "DemoTestDb.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "demo/DemoGenerator.h"
#include "platform/tsql/SqliteFunctions.h"

namespace morvane::demo::test {

namespace {

struct StatementCloser {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

Statement prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: " + sql);
    return Statement(raw);
}

void mix(std::uint64_t& h, const void* data, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= 0x100000001B3ULL;
    }
}

}  // namespace

TestDb::TestDb(const std::string& file) {
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + file);
    morvane::tsql::registerSqliteFunctions(db_);
}

TestDb::~TestDb() {
    sqlite3_close_v2(db_);
}

std::int64_t TestDb::scalar(const std::string& sql) const {
    Statement s = prepare(db_, sql);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_ROW)
        return sqlite3_column_int64(s.get(), 0);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db_));
    return 0;
}

std::vector<std::vector<std::string>> TestDb::rows(const std::string& sql) const {
    Statement s = prepare(db_, sql);
    std::vector<std::vector<std::string>> out;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(s.get()); ++i) {
            const auto* text = sqlite3_column_text(s.get(), i);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        out.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db_));
    return out;
}

std::vector<std::string> TestDb::columns(const std::string& sql) const {
    Statement s = prepare(db_, sql);
    std::vector<std::string> out;
    for (int i = 0; i < sqlite3_column_count(s.get()); ++i)
        out.emplace_back(sqlite3_column_name(s.get(), i));
    return out;
}

std::uint64_t TestDb::contentChecksum() const {
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (const auto& table :
         rows("select name from sqlite_master where type='table' and name not like "
              "'sqlite%' order by name")) {
        mix(h, table[0].data(), table[0].size());
        Statement s = prepare(db_, "select * from \"" + table[0] + "\" order by rowid");
        while (sqlite3_step(s.get()) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(s.get()); ++i) {
                const int type = sqlite3_column_type(s.get(), i);
                mix(h, &type, sizeof type);
                const void* bytes = type == SQLITE_BLOB
                                        ? sqlite3_column_blob(s.get(), i)
                                        : static_cast<const void*>(sqlite3_column_text(s.get(), i));
                mix(h, bytes, std::size_t(sqlite3_column_bytes(s.get(), i)));
            }
        }
    }
    return h;
}

std::string tempFile(const std::string& name) {
    // One folder per test run, removed when the program ends.
    static const struct Folder {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("morvane_test_demo_" + std::to_string(::getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } folder;
    return (folder.path / name).string();
}

const std::string& scaleOneFile() {
    // Under CTest the run builds the database once at the path in
    // MORVANE_TEST_DEMO_DB and every test reads it. Run by hand, the program
    // builds its own copy.
    static const std::string file = [] {
        const char* shared = std::getenv("MORVANE_TEST_DEMO_DB");
        const std::string f = shared && *shared ? shared : tempFile("scale1.db");
        if (!(shared && *shared && std::filesystem::exists(f)))
            generateDemoDatabase(f, DemoOptions{});
        return f;
    }();
    return file;
}

TestDb& scaleOne() {
    static TestDb db(scaleOneFile());
    return db;
}

}  // namespace morvane::demo::test
