// "morvane run" through the loaded test plug-in: steps, outputs, exit statuses.

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "hostkit/HeadlessRun.h"
#include "tests/support/SpineFixture.h"

using namespace morvane::host;

namespace {

class Run : public ::testing::Test {
  protected:
    void SetUp() override {
        db = dir.filePath("f.db");
        morvane::test::CreateFixtureDb(db);
    }
    // The window, database and plug-in only: no user, no list name.
    RunOptions Bare(const QString& window = "frm_OLAPSaleMonth") {
        RunOptions o;
        o.window = window;
        o.dbFile = db;
        o.pluginPath = MORVANE_TESTPLUGIN;
        o.exeName = dir.filePath("host");
        return o;
    }
    RunOutput Go(std::vector<RunStep> steps = {}, bool sql = false, QString out = QString()) {
        RunOptions o = Bare();
        o.user = "U1";
        o.listName = "测试报表";
        o.steps = std::move(steps);
        o.sql = sql;
        o.outFile = out;
        return RunWindow(o);
    }
    std::vector<QString> Syslog() { return morvane::test::SpineHost(db).SyslogRows(); }

    QTemporaryDir dir;
    QString db;
};

RunStep Set(const char* control, const char* value) {
    return {RunStep::Set, control, value};
}
RunStep Pick(const char* edit, const char* codes) {
    return {RunStep::Pick, edit, codes};
}

}  // namespace

TEST_F(Run, WritesTheResultAsTsvAndClosesTheWindow) {
    const RunOutput r = Go({Set("edit_note", "it's")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "客户编号\t客户简称\t备注\n"
              "C01\t东方\tit's\nC02\t南方\tit's\nC11\t西城\tit's\nD01\t北门\tit's\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Syslog(), (std::vector<QString>{"U1|测试报表|进入", "U1|测试报表|离开"}));
}

TEST_F(Run, StatementTextIsWrittenByteForByteAfterSetsAndPicks) {
    const RunOutput r = Go(
        {Pick("edit_client", "C11,C01"), Set("postedcheck", "1"), Set("bill_date1", "2026-02-03")},
        true);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "select fcode 客户编号,fabbrev 客户简称,'' 备注 from dt_client where 1=1\r"
              " and fcode in('C01','C11')\r and fposted=1\r"
              " and '2026-02-03'>='2000-01-01'\rorder by fcode");
    EXPECT_EQ(Syslog(),
              (std::vector<QString>{"U1|测试报表|进入", "U1|测试选择|进入", "U1|测试报表|离开"}));
}

TEST_F(Run, PickingNothingMeansNoFilterAndALaterPickReplacesTheList) {
    RunOutput r = Go({Pick("edit_client", "")}, true);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("fcode in"), std::string::npos);
    r = Go({Pick("edit_client", "D01"), Pick("edit_client", "C02")});
    EXPECT_EQ(r.out, "客户编号\t客户简称\t备注\nC02\t南方\t\n");
}

TEST_F(Run, AMessageBoxEndsTheRunWithStatusThreeAndNoQuery) {
    const RunOutput r = Go({Set("edit_note", "?")});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "请输入备注!\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Syslog(),  // the window was still closed
              (std::vector<QString>{"U1|测试报表|进入", "U1|测试报表|离开"}));
}

TEST_F(Run, ErrorsEndTheRunWithStatusTwo) {
    struct Case {
        std::vector<RunStep> steps;
        std::string message;
    };
    const Case cases[] = {
        {{Set("nosuch", "1")}, "the window has no control 'nosuch'\n"},
        {{Set("postedcheck", "yes")}, "postedcheck takes 0 or 1, not 'yes'\n"},
        {{Set("bill_date1", "2026-13-01")},
         "bill_date1 takes a date YYYY-MM-DD, not '2026-13-01'\n"},
        {{Pick("edit_client", "C01,ZZ9")}, "no row with code ZZ9 in the picker of 'edit_client'\n"},
        {{Pick("edit_note", "C01")}, "control 'edit_note' has no button\n"},
    };
    for (const Case& c : cases) {
        const RunOutput r = Go(c.steps);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(Run, AServerErrorCarriesTheServersText) {
    morvane::test::ExecOnFile(db, "drop table dt_client");
    const RunOutput r = Go();
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no such table: dt_client"), std::string::npos) << r.err;
}

TEST_F(Run, UnknownWindowsAndWindowsOutsideThePlugin) {
    RunOutput r = RunWindow(Bare("frm_Nothing"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "no window 'frm_Nothing' in this plug-in\n");
    r = RunWindow(Bare("frm_OLAPSale"));  // its caption has a quote: the usage log fails
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(r.err.empty());
}

TEST_F(Run, OutputFilesByExtension) {
    const QString tsv = dir.filePath("r.tsv");
    RunOutput r = Go({Pick("edit_client", "C02")}, false, tsv);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    QFile f(tsv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "客户编号\t客户简称\t备注\nC02\t南方\t\n");

    r = Go({}, false, dir.filePath("r.xls"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "this window cannot write .xls files\n");
}

TEST_F(Run, TheListNameDefaultsToTheMenuCaption) {
    // The menu caption has no rights row: the window opens without Excel and without error.
    const RunOutput r = RunWindow(Bare());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Syslog().front(), "001|测试报表|进入");  // the demo's unrestricted user
}
