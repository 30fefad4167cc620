// What only the SQLite backend guarantees: column types from declared types and values, the
// server's exact texts, and what a closed or missing connection does.
#include "platform/db/DatabaseError.h"
#include "tests/db/Fixture.h"

#include <gmock/gmock.h>

namespace morvane::db::test {
namespace {

using ::testing::HasSubstr;
using SqliteBackendTest = GoodsTest;

TEST_F(SqliteBackendTest, FillsTypedColumnsFromDeclaredTypesAndValues) {
    db_.exec(
        "create table mix(i integer, n, t text, mixed_num, mixed_text, b blob, d datetime, m);"
        "insert into mix values(1, 1, 'a', 1, 1, x'00ff', '2026-03-01 08:00:00', null),"
        "(2, 2.5, null, 2.25, 'x', null, null, null),"
        "(null, 3, 'c', null, 2.5, x'', '2026-03-02', null)");
    open("select * from mix");
    const ResultTable& table = ds_.table();
    ASSERT_EQ(table.rowCount(), 3u);
    // Untyped columns: ints and reals make a real column, numbers and texts a text column.
    const ColumnType types[] = {ColumnType::Integer, ColumnType::Real,   ColumnType::Text,
                                ColumnType::Real,    ColumnType::Text,   ColumnType::Blob,
                                ColumnType::Date,    ColumnType::Unknown};
    ASSERT_EQ(table.columnCount(), std::size(types));
    for (std::size_t c = 0; c < std::size(types); ++c)
        EXPECT_EQ(table.columnType(c), types[c]) << "column " << c;
    EXPECT_EQ(table.column(0).integers()[1], 2);
    EXPECT_EQ(table.column(1).reals()[2], 3.0);
    EXPECT_TRUE(table.isNull(1, 2));
    EXPECT_EQ(table.cell(0, 4).bytes, "1");
    EXPECT_EQ(table.cell(2, 4).bytes, "2.5");
    EXPECT_EQ(table.cell(0, 5).bytes, std::string_view("\0\xff", 2));
    EXPECT_FALSE(table.isNull(2, 5));
    EXPECT_EQ(table.cell(0, 6).bytes, "2026-03-01 08:00:00");
    EXPECT_TRUE(table.isNull(0, 7));

    ds_.Last();
    EXPECT_EQ(ds_.FieldByName("mixed_text")->AsFloat(), 2.5);
    EXPECT_EQ(ds_.FieldByName("m")->AsString(), "");
}

TEST_F(SqliteBackendTest, ErrorsAreTheServersTextsExactly) {
    EXPECT_EQ(openError(ds_, "select * from nosuch"), "no such table: nosuch");
    EXPECT_THAT(openError(ds_, "select nosuchcolumn from goods"), HasSubstr("nosuchcolumn"));
    EXPECT_FALSE(openError(ds_, "select from where").empty());
    // A translation failure reads like any other database error and names the construct.
    EXPECT_THAT(openError(ds_, "select * from goods pivot (sum(qty) for goodsid in ([G001])) p"),
                HasSubstr("pivot"));
    EXPECT_EQ(openError(ds_, "select * from FN_MonthDay('2026-13-45')"),
              "Conversion failed when converting date and/or time from character string.");
    EXPECT_EQ(openError(ds_, "delete from goods where 1=0"),
              "the statement returned no result set");
    ds_.SetSQL("insert into nosuch values(1)");
    EXPECT_THROW(ds_.ExecSQL(), EDatabaseError);
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
        ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_THAT(error.what(), HasSubstr("unable to open database file"));
    }
    EXPECT_FALSE(missing.Connected());

    {
        TRemoteUdpConnection shortLived;
        shortLived.OpenSqlite(QString::fromStdString(db_.path()));
        unattached.setSetupUdpParent(&shortLived);
    }
    EXPECT_THROW(unattached.Open(), EDatabaseError);  // the connection is gone
}

}  // namespace
}  // namespace morvane::db::test
