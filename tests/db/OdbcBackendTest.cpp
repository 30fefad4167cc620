// The ODBC backend, run for real through Debian's SQLite ODBC driver with the translator's
// extension loaded, so that T-SQL goes through the same path it takes to SQL Server.
#include "platform/db/DatabaseError.h"
#include "platform/db/OdbcBackend.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "tests/db/Fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace morvane::db::test {
namespace {

class OdbcBackendTest : public ::testing::Test {
  protected:
    void SetUp() override {
        createGoods(db_);
        connection_.OpenOdbc(QString::fromStdString(sqliteOdbcConnectionString(db_.path())), true);
        ds_.setSetupUdpParent(&connection_);
    }

    void open(const QString& sql) {
        ds_.Close();
        ds_.SetSQL(sql);
        ds_.Open();
    }

    TempDatabase db_;
    TRemoteUdpConnection connection_;
    TRemoteUdpDataSet ds_;
};

TEST_F(OdbcBackendTest, ConnectsAndMapsColumnTypes) {
    EXPECT_TRUE(connection_.Connected());
    EXPECT_EQ(connection_.DbmsName(), "SQLite");
    open("select goodsid, price, qty, inputdate, pic from goods");
    ASSERT_EQ(ds_.GetRecordCount(), 4);
    const ResultTable& table = ds_.table();
    EXPECT_EQ(table.columnType(0), ColumnType::Text);
    EXPECT_EQ(table.columnType(1), ColumnType::Real);
    EXPECT_EQ(table.columnType(2), ColumnType::Integer);
    EXPECT_EQ(table.columnType(3), ColumnType::Date);
    EXPECT_EQ(table.columnType(4), ColumnType::Blob);

    EXPECT_EQ(ds_.FieldByName("price")->AsString(), "99.5");
    EXPECT_EQ(ds_.FieldByName("qty")->AsInteger(), 10);
    EXPECT_EQ(ds_.FieldByName("pic")->Value().toByteArray(), QByteArray("\x00\x01\xff", 3));
    ds_.Next();
    EXPECT_TRUE(ds_.FieldByName("qty")->IsNull());
    EXPECT_EQ(ds_.FieldByName("price")->AsString(), "120");
    ds_.Last();
    EXPECT_EQ(ds_.FieldByName("price")->AsString(), "0.6667");
    EXPECT_EQ(ds_.FieldByName("qty")->AsInteger(), -3);
}

TEST_F(OdbcBackendTest, ChineseTextAndLongTextsRoundTrip) {
    db_.exec("create table names(fname text)");
    ds_.SetSQL(QString::fromUtf8("insert into names(fname) values('系统提示 进入')"));
    EXPECT_EQ(ds_.ExecSQL(), 1);
    const QString longText = QString::fromUtf8("长").repeated(5000) + "end";
    db_.exec("insert into names values('" + longText.toStdString() + "')");

    open(QString::fromUtf8("select fname 名称 from names"));
    ASSERT_EQ(ds_.GetRecordCount(), 2);
    EXPECT_EQ(ds_.Fields(0)->FieldName(), QString::fromUtf8("名称"));
    EXPECT_EQ(ds_.Fields(0)->AsString(), QString::fromUtf8("系统提示 进入"));
    ds_.Next();
    EXPECT_EQ(ds_.Fields(0)->AsString(), longText);  // read in several pieces
    EXPECT_EQ(db_.scalar("select fname from names where rowid=1"), "系统提示 进入");
}

TEST_F(OdbcBackendTest, TranslatesTsqlWithTheLoadedExtension) {
    open(
        "select isnull(goodsname,'无') n, right(goodsid,3) r, convert(varchar(10),qty) q "
        "from goods where goodsid='G003'");
    EXPECT_EQ(ds_.FieldByName("n")->AsString(), QString::fromUtf8("无"));
    EXPECT_EQ(ds_.FieldByName("r")->AsString(), "003");
    EXPECT_EQ(ds_.FieldByName("q")->AsString(), "5");
    open("select fbilldate from FN_MonthDay('2026-2-01')");
    EXPECT_EQ(ds_.GetRecordCount(), 28);
    ds_.Last();
    EXPECT_EQ(ds_.Fields(0)->AsString(), "2026-02-28");
}

TEST_F(OdbcBackendTest, ErrorsCarryTheDriversText) {
    ds_.SetSQL("select * from nosuch");
    try {
        ds_.Open();
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("no such table: nosuch"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(ds_.Active());

    ds_.SetSQL("select * from FN_MonthDay('2026-13-45')");
    try {
        ds_.Open();
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("Conversion failed when converting date"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(ds_.Active());

    ds_.SetSQL("update nosuch set a=1");
    EXPECT_THROW(ds_.ExecSQL(), EDatabaseError);
    open("select count(*) from goods");
    EXPECT_EQ(ds_.Fields(0)->AsInteger(), 4);
}

TEST_F(OdbcBackendTest, BadConnectionStringsFailWithTheDriverManagersText) {
    TRemoteUdpConnection connection;
    try {
        connection.OpenOdbc("Driver=/nonexistent/libnothing.so;Database=/tmp/x.db");
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("libnothing.so"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(connection.Connected());
}

TEST_F(OdbcBackendTest, ALongStatementCanBeCancelledFromAnotherThread) {
    std::atomic<bool> done{false};
    std::thread canceller([&] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            connection_.Cancel();
        }
    });
    ds_.SetSQL(
        "select count(*) from FN_MonthDay('2026-1-1') a, FN_MonthDay('2026-1-1') b, "
        "FN_MonthDay('2026-1-1') c, FN_MonthDay('2026-1-1') d, FN_MonthDay('2026-1-1') e, "
        "FN_MonthDay('2026-1-1') f");
    std::string message;
    try {
        ds_.Open();
    } catch (const EDatabaseError& error) {
        message = error.what();
    }
    done = true;
    canceller.join();
    EXPECT_NE(message.find("interrupted"), std::string::npos) << message;
    EXPECT_FALSE(ds_.Active());
    open("select count(*) from goods");
    EXPECT_EQ(ds_.Fields(0)->AsInteger(), 4);
}

TEST_F(OdbcBackendTest, WideTextCallsWorkThroughTheDriverManager) {
    // The wide calls SQL Server's driver gets, exercised here with ASCII texts (the driver
    // manager converts them for this ANSI driver).
    TRemoteUdpConnection wide;
    wide.OpenBackend(std::make_unique<OdbcBackend>(sqliteOdbcConnectionString(db_.path()), true,
                                                   OdbcBackend::TextMode::Wide));
    TRemoteUdpDataSet ds;
    ds.setSetupUdpParent(&wide);
    ds.SetSQL("select goodsid as code, qty from goods where qty is not null");
    ds.Open();
    EXPECT_EQ(ds.FieldNames(), QStringList({"code", "qty"}));
    EXPECT_EQ(ds.GetRecordCount(), 3);
    ds.Last();
    EXPECT_EQ(ds.FieldByName("code")->AsString(), "A004");
    ds.Close();
    ds.SetSQL("select * from nosuch");
    try {
        ds.Open();
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("no such table"), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace morvane::db::test
