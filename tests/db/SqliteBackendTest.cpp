#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "tests/db/Fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace morvane::db::test {
namespace {

// The message of the EDatabaseError that opening `sql` raises; the dataset must stay closed.
std::string openError(TRemoteUdpDataSet& ds, const QString& sql) {
    ds.Close();
    ds.SetSQL(sql);
    try {
        ds.Open();
    } catch (const EDatabaseError& error) {
        EXPECT_FALSE(ds.Active());
        EXPECT_EQ(ds.SQL(), sql);  // the statement is kept for a retry
        return error.what();
    }
    ADD_FAILURE() << "no error for " << sql.toStdString();
    return {};
}

class SqliteBackendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        createGoods(db_);
        connection_.OpenSqlite(QString::fromStdString(db_.path()));
        ds_.setSetupUdpParent(&connection_);
    }

    TempDatabase db_;
    TRemoteUdpConnection connection_;
    TRemoteUdpDataSet ds_;
};

TEST_F(SqliteBackendTest, FillsTypedColumnsFromDeclaredTypesAndValues) {
    db_.exec(
        "create table mix(i integer, n, t text, mixed_num, mixed_text, b blob, d datetime, m);"
        "insert into mix values(1, 1, 'a', 1, 1, x'00ff', '2026-03-01 08:00:00', null),"
        "(2, 2.5, null, 2.25, 'x', null, null, null),"
        "(null, 3, 'c', null, 2.5, x'', '2026-03-02', null)");
    ds_.SetSQL("select * from mix");
    ds_.Open();
    const ResultTable& table = ds_.table();
    ASSERT_EQ(table.columnCount(), 8u);
    ASSERT_EQ(table.rowCount(), 3u);
    EXPECT_EQ(table.columnType(0), ColumnType::Integer);
    EXPECT_EQ(table.column(0).integers()[1], 2);
    EXPECT_EQ(table.columnType(1), ColumnType::Real);  // untyped column, ints and reals
    EXPECT_EQ(table.column(1).reals()[2], 3.0);
    EXPECT_EQ(table.columnType(2), ColumnType::Text);
    EXPECT_TRUE(table.isNull(1, 2));
    EXPECT_EQ(table.columnType(3), ColumnType::Real);
    EXPECT_EQ(table.columnType(4), ColumnType::Text);  // numbers and texts
    EXPECT_EQ(table.cell(0, 4).bytes, "1");
    EXPECT_EQ(table.cell(2, 4).bytes, "2.5");
    EXPECT_EQ(table.columnType(5), ColumnType::Blob);
    EXPECT_EQ(table.cell(0, 5).bytes, std::string_view("\0\xff", 2));
    EXPECT_FALSE(table.isNull(2, 5));
    EXPECT_EQ(table.columnType(6), ColumnType::Date);
    EXPECT_EQ(table.cell(0, 6).bytes, "2026-03-01 08:00:00");
    EXPECT_EQ(table.columnType(7), ColumnType::Unknown);
    EXPECT_TRUE(table.isNull(0, 7));

    ds_.Last();
    EXPECT_EQ(ds_.FieldByName("mixed_text")->AsFloat(), 2.5);
    EXPECT_EQ(ds_.FieldByName("m")->AsString(), "");
}

TEST_F(SqliteBackendTest, ChineseTextRoundTrips) {
    db_.exec("create table names(fname text)");
    ds_.SetSQL(QString::fromUtf8("insert into names(fname) values('进入 系统提示 ①')"));
    EXPECT_EQ(ds_.ExecSQL(), 1);
    ds_.SetSQL(QString::fromUtf8("select fname as 名称 from names where fname like '进入%'"));
    ds_.Open();
    ASSERT_EQ(ds_.GetRecordCount(), 1);
    EXPECT_EQ(ds_.Fields(0)->FieldName(), QString::fromUtf8("名称"));
    EXPECT_EQ(ds_.Fields(0)->AsString(), QString::fromUtf8("进入 系统提示 ①"));
    EXPECT_EQ(db_.scalar("select fname from names"), "进入 系统提示 ①");
}

TEST_F(SqliteBackendTest, ExecSqlReportsChangedRows) {
    ds_.SetSQL("update goods set qty=qty+1 where qty>0");
    EXPECT_EQ(ds_.ExecSQL(), 2);
    EXPECT_EQ(db_.scalar("select sum(qty) from goods"), "14");
    ds_.SetSQL("delete from goods where 1=0");
    EXPECT_EQ(ds_.ExecSQL(), 0);
}

