// What both backends must do alike: the SQLite file directly, and ODBC through Debian's SQLite
// driver with the translator's extension loaded, the path T-SQL takes to SQL Server.
#include "platform/db/CellText.h"
#include "platform/db/DatabaseError.h"
#include "tests/db/Fixture.h"

#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace morvane::db::test {
namespace {

class BackendTest : public GoodsTest, public ::testing::WithParamInterface<bool> {
  protected:
    void connect() override {
        if (GetParam())
            connection_.OpenOdbc(QString::fromStdString(sqliteOdbcConnectionString(db_.path())),
                                 true);
        else
            GoodsTest::connect();
    }
};

using ::testing::HasSubstr;

TEST_P(BackendTest, ChineseAndLongTextsRoundTripAndExecSqlCountsRows) {
    db_.exec("create table names(fname text)");
    ds_.SetSQL(QString::fromUtf8("insert into names(fname) values('进入 系统提示 ①')"));
    EXPECT_EQ(ds_.ExecSQL(), 1);
    const QString longText = QString::fromUtf8("长").repeated(5000) + "end";
    db_.exec("insert into names values('" + longText.toStdString() + "')");

    open(QString::fromUtf8("select fname as 名称 from names where fname like '进入%' or rowid=2"));
    ASSERT_EQ(ds_.GetRecordCount(), 2);
    EXPECT_EQ(ds_.Fields(0)->FieldName(), QString::fromUtf8("名称"));
    EXPECT_EQ(ds_.Fields(0)->AsString(), QString::fromUtf8("进入 系统提示 ①"));
    ds_.Next();
    EXPECT_EQ(ds_.Fields(0)->AsString(), longText);  // ODBC reads it in several pieces
    EXPECT_EQ(db_.scalar("select fname from names where rowid=1"), "进入 系统提示 ①");

    ds_.SetSQL("update goods set qty=qty+1 where qty>0");
    EXPECT_EQ(ds_.ExecSQL(), 2);
    EXPECT_EQ(db_.scalar("select sum(qty) from goods"), "14");
    ds_.SetSQL("delete from goods where 1=0");
    EXPECT_EQ(ds_.ExecSQL(), 0);
}

TEST_P(BackendTest, RunsTsqlThroughTheTranslator) {
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

TEST_P(BackendTest, ErrorsCarryTheServersTextAndLeaveTheConnectionUsable) {
    EXPECT_THAT(openError(ds_, "select * from nosuch"), HasSubstr("no such table: nosuch"));
    EXPECT_THAT(openError(ds_, "select * from FN_MonthDay('2026-13-45')"),
                HasSubstr("Conversion failed when converting date"));
    ds_.SetSQL("update nosuch set a=1");
    EXPECT_THROW(ds_.ExecSQL(), EDatabaseError);
    open("select count(*) from goods");
    EXPECT_EQ(ds_.Fields(0)->AsInteger(), 4);
}

TEST_P(BackendTest, ALongStatementCanBeCancelledFromAnotherThread) {
    // Keeps cancelling until the statement has ended, so that a cancel sent before the
    // statement started is not lost.
    std::atomic<bool> done{false};
    std::thread canceller([&] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            connection_.Cancel();
        }
    });
    const std::string message = openError(
        ds_,
        "select count(*) from FN_MonthDay('2026-1-1') a, FN_MonthDay('2026-1-1') b, "
        "FN_MonthDay('2026-1-1') c, FN_MonthDay('2026-1-1') d, FN_MonthDay('2026-1-1') e, "
        "FN_MonthDay('2026-1-1') f");
    done = true;
    canceller.join();
    EXPECT_THAT(message, HasSubstr("interrupted"));
    open("select count(*) from goods");  // later statements run normally
    EXPECT_EQ(ds_.Fields(0)->AsInteger(), 4);
}

// A result handed over in pieces holds the rows of the whole result: the same cells (as texts;
// a number stays the number it is), one piece per three rows, each piece's columns continuing
// the types the pieces before reached, and one empty piece for a result without rows.
TEST_P(BackendTest, ResultPiecesHoldTheRowsOfTheWholeResult) {
    db_.exec("create table nums(n integer, m)");
    for (int n = 1; n <= 10; ++n)
        db_.exec("insert into nums values(" + std::to_string(n) + ", " +
                 (n == 7 ? std::string("2.5") : std::to_string(n * 10)) + ")");
    const QString sql = "select n, m, goodsid from nums left join goods on qty = n order by n";
    const ResultTable whole = connection_.Query(sql);
    auto text = [](const Cell& cell) {
        switch (cell.kind) {
            case CellKind::Null:
                return std::string("NULL");
            case CellKind::Integer:
                return std::to_string(cell.integer);
            case CellKind::Real:
                return formatReal(cell.real);
            default:
                return std::string(cell.bytes);
        }
    };
    std::vector<std::string> cells;
    std::vector<std::vector<ColumnType>> types;
    std::vector<std::vector<bool>> rounded;
    const StatementOutcome outcome = connection_.Run(sql, 3, [&](const ResultPiece& piece) {
        EXPECT_EQ(piece.rows.columnName(2), "goodsid");
        for (std::size_t r = 0; r < piece.rows.rowCount(); ++r)
            for (std::size_t c = 0; c < piece.rows.columnCount(); ++c)
                cells.push_back(text(piece.rows.cell(r, c)));
        types.emplace_back();
        for (std::size_t c = 0; c < piece.rows.columnCount(); ++c)
            types.back().push_back(piece.rows.columnType(c));
        rounded.push_back(piece.roundedIntegers);
    });
    EXPECT_TRUE(outcome.returnedRows);
    ASSERT_EQ(types.size(), 4u);
    ASSERT_EQ(cells.size(), whole.rowCount() * whole.columnCount());
    for (std::size_t r = 0, k = 0; r < whole.rowCount(); ++r)
        for (std::size_t c = 0; c < whole.columnCount(); ++c, ++k)
            EXPECT_EQ(cells[k], text(whole.cell(r, c))) << "row " << r << " column " << c;
    if (!GetParam()) {
        // Column m: integers, then a real in the third piece that rounds them all, and a
        // fourth piece that starts out real.
        EXPECT_EQ(whole.columnType(1), ColumnType::Real);
        const ColumnType m[] = {ColumnType::Integer, ColumnType::Integer, ColumnType::Real,
                                ColumnType::Real};
        for (std::size_t p = 0; p < 4; ++p) {
            EXPECT_EQ(types[p][1], m[p]) << "piece " << p;
            EXPECT_EQ(rounded[p][1], p == 2) << "piece " << p;
            EXPECT_FALSE(rounded[p][0]) << "piece " << p;
        }
    }

    int pieces = 0;
    connection_.Run("select goodsid from goods where 1 = 0", 3, [&](const ResultPiece& piece) {
        ++pieces;
        EXPECT_EQ(piece.rows.rowCount(), 0u);
        EXPECT_EQ(piece.rows.columnCount(), 1u);
    });
    EXPECT_EQ(pieces, 1);
    // A statement without rows hands no piece and says what it changed.
    const StatementOutcome changed = connection_.Run(
        "update goods set qty = qty where goodsid = 'G003'", 3, [&](const ResultPiece&) { ++pieces; });
    EXPECT_FALSE(changed.returnedRows);
    EXPECT_EQ(changed.changed, 1);
    EXPECT_EQ(pieces, 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, BackendTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Odbc" : "Sqlite"; });

}  // namespace
}  // namespace morvane::db::test
