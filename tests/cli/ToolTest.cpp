// The morvane program's windows and run commands, as scripts call them.

#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "tests/support/SpineFixture.h"

namespace {

struct Result {
    int status;
    QByteArray out;
    QByteArray err;
};

Result tool(const QStringList& args, const QString& plugin = MORVANE_TESTPLUGIN) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MORVANE_PLUGIN", plugin);
    p.setProcessEnvironment(env);
    p.start(MORVANE_TOOL, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

}  // namespace

TEST(Tool, RunWritesTheStatementAndExitsCleanly) {
    QTemporaryDir dir;
    const QString db = dir.filePath("f.db");
    morvane::test::CreateFixtureDb(db);
    Result r = tool({"run", "FRM_OLAPSALEMONTH", "--db", db, "--user", "U1", "--pick",
                     "edit_client=D01", "--set", "postedcheck=1", "--sql"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(),
              "select fcode 客户编号,fabbrev 客户简称,'' 备注 from dt_client where 1=1\r"
              " and fcode in('D01')\r and fposted=1\r and '2026-03-01'>='2000-01-01'\r"
              "order by fcode");

    r = tool({"run", "frm_OLAPSaleMonth", "--db", db, "--set", "edit_note=?"});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("请输入备注!"));
    EXPECT_TRUE(r.out.isEmpty());

    r = tool({"run", "frm_OLAPSaleMonth", "--db", db, "--set", "nocontrol"});
    EXPECT_EQ(r.status, 1);  // usage
}

TEST(Tool, WindowsListsTheTableRowsBuiltIntoTheProgram) {
    const Result r = tool({"windows"});
    EXPECT_EQ(r.status, 0);
    for (const QByteArray& line : r.out.split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> cells = line.split('\t');
        ASSERT_EQ(cells.size(), 2) << line.toStdString();
        EXPECT_TRUE(cells[0].startsWith("frm_"));
        EXPECT_FALSE(cells[1].isEmpty());
    }
}