TEST_F(SqliteBackendTest, ServerErrorsCarryTheServersTextAndLeaveTheDatasetClosed) {
    EXPECT_EQ(openError(ds_, "select * from nosuch"), "no such table: nosuch");
    EXPECT_NE(openError(ds_, "select nosuchcolumn from goods").find("nosuchcolumn"),
              std::string::npos);
    EXPECT_FALSE(openError(ds_, "select from where").empty());
    // A translation failure reads like any other database error and names the construct.
    EXPECT_NE(openError(ds_, "select * from goods pivot (sum(qty) for goodsid in ([G001])) p")
                  .find("pivot"),
              std::string::npos);
    EXPECT_EQ(openError(ds_, "select * from FN_MonthDay('2026-13-45')"),
              "Conversion failed when converting date and/or time from character string.");
    EXPECT_EQ(openError(ds_, "delete from goods where 1=0"),
              "the statement returned no result set");

    ds_.SetSQL("insert into nosuch values(1)");
    EXPECT_THROW(ds_.ExecSQL(), EDatabaseError);

    // The connection is still usable after the errors.
    ds_.SetSQL("select count(*) from goods");
    ds_.Open();
    EXPECT_EQ(ds_.Fields(0)->AsInteger(), 4);
}

TEST_F(SqliteBackendTest, RunsTsqlThroughTheTranslator) {
    ds_.SetSQL(
        "select isnull(goodsname,'无') n, right(goodsid,3) r, convert(varchar(10),qty) q "
        "from goods where goodsid='G003'");
    ds_.Open();
    EXPECT_EQ(ds_.FieldByName("n")->AsString(), QString::fromUtf8("无"));
    EXPECT_EQ(ds_.FieldByName("r")->AsString(), "003");
    EXPECT_EQ(ds_.FieldByName("q")->AsString(), "5");
    ds_.Close();
    ds_.SetSQL("select count(*) from FN_MonthDay('2026-2-01')");
    ds_.Open();
    EXPECT_EQ(ds_.Fields(0)->AsInteger(), 28);
}

TEST_F(SqliteBackendTest, ClosedOrMissingConnectionsAreReported) {
    TRemoteUdpDataSet unattached;
    unattached.SetSQL("select 1");
    EXPECT_THROW(unattached.Open(), EDatabaseError);
    EXPECT_THROW(unattached.ExecSQL(), EDatabaseError);

    connection_.Close();
    EXPECT_FALSE(connection_.Connected());
    EXPECT_EQ(openError(ds_, "select * from goods"), "the dataset's connection is not open");
    EXPECT_THROW(ds_.ExecSQL(), EDatabaseError);
    connection_.Cancel();  // nothing running, nothing to do

    TRemoteUdpConnection missing;
    try {
        missing.OpenSqlite("/nonexistent/folder/x.db");
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("unable to open database file"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(missing.Connected());

    {
        TRemoteUdpConnection shortLived;
        shortLived.OpenSqlite(QString::fromStdString(db_.path()));
        unattached.setSetupUdpParent(&shortLived);
    }
    EXPECT_THROW(unattached.Open(), EDatabaseError);  // the connection is gone
}

// Keeps cancelling until the statement on the other thread has ended, so that a cancel sent
// before the statement started is not lost.
class Canceller {
  public:
    explicit Canceller(TRemoteUdpConnection& connection)
        : thread_([this, &connection] {
              while (!done_) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
                  connection.Cancel();
              }
          }) {}
    ~Canceller() {
        done_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

TEST_F(SqliteBackendTest, ALongStatementCanBeCancelledFromAnotherThread) {
    const QString longQuery =
        "select count(*) from FN_MonthDay('2026-1-1') a, FN_MonthDay('2026-1-1') b, "
        "FN_MonthDay('2026-1-1') c, FN_MonthDay('2026-1-1') d, FN_MonthDay('2026-1-1') e, "
        "FN_MonthDay('2026-1-1') f";
    std::string message;
    {
        Canceller canceller(connection_);
        message = openError(ds_, longQuery);
    }
    EXPECT_EQ(message, "interrupted");

    ds_.SetSQL("select count(*) from goods");  // later statements run normally
    ds_.Open();
    EXPECT_EQ(ds_.Fields(0)->AsInteger(), 4);
}

}  // namespace
}  // namespace morvane::db::test
