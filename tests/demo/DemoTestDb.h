#pragma once

// Read access to generated demo databases for the tests: one scale-1
// database built once per test program, and small query helpers.

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;

namespace morvane::demo::test {

class TestDb {
  public:
    explicit TestDb(const std::string& file);
    ~TestDb();
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    // First column of the first row as integer (0 when there is no row).
    std::int64_t scalar(const std::string& sql) const;
    // All rows, every value as text ("" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql) const;
    // The names of the result columns of a statement.
    std::vector<std::string> columns(const std::string& sql) const;
    // A digest of every row of every table, in rowid order.
    std::uint64_t contentChecksum() const;

    sqlite3* handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

// The shared scale-1 database (default seed), generated on first use.
const std::string& scaleOneFile();
TestDb& scaleOne();

// A fresh file name in the test temp folder.
std::string tempFile(const std::string& name);

}  // namespace morvane::demo::test
