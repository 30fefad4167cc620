// The rights lookup of Tbase_frm: its statement, and the Excel right of each demo user.

#include <gtest/gtest.h>

#include "forms/unt_basefrm.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"

using morvane::test::SpineHost;

namespace {

class Rights : public ::testing::Test {
  protected:
    void UseDb(const QString& file) {
        host = std::make_unique<SpineHost>(file);
        morvane::session::ResetSession();
        pub_connection = host->connection.get();
    }
    void TearDown() override {
        host.reset();
        morvane::session::ResetSession();
    }
    bool Excel(const QString& user, const QString& list) {
        pub_userno = user;
        Tbase_frm w;
        w.UserRight.b_excel = true;  // the lookup starts from "not allowed"
        w.ReadRights(list);
        return w.UserRight.b_excel;
    }
    std::unique_ptr<SpineHost> host;
};

}  // namespace

TEST_F(Rights, TheStatementIsSentAsWritten) {
    UseDb(QString());
    Excel("U1", "测试报表");
    ASSERT_EQ(host->Statements().size(), 1u);
    EXPECT_EQ(host->Statements()[0],
              "select top 1 a.* from dr_rightdetail a,dr_right b where a.autoid=b.autoid\r"
              "and(a.b_add=1 or a.b_edit=1 or a.b_del=1 or a.b_browse=1 or a.b_posted=1 or "
              "a.b_print=1 or a.b_excel=1 or a.b_unposted=1)\r"
              "and(a.groupid in(select fgroupid from usermainde where userno='U1'))"
              "and(b.listname='测试报表')");
}

TEST_F(Rights, FixtureGroups) {
    UseDb(QString());
    EXPECT_TRUE(Excel("U1", "测试报表"));
    EXPECT_FALSE(Excel("U2", "测试报表"));  // browse only
    EXPECT_FALSE(Excel("U3", "测试报表"));  // in no group
    EXPECT_FALSE(Excel("U1", "其他报表"));  // no such list
}

TEST_F(Rights, DemoUsers) {
    UseDb(morvane::test::DemoDb());
    const QString sales = "销售出仓月度分析总表";
    EXPECT_TRUE(Excel("001", sales));  // administrators
    EXPECT_TRUE(Excel("002", sales));
    EXPECT_FALSE(Excel("002", "费用开支综合年报表"));  // its row allows nothing
    EXPECT_FALSE(Excel("002", "生产状况表"));          // no row for the group
    EXPECT_TRUE(Excel("003", sales));
    EXPECT_FALSE(Excel("004", sales));              // finance: everything but Excel
    EXPECT_TRUE(Excel("005", "仓库库存结构分析"));  // stock lists only
    EXPECT_FALSE(Excel("005", sales));
    EXPECT_FALSE(Excel("006", sales));  // in no group
}
