// Translated statements run on SQLite and must give what SQL Server gives.
// The expected values are worked out by hand from SQL Server's rules.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "tests/tsql/SqliteTestDb.h"

namespace morvane::tsql {
namespace {

using test::Cell;
using test::SqliteTestDb;

class Execution : public testing::Test {
  protected:
    void SetUp() override {
        db.execSqlite(R"sql(
            create table client(fcode text collate tsql_ci, fname text collate tsql_ci,
                                fmathod text collate tsql_ci);
            insert into client values('A01','Alpha','自营'),('a02 ','beta','加盟'),
                                     ('B03','Gamma','自营');
            create table sale(fbillid integer, fclientcode text collate tsql_ci,
                              fbilldate text, qty integer, price real, fposted integer);
            insert into sale values(1,'A01','2026-03-05',3,10.5,1),(2,'a01','2026-03-05',4,2.0,1),
                                   (3,'B03','2026-03-31',7,1.25,1),(4,'A01','2026-03-06',1,1.0,0),
                                   (5,'A02','2026-03-05 10:30:00',2,3.0,1);
            create table nums(n integer, d integer, r real, t text);
            insert into nums values(7,2,2.5,'12'),(-7,0,NULL,'x');
            create table l(k int, v text); insert into l values(1,'a'),(2,'b');
            create table r(k int, w text); insert into r values(2,'x'),(3,'y');
        )sql");
    }

    std::string text(std::string_view tsql) { return db.scalar(tsql).text; }

