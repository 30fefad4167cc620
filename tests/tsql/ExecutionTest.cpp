// Translated statements run on SQLite and must give what SQL Server gives.
// The expected values are worked out by hand from SQL Server's rules.

#include <gtest/gtest.h>

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
        )sql");
    }

    std::string text(std::string_view tsql) { return db.scalar(tsql).text; }

    SqliteTestDb db;
};

TEST_F(Execution, IntegerDivisionTruncatesTowardZero) {
    EXPECT_EQ(text("select 7/2"), "3");
    EXPECT_EQ(text("select -7/2"), "-3");
    EXPECT_EQ(text("select 7/-2"), "-3");
    EXPECT_EQ(text("select 7.0/2"), "3.5");
    EXPECT_EQ(text("select n/d from nums where n=7"), "3");
    EXPECT_EQ(text("select -n/d from nums where n=7"), "-3");
    EXPECT_EQ(text("select r/d from nums where n=7"), "1.25");
    EXPECT_EQ(text("select sum(qty)/count(*) from sale"), "3");  // 17/5
    EXPECT_EQ(text("select 7%3"), "1");
    EXPECT_EQ(text("select n%d from nums where n=7"), "1");
}

TEST_F(Execution, LiteralsKeepTheirTypes) {
    test::Result r = db.run("select 10, 0.00, 2.5e1, N'中', 'it''s', NULL");
    ASSERT_EQ(r.rows.size(), 1u);
    const auto& row = r.rows[0];
    EXPECT_EQ(row[0].type, SQLITE_INTEGER);
    EXPECT_EQ(row[1].type, SQLITE_FLOAT);
    EXPECT_EQ(row[2].text, "25.0");
    EXPECT_EQ(row[3].text, "中");
    EXPECT_EQ(row[4].text, "it's");
    EXPECT_EQ(row[5].type, SQLITE_NULL);
    EXPECT_EQ(text("select 1/2.0"), "0.5");
}

TEST_F(Execution, DivisionByZeroIsAnError) {
    const std::string message = "Divide by zero error encountered.";
    EXPECT_EQ(db.errorOf("select 1/0"), message);
    EXPECT_EQ(db.errorOf("select n/d from nums where n=-7"), message);
    EXPECT_EQ(db.errorOf("select r/0.0 from nums where n=7"), message);
    EXPECT_EQ(db.errorOf("select n%d from nums where n=-7"), message);
    // NULL divided by zero is NULL, not an error.
    EXPECT_EQ(text("select r/d from nums where n=-7"), "NULL");
}

TEST_F(Execution, PlusConcatenatesTextsAndAddsNumbers) {
    EXPECT_EQ(text("select right('0'+convert(varchar(2),day('2026-03-05'))+'日',3)"), "05日");
    EXPECT_EQ(text("select right('0'+convert(varchar(2),day('2026-03-12'))+'日',3)"), "12日");
    EXPECT_EQ(text("select fcode+fname from client where fname='gamma'"), "B03Gamma");
    EXPECT_EQ(text("select t+t from nums where n=7"), "1212");
    // A number and a text: the text is converted to the number.
    EXPECT_EQ(text("select '1'+1"), "2");
    EXPECT_EQ(text("select t+1 from nums where n=7"), "13");
    EXPECT_EQ(text("select r+t from nums where n=7"), "14.5");
    EXPECT_EQ(text("select n+d from nums where n=7"), "9");
    EXPECT_EQ(text("select NULL+'a'"), "NULL");
    EXPECT_EQ(text("select n+NULL from nums where n=7"), "NULL");
}

TEST_F(Execution, PlusOfAnUnconvertibleTextIsAConversionError) {
    EXPECT_EQ(db.errorOf("select 'x'+1"),
              "Conversion failed when converting the varchar value 'x' to data type int.");
    EXPECT_EQ(db.errorOf("select fcode+1 from client where fname='alpha'"),
              "Conversion failed when converting the varchar value 'A01' to data type int.");
    EXPECT_EQ(db.errorOf("select '1.5'+1"),
              "Conversion failed when converting the varchar value '1.5' to data type int.");
    EXPECT_EQ(db.errorOf("select t+r from nums where n=-7"), "");  // r is NULL
}

TEST_F(Execution, ConvertToNumericRoundsHalfAwayFromZero) {
    EXPECT_EQ(text("select convert(numeric(9,4),2.0/3)"), "0.6667");
    EXPECT_EQ(text("select convert(numeric(9,2),2.345)"), "2.35");
    EXPECT_EQ(text("select convert(numeric(9,2),-2.345)"), "-2.35");
    EXPECT_EQ(text("select convert(decimal(9,0),2.5)"), "3.0");
    EXPECT_EQ(text("select convert([numeric](18, 4),7/2)"), "3.0");
    EXPECT_EQ(text("select convert(numeric(9,2),'1.005')"), "1.01");
    EXPECT_EQ(db.scalar("select convert(numeric(9,2),3)").type, SQLITE_FLOAT);
    EXPECT_EQ(db.errorOf("select convert(numeric(3,2),12.3)"),
              "Arithmetic overflow error converting numeric to data type numeric.");
    EXPECT_EQ(db.errorOf("select convert(numeric(9,2),'abc')"),
              "Error converting data type varchar to numeric.");
    // numeric operands divide as decimals, not as integers
    EXPECT_EQ(
        text("select convert(numeric(18,4),convert(numeric(18,4),7)/convert(numeric(18,4),2))"),
        "3.5");
    EXPECT_EQ(text("select convert(numeric(18,4),7/convert(float,2))"), "3.5");
}

