// What only the ODBC backend does: the driver's column types, the driver manager's errors and
// the wide calls SQL Server's driver gets.
#include "platform/db/DatabaseError.h"
#include "platform/db/OdbcBackend.h"
#include "tests/db/Fixture.h"

#include <gmock/gmock.h>

namespace morvane::db::test {
namespace {

using ::testing::HasSubstr;

class OdbcBackendTest : public GoodsTest {
  protected:
    void connect() override {
        connection_.OpenOdbc(QString::fromStdString(sqliteOdbcConnectionString(db_.path())), true);
    }
};

TEST_F(OdbcBackendTest, ConnectsAndMapsColumnTypes) {
    EXPECT_TRUE(connection_.Connected());
    EXPECT_EQ(connection_.DbmsName(), "SQLite");
    open("select goodsid, price, qty, inputdate, pic from goods");
    ASSERT_EQ(ds_.GetRecordCount(), 4);
    const ColumnType types[] = {ColumnType::Text, ColumnType::Real, ColumnType::Integer,
                                ColumnType::Date, ColumnType::Blob};
    for (std::size_t c = 0; c < std::size(types); ++c)
        EXPECT_EQ(ds_.table().columnType(c), types[c]) << "column " << c;

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

TEST_F(OdbcBackendTest, BadConnectionStringsFailWithTheDriverManagersText) {
    TRemoteUdpConnection connection;
    try {
        connection.OpenOdbc("Driver=/nonexistent/libnothing.so;Database=/tmp/x.db");
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.what(), HasSubstr("libnothing.so"));
    }
    EXPECT_FALSE(connection.Connected());
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
    EXPECT_THAT(openError(ds, "select * from nosuch"), HasSubstr("no such table"));
}

}  // namespace
}  // namespace morvane::db::test