    SqliteTestDb db;
};

// Every case of a case file of data/execution: "### " starts a group; a case is
// "<T-SQL> => <result>" or "<T-SQL> => error: <message>".
int runCaseFile(SqliteTestDb& db, const std::string& name) {
    std::ifstream in(std::string(MORVANE_TSQL_TEST_DATA "/execution/") + name);
    EXPECT_TRUE(in) << name;
    std::string line, group;
    int cases = 0;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.rfind("### ", 0) == 0)
            group = line.substr(4);
        const std::size_t arrow = line.rfind(" => ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos)
            continue;
        SCOPED_TRACE(name + ":" + std::to_string(number) + " (" + group + ")");
        const std::string tsql = line.substr(0, arrow), expected = line.substr(arrow + 4);
        if (expected.rfind("error: ", 0) == 0) {
            EXPECT_EQ(db.errorOf(tsql), expected.substr(7)) << tsql;
        } else {
            try {
                EXPECT_EQ(db.scalar(tsql).text, expected) << tsql;
            } catch (const std::exception& e) {
                ADD_FAILURE() << tsql << ": " << e.what();
            }
        }
        ++cases;
    }
    return cases;
}

// Statements over the fixture tables, with SQL Server's results worked out by hand.
TEST_F(Execution, ResultsOfTheCaseFile) {
    EXPECT_GT(runCaseFile(db, "results.txt"), 100);
}

// Literal-only statements with the results SQL Server's reference documents.
TEST_F(Execution, DocumentedResults) {
    EXPECT_GT(runCaseFile(db, "documented.txt"), 100);
}

TEST_F(Execution, ResultTypesFollowSqlServer) {
    test::Result r = db.run("select 10, 0.00, 2.5e1, N'中', 'it''s', NULL");
    ASSERT_EQ(r.rows.size(), 1u);
    const auto& row = r.rows[0];
    EXPECT_EQ(row[0].type, SQLITE_INTEGER);
    EXPECT_EQ(row[1].type, SQLITE_FLOAT);
    EXPECT_EQ(row[2].text, "25.0");
    EXPECT_EQ(row[3].text, "中");
    EXPECT_EQ(row[4].text, "it's");
    EXPECT_EQ(row[5].type, SQLITE_NULL);
    EXPECT_EQ(db.scalar("select convert(numeric(9,2),3)").type, SQLITE_FLOAT);
    // avg of integers is an integer: (3+4)/2
    EXPECT_EQ(db.scalar("select avg(qty) from sale where fbillid in(1,2)").type, SQLITE_INTEGER);
    EXPECT_TRUE(std::regex_match(text("select getdate()"),
                                 std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
    EXPECT_EQ(text("select case when datediff(day,'2000-01-01',getdate())>9000 then 1 end"), "1");
}

TEST_F(Execution, TopInsideAnInSubquery) {
    // The client with the largest single sale is B03 (qty 7).
    test::Result r = db.run(
        "select fcode from client where fcode in(select top 1 fclientcode from sale order by qty "
        "desc)");
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0].text, "B03");
    EXPECT_EQ(db.run("select top 2 fbillid from sale order by fbillid desc").rows.size(), 2u);
}

TEST_F(Execution, MonthDayTableHasOneRowPerDay) {
    struct Month {
        const char* date;
        const char* days;
        const char* last;
    };
    for (const Month& m :
         {Month{"2026-2-01", "28", "2026-02-28"}, Month{"2024-2-01", "29", "2024-02-29"},
          Month{"2026-4-01", "30", "2026-04-30"}, Month{"2026-1-01", "31", "2026-01-31"},
          Month{"2026-3-1", "31", "2026-03-31"}, Month{"2026-03-15", "31", "2026-03-31"}}) {
        SCOPED_TRACE(m.date);
        test::Result r =
            db.run(std::string("select count(*) n, min(fbilldate) first, max(fbilldate) last "
                               "from dbo.FN_MonthDay('") +
                   m.date + "')");
        EXPECT_EQ(r.rows[0][0].text, m.days);
        EXPECT_EQ(r.rows[0][1].text.substr(8), "01");
        EXPECT_EQ(r.rows[0][2].text, m.last);
    }
    EXPECT_EQ(db.errorOf("select * from FN_MonthDay('2026-2-30')"),
              "Conversion failed when converting date and/or time from character string.");
}

TEST_F(Execution, MonthlyGridJoinsEveryDayWithTheDaySums) {
    // Every client with a sale, crossed with every day of March, left-joined
    // with the posted sums; a sale with a time of day matches no day.
    test::Result r = db.run(
        "select a.fcode "
        "客户编号,a.fbilldate,\rright('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,"
        "b.qty 数量 from (\rselect a.fcode,b.fbilldate from client a,(select * from "
        "FN_MonthDay('2026-3-01'))b \r"
        "where a.fcode in(select fclientcode from sale)\r)a\rleft join (select "
        "b.fclientcode,b.fbilldate,sum(b.qty) qty"
        "\r from sale b\rwhere b.fposted=1 and year(b.fbilldate)=2026 and month(b.fbilldate)=3\r"
        " group by b.fclientcode,b.fbilldate)b on a.fcode=b.fclientcode and "
        "a.fbilldate=b.fbilldate "
        "order by a.fcode,a.fbilldate\r");
    EXPECT_EQ(r.columns, (std::vector<std::string>{"客户编号", "fbilldate", "日期", "数量"}));
    ASSERT_EQ(r.rows.size(), 3u * 31u);
    // A01 on the 5th: bills 1 and 2 ('A01', 'a01') = 7; the unposted bill 4 is left out.
    EXPECT_EQ(r.rows[4][2].text, "05日");
    EXPECT_EQ(r.rows[4][3].text, "7");
    EXPECT_EQ(r.rows[5][3].text, "NULL");
    // a02: its only sale carries a time of day and matches no day row.
    for (int day = 0; day < 31; ++day) {
        EXPECT_EQ(r.rows[31 + day][3].text, "NULL");
    }
    EXPECT_EQ(r.rows[62 + 30][3].text, "7");
}

TEST_F(Execution, ResultColumnNamesFollowSqlServer) {
    test::Result r = db.run(
        "select a.fcode,a.fname 名称,'类别'=a.fmathod,count(*),[数]=1 from client a "
        "group by a.fcode,a.fname,a.fmathod");
    EXPECT_EQ(r.columns, (std::vector<std::string>{"fcode", "名称", "类别", "", "数"}));
    test::Result star = db.run("select top 1 a.* from client a");
    EXPECT_EQ(star.columns, (std::vector<std::string>{"fcode", "fname", "fmathod"}));
    test::Result distinct = db.run("select distinct(fmathod) from client");
    EXPECT_EQ(distinct.columns, (std::vector<std::string>{"fmathod"}));
    EXPECT_EQ(distinct.rows.size(), 2u);
}

TEST_F(Execution, CaseBetweenAndGrouping) {
    test::Result r = db.run(
        "select 档次=case when qty BETWEEN 1 and 3 then '低' when qty between 4 and 10 then '高' "
        "else '无' end,"
        "count(*) 单数 from sale group by case when qty BETWEEN 1 and 3 then '低' when qty between "
        "4 and 10 "
        "then '高' else '无' end having count(*)>0 order by 2 desc,档次");
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0][0].text, "低");  // qty 3, 1, 2
    EXPECT_EQ(r.rows[0][1].text, "3");
    EXPECT_EQ(r.rows[1][0].text, "高");
}

TEST_F(Execution, WritesAndNoOps) {
    db.execSqlite("create table syslog(logindate text, userno text, fstate text)");
    db.run("set dateformat ymd");
    db.run("insert into syslog(logindate,userno,fstate)values('2026-03-05','0001','进入')");
    db.run("insert syslog(logindate,userno,fstate) values('2026-03-05','0002','it''s')");
    db.run("update syslog set fstate='离开' where userno='0001'");
    EXPECT_EQ(text("select fstate from syslog where userno='0001'"), "离开");
    EXPECT_EQ(text("select fstate from syslog where userno='0002'"), "it's");
    db.run("delete syslog where userno='0002'");
    EXPECT_EQ(text("select count(*) from syslog"), "1");
}

}  // namespace
}  // namespace morvane::tsql