TEST_F(Execution, ConvertToTextTruncatesPadsOrStars) {
    EXPECT_EQ(text("select convert(varchar(2),'abc')"), "ab");
    EXPECT_EQ(text("select convert(varchar(2),'中文字')"), "中文");
    EXPECT_EQ(text("select convert(char(4),year('2026-03-05'))+'年'"), "2026年");
    EXPECT_EQ(text("select convert(char(4),26)+'|'"), "26  |");
    EXPECT_EQ(text("select convert(varchar(1),10)"), "*");
    EXPECT_EQ(text("select convert(varchar,12345)"), "12345");
    EXPECT_EQ(text("select cast(2.5 as varchar(10))"), "2.5");
    EXPECT_EQ(text("select convert(varchar(2),NULL)"), "NULL");
    EXPECT_EQ(text("select convert(nchar(3),'中')+'|'"), "中  |");
    EXPECT_EQ(db.errorOf("select convert(nvarchar(1),10)"),
              "Arithmetic overflow error converting expression to data type nvarchar.");
    EXPECT_EQ(db.errorOf("select convert(varchar(2),2.345)"),
              "Arithmetic overflow error converting numeric to data type varchar.");
}

TEST_F(Execution, ConvertToIntFloatAndDatetime) {
    EXPECT_EQ(text("select convert(int,' 12 ')"), "12");
    EXPECT_EQ(text("select convert(int,2.7)"), "2");
    EXPECT_EQ(text("select convert(int,-2.7)"), "-2");
    EXPECT_EQ(db.errorOf("select convert(int,'x')"),
              "Conversion failed when converting the varchar value 'x' to data type int.");
    EXPECT_EQ(text("select convert(float,'1.5')"), "1.5");
    EXPECT_EQ(text("select convert(datetime,'2026-3-1')"), "2026-03-01");
    EXPECT_EQ(text("select convert(datetime,'2026-3-1 8:05')"), "2026-03-01 08:05:00");
    EXPECT_EQ(text("select convert(date,'2026-03-01 08:05:00')"), "2026-03-01");
    EXPECT_EQ(db.errorOf("select convert(datetime,'2026-02-30')"),
              "Conversion failed when converting date and/or time from character string.");
}

TEST_F(Execution, CollatedColumnsCompareWithoutCaseAndTrailingBlanks) {
    EXPECT_EQ(text("select count(*) from client where fcode='a01'"), "1");
    EXPECT_EQ(text("select count(*) from client where fcode='A02'"), "1");
    EXPECT_EQ(text("select count(*) from client where fname='BETA   '"), "1");
    EXPECT_EQ(text("select count(*) from client where fcode in('b03','A01 ')"), "2");
    EXPECT_EQ(text("select count(*) from client where fcode not in('b03')"), "2");
    EXPECT_EQ(text("select count(distinct(fclientcode)) from sale"), "3");
    Cell groups =
        db.scalar("select count(*) from (select fclientcode from sale group by fclientcode) g");
    EXPECT_EQ(groups.text, "3");
    EXPECT_EQ(text("select count(*) from client a join sale b on a.fcode=b.fclientcode"), "5");
}

TEST_F(Execution, TextsWithoutAColumnCompareLikeTheDefaultCollation) {
    EXPECT_EQ(text("select case when 'abc'='ABC  ' then 1 else 0 end"), "1");
    EXPECT_EQ(text("select case when upper('x') in('x') then 1 else 0 end"), "1");
    EXPECT_EQ(text("select count(*) from client where isnull(fcode,'')='B03'"), "1");
    EXPECT_EQ(text("select count(*) from client where fname like 'AL%'"), "1");
    EXPECT_EQ(text("select count(*) from client where fname not like '%a'"), "0");
}

