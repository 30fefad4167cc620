// The demo users, seen through the rights lookup the base window sends (T-SQL
// text, translated as the SQLite backend translates it). Their client,
// brand and warehouse scopes are checked through the session's own lookup
// in tests/entry (Session.DemoUsersScope).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DemoTestDb.h"
#include "entry/WindowTable.h"
#include "platform/tsql/Translator.h"

namespace morvane::demo::test {
namespace {

// The rights lookup of the base window: the first row, or none.
std::vector<std::vector<std::string>> rights(const std::string& user, const std::string& list) {
    const std::string sql =
        "select top 1 a.* from dr_rightdetail a,dr_right b where a.autoid=b.autoid\r"
        "and(a.b_add=1 or a.b_edit=1 or a.b_del=1 or a.b_browse=1 or a.b_posted=1 or a.b_print=1 "
        "or a.b_excel=1 or "
        "a.b_unposted=1)\r"
        "and(a.groupid in(select fgroupid from usermainde where userno='" +
        user + "'))and(b.listname='" + list + "')";
    const std::string translated = morvane::tsql::translate(sql);
    auto rows = scaleOne().rows(translated);
    const auto columns = scaleOne().columns(translated);
    for (auto& row : rows) {  // keep only b_excel, the right the windows read
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i] == "b_excel")
                row = {row[i]};
    }
    return rows;
}

using Rows = std::vector<std::vector<std::string>>;

// The administrator may export from every window, the accountant from none, and the
// trainee has no rights row at all.
TEST(DemoUsers, ExcelRightOfEveryWindowForAdministratorAccountantAndTrainee) {
    for (const morvane::entry::TWindowRow& w : morvane::entry::WindowTable()) {
        SCOPED_TRACE(w.caption);
        EXPECT_EQ(rights("001", w.caption), (Rows{{"1"}}));
        EXPECT_EQ(rights("004", w.caption), (Rows{{"0"}}));
        EXPECT_TRUE(rights("006", w.caption).empty());
    }
}

TEST(DemoUsers, RightsOfTheRegionalManagerAndTheWarehouseManager) {
    EXPECT_EQ(rights("002", "销售出仓月度分析总表"), (Rows{{"1"}}));
    EXPECT_TRUE(rights("002", "费用开支综合年报表").empty()) << "a row allowing nothing";
    EXPECT_TRUE(rights("002", "生产状况表").empty()) << "no row for the production lists";
    EXPECT_EQ(rights("005", "仓库库存结构分析"), (Rows{{"1"}}));
    EXPECT_TRUE(rights("005", "店铺零售月度分析总表").empty());
}

TEST(DemoUsers, OneRightsListPerReportWindow) {
    const auto windows = morvane::entry::WindowTable();
    EXPECT_EQ(scaleOne().scalar("select count(distinct listname) from dr_right"),
              std::int64_t(windows.size()));
    for (const morvane::entry::TWindowRow& w : windows)
        EXPECT_EQ(scaleOne().scalar(std::string("select count(*) from dr_right where listname='") +
                                    w.caption + "' and fformname='" + w.name + "'"),
                  1)
            << w.name;
}

TEST(DemoUsers, UsageLogTakesTheSessionInsert) {
    const std::string file = tempFile("usagelog.db");
    std::filesystem::copy_file(scaleOneFile(), file);
    TestDb db(file);
    db.rows(
        morvane::tsql::translate("insert into "
                                 "syslog(logindate,begintime,userno,clientname,modename,fbillid,"
                                 "fstate)values('2026-12-05','15:30:46',"
                                 "'001',\r'','销售出仓月度分析总表','','进入')"));
    EXPECT_EQ(
        db.rows("select logindate,begintime,userno,clientname,modename,fbillid,fstate from syslog"),
        (Rows{{"2026-12-05", "15:30:46", "001", "", "销售出仓月度分析总表", "", "进入"}}));
}

}  // namespace
}  // namespace morvane::demo::test
