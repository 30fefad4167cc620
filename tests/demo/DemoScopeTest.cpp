// The demo users, seen through the statements the session and the base
// window send: the user scope lookups and the rights lookup (T-SQL text,
// translated as the SQLite backend translates it).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DemoTestDb.h"
#include "demo/ReportWindows.h"
#include "platform/tsql/Translator.h"

namespace morvane::demo::test {
namespace {

struct Scope {
    bool all = true;
    std::string codes;  // 'A','B'
};

// The scope lookup of the session: rows flagged fstockbit add nothing; no
// row at all means no restriction.
Scope clientScope(const std::string& user) {
    Scope scope;
    const auto rows = scaleOne().rows(morvane::tsql::translate(
        "select fclientcode,isnull(fstockbit,0) fstockbit  from userclient where fgroupid='" +
        user + "'"));
    scope.all = rows.empty();
    for (const auto& row : rows)
        if (row[1] == "0")
            scope.codes += (scope.codes.empty() ? "'" : ",'") + row[0] + "'";
    return scope;
}

Scope houseScope(const std::string& user) {
    Scope scope;
    const auto rows = scaleOne().rows(morvane::tsql::translate(
        "select fhousecode,fstockbit from userhouse where fgroupid='" + user + "'"));
    scope.all = rows.empty();
    for (const auto& row : rows)
        if (row[1] != "1")
            scope.codes += (scope.codes.empty() ? "'" : ",'") + row[0] + "'";
    return scope;
}

std::vector<std::string> brands(const std::string& user) {
    std::vector<std::string> out;
    for (const auto& row : scaleOne().rows(morvane::tsql::translate(
             "select fbrand from userbrand where fgroupid='" + user + "'")))
        out.push_back(row[0]);
    return out;
}

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
    for (std::size_t i = 0; i < kReportWindowCount; ++i) {
        SCOPED_TRACE(kReportWindows[i].caption);
        EXPECT_EQ(rights("001", kReportWindows[i].caption), (Rows{{"1"}}));
        EXPECT_EQ(rights("004", kReportWindows[i].caption), (Rows{{"0"}}));
        EXPECT_TRUE(rights("006", kReportWindows[i].caption).empty());
    }
}

TEST(DemoUsers, AdministratorAndAccountantAreUnrestricted) {
    EXPECT_TRUE(clientScope("001").all);
    EXPECT_TRUE(houseScope("001").all);
    EXPECT_TRUE(brands("001").empty());
    EXPECT_TRUE(clientScope("004").all);
}

TEST(DemoUsers, RegionalManagerIsRestrictedInClientsWarehousesAndBrands) {
    const Scope clients = clientScope("002");
    EXPECT_FALSE(clients.all);
    EXPECT_FALSE(clients.codes.empty());
    // Flagged rows drop out of the list, but do exist.
    EXPECT_GT(
        scaleOne().scalar("select count(*) from userclient where fgroupid='002' and fstockbit=1"),
        0);
    EXPECT_EQ(
        scaleOne().scalar("select count(*) from dt_client where fcode in(" + clients.codes + ")"),
        scaleOne().scalar("select count(*) from userclient where fgroupid='002' and fstockbit=0"));
    // Every listed client has business to report on.
    EXPECT_GT(
        scaleOne().scalar("select count(distinct fclientcode) from d_sale where fclientcode in(" +
                          clients.codes + ")"),
        3);

    const Scope houses = houseScope("002");
    EXPECT_FALSE(houses.all);
    EXPECT_EQ(houses.codes, "'CK01','CK02'") << "NULL fstockbit is listed, 1 is not";
    EXPECT_EQ(brands("002"), (std::vector<std::string>{"莫凡", "雅岚"}));

    EXPECT_EQ(rights("002", "销售出仓月度分析总表"), (Rows{{"1"}}));
    EXPECT_TRUE(rights("002", "费用开支综合年报表").empty()) << "a row allowing nothing";
    EXPECT_TRUE(rights("002", "生产状况表").empty()) << "no row for the production lists";
}

TEST(DemoUsers, SupervisorWhoseClientRowsAreAllFlaggedSeesEveryClient) {
    EXPECT_GT(scaleOne().scalar("select count(*) from userclient where fgroupid='003'"), 0);
    const Scope clients = clientScope("003");
    EXPECT_FALSE(clients.all);
    EXPECT_TRUE(clients.codes.empty());
    EXPECT_TRUE(houseScope("003").all);
}

TEST(DemoUsers, WarehouseManagerHasNarrowRights) {
    EXPECT_EQ(houseScope("005").codes, "'CK01','CK04'");
    EXPECT_EQ(rights("005", "仓库库存结构分析"), (Rows{{"1"}}));
    EXPECT_TRUE(rights("005", "店铺零售月度分析总表").empty());
}

TEST(DemoUsers, OneRightsListPerReportWindow) {
    EXPECT_EQ(scaleOne().scalar("select count(distinct listname) from dr_right"),
              std::int64_t(kReportWindowCount));
    EXPECT_EQ(kReportWindowCount, 43u);
    for (std::size_t i = 0; i < kReportWindowCount; ++i)
        EXPECT_EQ(scaleOne().scalar(std::string("select count(*) from dr_right where listname='") +
                                    kReportWindows[i].caption + "' and fformname='" +
                                    kReportWindows[i].form + "'"),
                  1)
            << kReportWindows[i].form;
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