TEST_F(Execution, DateFunctions) {
    EXPECT_EQ(text("select datediff(day,'2026-02-27','2026-03-02')"), "3");
    EXPECT_EQ(text("select datediff(day,'2026-03-01 23:59:00','2026-03-02 00:01:00')"), "1");
    EXPECT_EQ(text("select datediff(month,'2026-01-31','2026-02-01')"), "1");
    EXPECT_EQ(text("select datediff(year,'2025-12-31','2026-01-01')"), "1");
    EXPECT_EQ(text("select datediff(day,'2026-03-02','2026-02-27')"), "-3");
    EXPECT_EQ(text("select dateadd(month,1,'2026-01-31')"), "2026-02-28");
    EXPECT_EQ(text("select dateadd(year,1,'2024-02-29')"), "2025-02-28");
    EXPECT_EQ(text("select dateadd(day,-1,'2026-03-01')"), "2026-02-28");
    EXPECT_EQ(text("select year('2026-03-05')*100+month('2026-3-5')"), "202603");
    EXPECT_EQ(text("select day('2026-03-05 10:30:00')"), "5");
    EXPECT_EQ(text("select count(*) from sale where year(fbilldate)=2026 and month(fbilldate)=3"),
              "5");
    EXPECT_EQ(db.errorOf("select year('2026-13-01')"),
              "Conversion failed when converting date and/or time from character string.");
    EXPECT_TRUE(std::regex_match(text("select getdate()"),
                                 std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
    EXPECT_EQ(text("select case when datediff(day,'2000-01-01',getdate())>9000 then 1 end"), "1");
}

TEST_F(Execution, TextFunctionsCountCharacters) {
    EXPECT_EQ(text("select len('ab  ')"), "2");
    EXPECT_EQ(text("select len('  中文')"), "4");
    EXPECT_EQ(text("select right('中文字',2)"), "文字");
    EXPECT_EQ(text("select left('中文字',1)"), "中");
    EXPECT_EQ(text("select right(12345,2)"), "45");
    EXPECT_EQ(text("select substring('abcdef',0,3)"), "ab");
    EXPECT_EQ(text("select substring('中文字',2,5)"), "文字");
    EXPECT_EQ(text("select charindex('B','abcb')"), "2");
    EXPECT_EQ(text("select charindex('b','abcb',3)"), "4");
    EXPECT_EQ(text("select charindex('字','中文字')"), "3");
    EXPECT_EQ(text("select replace('ABCb','b','x')"), "AxCx");
    EXPECT_EQ(text("select ltrim('  a ')+'|'"), "a |");
    EXPECT_EQ(text("select upper('ab')+lower('CD')"), "ABcd");
    EXPECT_EQ(db.errorOf("select right('abc',-1)"),
              "Invalid length parameter passed to the right function.");
}

TEST_F(Execution, NumberFunctions) {
    EXPECT_EQ(text("select round(2.345,2)"), "2.35");
    EXPECT_EQ(text("select round(-2.5,0)"), "-3.0");
    EXPECT_EQ(text("select round(15,-1)"), "20");
    EXPECT_EQ(text("select round(2.349,1,1)"), "2.3");
    EXPECT_EQ(text("select ceiling(2.1)"), "3.0");
    EXPECT_EQ(text("select floor(-2.1)"), "-3.0");
    EXPECT_EQ(text("select abs(-3)"), "3");
    EXPECT_EQ(text("select isnull(r,0) from nums where n=-7"), "0");
}

TEST_F(Execution, AvgOfIntegersIsAnInteger) {
    EXPECT_EQ(text("select avg(qty) from sale where fbillid in(1,2)"), "3");  // (3+4)/2
    EXPECT_EQ(db.scalar("select avg(qty) from sale where fbillid in(1,2)").type, SQLITE_INTEGER);
    EXPECT_EQ(text("select avg(price) from sale where fbillid in(1,2)"), "6.25");
    EXPECT_EQ(text("select avg(qty) from sale where 1=0"), "NULL");
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

TEST_F(Execution, JoinsOfEveryKind) {
    db.execSqlite(
        "create table l(k int, v text); insert into l values(1,'a'),(2,'b');"
        "create table r(k int, w text); insert into r values(2,'x'),(3,'y');");
    EXPECT_EQ(text("select count(*) from l join r on l.k=r.k"), "1");
    EXPECT_EQ(text("select count(*) from l left outer join r on l.k=r.k"), "2");
    EXPECT_EQ(text("select count(*) from l right join r on l.k=r.k"), "2");
    EXPECT_EQ(text("select count(*) from l full outer join r on l.k=r.k"), "3");
    EXPECT_EQ(text("select count(*) from l cross join r"), "4");
    EXPECT_EQ(text("select count(*) from l, r where l.k<r.k"), "3");
    EXPECT_EQ(text("select count(*) from (select k from l union select k from r) u"), "3");
    EXPECT_EQ(text("select count(*) from (select k from l union all select k from r) as u"), "4");
    EXPECT_EQ(text("select count(*) from l where exists(select 1 from r where r.k=l.k)"), "1");
    EXPECT_EQ(text("select count(*) from l where not exists(select 1 from r where r.k=l.k)"), "1");
    EXPECT_EQ(text("select (select max(w) from r) "), "y");
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
    EXPECT_EQ(
        text("select case fmathod when '自营' then 1 else 0 end from client where fcode='A01'"),
        "1");
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
