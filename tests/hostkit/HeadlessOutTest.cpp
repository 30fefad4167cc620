// "morvane run --out" on a pivot report window loaded from a plug-in: .xls and .xlsx through
// the window's Excel button, .pdf through its print button, text for the other names, and the
// refusals (no Excel right, an unknown extension).

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "hostkit/HeadlessRun.h"
#include "platform/workbook/XlsReader.h"
#include "tests/support/SpineFixture.h"

using namespace morvane::host;

namespace {

// The pivot as the workbook holds it: no header areas, every group expanded, the zero as 0.
const char* const kWorkbookText =
    "\t\t红色\t蓝色\tGrand Total\n"
    "乙店\tB1\t0\t\t0\n"
    "\tB2\t\t2\t2\n"
    "乙店 Total\t\t0\t2\t2\n"
    "甲店\tA1\t3\t1\t4\n"
    "\tA2\t4\t\t4\n"
    "甲店 Total\t\t7\t1\t8\n"
    "Grand Total\t\t7\t3\t10\n";

QString SheetText(const morvane::workbook::Sheet& sheet) {
    QString out;
    int columns = 0;
    for (int r = 0; r < sheet.rowCount(); ++r)
        for (const auto& c : sheet.row(r))
            columns = std::max(columns, c.column + 1);
    for (int r = 0; r < sheet.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c) {
            const morvane::workbook::Cell* cell = sheet.cell(r, c);
            if (cell && cell->kind == morvane::workbook::Cell::Kind::Number)
                cells << QString::number(cell->number, 'g', 15);
            else
                cells << (cell ? sheet.textAt(r, c) : QString());
        }
        out += cells.join('\t') + '\n';
    }
    return out;
}

struct Process {
    int status;
    QString out;
    QString err;
};

Process Exec(const QString& program, const QStringList& args,
             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(120000))
        return {-1, {}, "did not finish"};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class RunOut : public ::testing::Test {
  protected:
    void SetUp() override {
        db = dir.filePath("f.db");
        morvane::test::CreateFixtureDb(db);
    }
    // U1 may export the fixture's list "测试报表"; U2 may only browse it.
    RunOutput Go(const QString& out, const QString& user = "U1") {
        RunOptions o;
        o.window = "frm_OLAPAllStock";
        o.dbFile = db;
        o.user = user;
        o.listName = "测试报表";
        o.outFile = out;
        o.pluginPath = MORVANE_EXPORTPLUGIN;
        o.exeName = dir.filePath("host");
        return RunWindow(o);
    }
    std::vector<QString> Syslog() { return morvane::test::SpineHost(db).SyslogRows(); }

    QTemporaryDir dir;
    QString db;
};

TEST_F(RunOut, WorkbooksComeFromTheExcelButton) {
    const QString xls = dir.filePath("透视.xls");
    RunOutput r = Go(xls);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(SheetText(morvane::workbook::readXls(xls).sheet(0)).toStdString(), kWorkbookText);
    EXPECT_EQ(Syslog(), (std::vector<QString>{"U1|导出测试|进入", "U1|导出测试|离开"}));

    // Upper case counts too; openpyxl reads the .xlsx independently of our writer.
    const QString xlsx = dir.filePath("透视.XLSX");
    r = Go(xlsx);
    ASSERT_EQ(r.status, 0) << r.err;
    const Process py =
        Exec("/usr/bin/python3",
             {"-c",
              "import openpyxl,sys\n"
              "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
              "for r in ws.iter_rows(values_only=True):\n"
              "  print('\\t'.join('' if v is None else (str(int(v)) if isinstance(v,(int,float)) "
              "else str(v)) for v in r))\n",
              xlsx});
    ASSERT_EQ(py.status, 0) << py.err.toStdString();
    EXPECT_EQ(py.out.toStdString(), kWorkbookText);
}

TEST_F(RunOut, APdfHoldsThePrintedPagesOnA4) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString pdf = dir.filePath("透视.pdf");
    const RunOutput r = Go(pdf, "U2");  // printing needs no Excel right
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");

    const Process info = Exec("pdfinfo", {pdf});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.out.toStdString();
    EXPECT_TRUE(
        info.out.contains(QRegularExpression("Page size:\\s+59[56][.0-9]* x 84[12][.0-9]* pts")))
        << info.out.toStdString();

    // The pages show what the grid shows: painted captions, the zero blanked.
    const Process text = Exec("pdftotext", {"-layout", pdf, "-"});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    for (const char* expected : {"甲店", "乙店", "红色", "蓝色", "合计", "小计"})
        EXPECT_TRUE(text.out.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                    << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QRegularExpression("第\\s*1\\s*页\\s*/\\s*共\\s*1\\s*页")))
        << text.out.toStdString();
    const QString b1 = text.out.split('\n').filter("B1").value(0);
    EXPECT_FALSE(b1.contains(QRegularExpression("\\b0\\b"))) << b1.toStdString();
}

TEST_F(RunOut, TextForOtherNamesAndAClearRefusalOfUnknownOnes) {
    const RunOutput shown = Go(QString());
    ASSERT_EQ(shown.status, 0) << shown.err;
    ASSERT_NE(shown.out.find("甲店"), std::string::npos) << shown.out;
    for (const char* name : {"r.tsv", "r.txt", "r"}) {
        const QString path = dir.filePath(name);
        const RunOutput r = Go(path);
        ASSERT_EQ(r.status, 0) << name << ": " << r.err;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(f.readAll().toStdString(), shown.out) << name;
    }

    const std::size_t logged = Syslog().size();
    const RunOutput r = Go(dir.filePath("r.csv"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "cannot write " + dir.filePath("r.csv").toStdString() +
                         ": unknown output type '.csv' (use .xls, .xlsx, .pdf, or .tsv/.txt for "
                         "tab-separated text)\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("r.csv")));
    EXPECT_EQ(Syslog().size(), logged);  // refused before the window opened
}

TEST_F(RunOut, WithoutTheExcelRightTheExcelButtonRefuses) {
    const QString xls = dir.filePath("none.xls");
    const RunOutput r = Go(xls, "U2");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "the Excel button (bit_excel) is disabled for user U2 in this window\n");
    EXPECT_FALSE(QFile::exists(xls));
    // The window was still closed.
    EXPECT_EQ(Syslog(), (std::vector<QString>{"U2|导出测试|进入", "U2|导出测试|离开"}));
}

TEST_F(RunOut, TheProgramWritesByExtensionAndRefusesUnknownOnesAsUsage) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MORVANE_PLUGIN", MORVANE_EXPORTPLUGIN);
    const QString xlsx = dir.filePath("tool.xlsx");
    Process p = Exec(MORVANE_TOOL,
                     {"run", "frm_OLAPAllStock", "--db", db, "--user", "U1", "--list", "测试报表",
                      "--out", xlsx},
                     env);
    EXPECT_EQ(p.status, 0) << p.err.toStdString();
    QFile f(xlsx);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(2) == "PK");  // a zip package

    p = Exec(MORVANE_TOOL, {"run", "frm_OLAPAllStock", "--db", db, "--out", "r.html"}, env);
    EXPECT_EQ(p.status, 1);
    EXPECT_TRUE(p.err.startsWith("morvane run: cannot write r.html: unknown output type '.html'"))
        << p.err.toStdString();
}

}  // namespace
