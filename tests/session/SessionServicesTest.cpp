// totalpub1: the query helpers, the usage log and the user scope.

#include <gtest/gtest.h>
#include <QRegularExpression>

#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"

using morvane::test::ExecOnFile;
using morvane::test::SpineHost;

namespace {

class Session : public ::testing::Test {
  protected:
    void SetUp() override { Attach(std::make_unique<SpineHost>()); }
    void TearDown() override {
        host.reset();
        morvane::session::ResetSession();
    }
    void Attach(std::unique_ptr<SpineHost> h) {
        host = std::move(h);
        morvane::session::ResetSession();
        pub_connection = host->connection.get();
        pub_userno = "U1";
    }
    void Exec(const std::string& sql) { ExecOnFile(host->DbFile(), sql); }

    std::unique_ptr<SpineHost> host;
};

}  // namespace

TEST_F(Session, OpenQueryReattachesAndReplacesTheStatement) {
    TRemoteUdpConnection other;
    TRemoteUdpDataSet ds;
    ds.setSetupUdpParent(&other);  // not connected: opening there would fail
    ds.SetSQL("select 1");
    OpenQuery(&ds, "select fcode from dt_client order by fcode");
    EXPECT_EQ(ds.SetupUdpParent(), pub_connection);
    EXPECT_EQ(ds.GetRecordCount(), 4);
    EXPECT_EQ(ds.Fields(0)->AsString(), "C01");
    OpenQuery(&ds, "select fcode from dt_client where fcode='D01'");
    EXPECT_EQ(ds.GetRecordCount(), 1);
    EXPECT_EQ(ds.SQL(), "select fcode from dt_client where fcode='D01'");
}

TEST_F(Session, ExecCommandRunsOnceAndLeavesNoDataSetBehind) {
    const auto before = host->app->Owner()->children().size();
    ExecCommand("insert into dt_client values('E01','新店',0)");
    EXPECT_EQ(host->Column("select fcode from dt_client where fcode='E01'").size(), 1u);
    EXPECT_EQ(host->app->Owner()->children().size(), before);
    EXPECT_EQ(host->Statements().back(), "insert into dt_client values('E01','新店',0)");
}

TEST_F(Session, UsageLogStatementIsExactAndWritesOneRow) {
    WriteUsageLog("月报", "B7", "进入");
    ASSERT_EQ(host->Statements().size(), 1u);
    const QString sql = QString::fromStdString(host->Statements()[0]);
    const QRegularExpression exact(
        "^insert into syslog\\(logindate,begintime,userno,clientname,modename,fbillid,fstate\\)"
        "values\\('\\d{4}-\\d{2}-\\d{2}','\\d{2}:\\d{2}:\\d{2}','U1',\r'','月报','B7','进入'\\)$");
    EXPECT_TRUE(exact.match(sql).hasMatch()) << sql.toStdString();
    EXPECT_EQ(host->SyslogRows(), std::vector<QString>{"U1|月报|进入"});
}

TEST_F(Session, UsageLogWithAQuoteInTheModuleNameFailsOnTheServer) {
    EXPECT_THROW(WriteUsageLog("客户's 报表", "", "进入"), std::exception);
    EXPECT_TRUE(host->SyslogRows().empty());
}

TEST_F(Session, ScopeStatementsAreSentAsWritten) {
    LoadUserScope();
    ASSERT_EQ(host->Statements().size(), 3u);
    EXPECT_EQ(host->Statements()[0],
              "select fclientcode,isnull(fstockbit,0) fstockbit  from userclient where "
              "fgroupid='U1'");
    EXPECT_EQ(host->Statements()[1], "select fbrand from userbrand where fgroupid='U1'");
    EXPECT_EQ(host->Statements()[2], "select * from userhouse where fgroupid='U1'");
}

TEST_F(Session, ScopeWithoutRowsMeansNoRestriction) {
    LoadUserScope();
    EXPECT_TRUE(pub_clientall);
    EXPECT_TRUE(pub_brandall);
    EXPECT_TRUE(pub_houseall);
    EXPECT_EQ(pub_clientcodes, "");
    EXPECT_EQ(pub_brandcodes, "");
    EXPECT_EQ(pub_housecodes, "");
}

TEST_F(Session, ScopeListsKeepRowOrderAndDropFlaggedRows) {
    Exec(
        "insert into userclient values('U1','C11',0),('U1','C01',1),('U1','C02',null);"
        "insert into userbrand values('U1','B1'),('U1','B2'),('U1','B3');"
        "insert into userhouse values('U1','H2',null,0),('U1','H1',1,0),('U1','H3',0,1);"
        "insert into userclient values('U2','C01',0);");
    LoadUserScope();
    EXPECT_FALSE(pub_clientall);
    EXPECT_EQ(pub_clientcodes, "'C11','C02'");
    EXPECT_FALSE(pub_brandall);
    EXPECT_EQ(pub_brandcodes, "'B1','B2','B3'");
    EXPECT_FALSE(pub_houseall);
    EXPECT_EQ(pub_housecodes, "'H2','H3'");  // NULL counts as not set
}

TEST_F(Session, EveryClientRowFlaggedLeavesARestrictionWithAnEmptyList) {
    Exec(
        "insert into userclient values('U1','C01',1),('U1','C02',1);"
        "insert into userhouse values('U1','H1',1,0);");
    LoadUserScope();
    EXPECT_FALSE(pub_clientall);
    EXPECT_EQ(pub_clientcodes, "");
    EXPECT_FALSE(pub_houseall);
    EXPECT_EQ(pub_housecodes, "");
}

TEST_F(Session, AServerErrorEndsTheScopeAtTheFailingLookup) {
    Exec("insert into userclient values('U1','C01',0); drop table userbrand;");
    EXPECT_THROW(LoadUserScope(), EDatabaseError);
    EXPECT_EQ(pub_clientcodes, "'C01'");
    EXPECT_FALSE(pub_brandall);
    EXPECT_FALSE(pub_houseall);
    EXPECT_EQ(pub_housecodes, "");
}

TEST_F(Session, DemoUsersScope) {
    Attach(std::make_unique<SpineHost>(morvane::test::DemoDb()));
    auto scopeOf = [&](const QString& user) {
        morvane::session::ResetSession();
        pub_connection = host->connection.get();
        pub_userno = user;
        LoadUserScope();
    };
    auto list = [&](const QString& sql) {
        QStringList codes;
        for (const QString& c : host->Column(sql))
            codes << "'" + c + "'";
        return codes.join(',');
    };

    scopeOf("001");
    EXPECT_TRUE(pub_clientall && pub_brandall && pub_houseall);

    scopeOf("002");
    EXPECT_FALSE(pub_clientall);
    EXPECT_EQ(pub_clientcodes, list("select fclientcode from userclient where fgroupid='002' "
                                    "and fstockbit=0 order by rowid"));
    EXPECT_EQ(
        QString(pub_clientcodes).count(','),
        int(host->Column("select fclientcode from userclient where fgroupid='002'").size()) - 3);
    EXPECT_EQ(pub_brandcodes, "'莫凡','雅岚'");
    EXPECT_EQ(pub_housecodes, "'CK01','CK02'");

    scopeOf("003");
    EXPECT_FALSE(pub_clientall);
    EXPECT_EQ(pub_clientcodes, "");
    EXPECT_TRUE(pub_brandall && pub_houseall);

    scopeOf("005");
    EXPECT_TRUE(pub_clientall && pub_brandall);
    EXPECT_EQ(pub_housecodes, "'CK01','CK04'");

    scopeOf("006");
    EXPECT_TRUE(pub_clientall && pub_brandall && pub_houseall);
}
