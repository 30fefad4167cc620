#pragma once

#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/db/ResultTable.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace morvane::db::test {

// A SQLite file in a fresh temporary folder, removed with the object.
class TempDatabase {
  public:
    TempDatabase();
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::string& path() const { return path_; }
    // Runs SQLite statements on the file directly, without translation.
    void exec(const std::string& sql) const;
    // The first column of the first row of a query run directly on the file, as text.
    std::string scalar(const std::string& sql) const;

  private:
    std::filesystem::path dir_;
    std::string path_;
};

// Table `goods` (goodsid, goodsname, price, qty, checkid, inputdate, pic) with four rows:
//   G001 衬衫         99.5   10  0 2026-03-01           x'0001FF'
//   g002 Jeans        120    NULL 0 2026-03-02          NULL
//   G003 NULL         NULL   5   0 NULL                 NULL
//   A004 外套 O'Neil  0.6667 -3  0 2026-03-04 10:20:30 x''
void createGoods(const TempDatabase& db);

// The ODBC connection string for Debian's SQLite driver on `file`, loading the translator's
// extension.
std::string sqliteOdbcConnectionString(const std::string& file);

// A value appended to a column: NULL, an integer, a real or a text.
using TestValue = std::variant<std::nullptr_t, std::int64_t, double, const char*>;
// A column declared `declared` holding `values` in order.
ColumnBuilder columnOf(std::string name, ColumnType declared,
                       std::initializer_list<TestValue> values);
// A table of the finished columns.
ResultTable tableOf(std::vector<ColumnBuilder> builders);

// The message of the EDatabaseError that opening `sql` raises; fails the test unless the
// dataset stays closed and keeps the statement for a retry.
std::string openError(TRemoteUdpDataSet& ds, const QString& sql);

// A dataset over the goods table, on a connection that `connect` opens (SQLite by default).
class GoodsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        createGoods(db_);
        connect();
        ds_.setSetupUdpParent(&connection_);
    }
    virtual void connect() { connection_.OpenSqlite(QString::fromStdString(db_.path())); }

    void open(const QString& sql = "select * from goods") {
        ds_.Close();
        ds_.SetSQL(sql);
        ds_.Open();
    }

    TempDatabase db_;
    TRemoteUdpConnection connection_;
    TRemoteUdpDataSet ds_;
};

}  // namespace morvane::db::test
