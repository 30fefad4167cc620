#pragma once

// A thin owner of the SQLite connection the generator writes through, and of
// its prepared insert statements. Failures throw std::runtime_error carrying
// SQLite's own message.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace morvane::demo {

// Quantities per size position s1..s10; a position that the goods' size class
// does not have is stored as NULL.
inline constexpr int kSizeSlots = 10;
struct Sizes {
    std::array<int, kSizeSlots> q{};
    int used = 0;  // positions of the goods' size class (1..10)
    int total() const {
        int t = 0;
        for (int v : q)
            t += v;
        return t;
    }
};

struct Blob {
    const std::vector<unsigned char>* bytes;
};

class SqliteDb {
  public:
    explicit SqliteDb(const std::string& file);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    sqlite3* handle() const { return db_; }
    void exec(const std::string& sql);
    [[noreturn]] void fail(const std::string& what) const;

    std::int64_t rowsInserted() const { return rows_; }
    void countRow() { ++rows_; }

  private:
    sqlite3* db_ = nullptr;
    std::int64_t rows_ = 0;
};

// One prepared "insert into table(columns) values(?,...)".
class Insert {
  public:
    Insert(SqliteDb& db, std::string_view table, const std::vector<std::string_view>& columns,
           bool withSizes = false);
    ~Insert();
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    template <typename... Values>
    void row(const Values&... values) {
        int index = 1;
        ((index = bind(index, values)), ...);
        step();
    }

  private:
    int bind(int index, std::nullptr_t);
    int bind(int index, std::nullopt_t) { return bind(index, nullptr); }
    int bind(int index, int value);
    int bind(int index, std::int64_t value);
    int bind(int index, double value);
    int bind(int index, const std::string& value);
    int bind(int index, const char* value);
    int bind(int index, const Sizes& value);
    int bind(int index, const Blob& value);
    template <typename T>
    int bind(int index, const std::optional<T>& value) {
        return value ? bind(index, *value) : bind(index, nullptr);
    }
    void step();

    SqliteDb& db_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace morvane::demo
