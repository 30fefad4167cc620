// "morvane run --out" on a pivot report window loaded from a plug-in: .xls and .xlsx through
// the window's Excel button, .pdf through its print button, text for the other names, and the
// refusals (no Excel right, an unknown extension).

#include <gtest/gtest.h>
#include <QDir>
#include <QDate>
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

// The window's heading (caption, business dates of this month so far, filters, a blank line)
// as sheet lines of five cells.
std::string Heading() {
    const QDate today = QDate::currentDate();
    return ("导出测试\t\t\t\t\n业务日期：" +
            QDate(today.year(), today.month(), 1).toString(QStringLiteral("yyyy-MM-dd")) + " 至 " +
            today.toString(QStringLiteral("yyyy-MM-dd")) + "\t\t\t\t\n过滤条件：全部\t\t\t\t\n\t\t\t\t\n")
        .toStdString();
}

// The pivot as the workbook holds it below the heading: the captions the screen shows, every
// group expanded, the zero as 0.
const std::string kWorkbookText = Heading() +
                                  "店铺\t货号\t红色\t蓝色\t合计\n"
                                  "乙店\tB1\t0\t\t0\n"
                                  "\tB2\t\t2\t2\n"
                                  "乙店 小计\t\t0\t2\t2\n"
                                  "甲店\tA1\t3\t1\t4\n"
                                  "\tA2\t4\t\t4\n"
                                  "甲店 小计\t\t7\t1\t8\n"
                                  "合计\t\t7\t3\t10\n";

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

    // The pages show what the grid shows: painted captions, the zero blanked; the first page
    // is headed by the caption, the period and the filters.
    const Process text = Exec("pdftotext", {"-layout", pdf, "-"});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const QStringList lines = text.out.trimmed().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0].trimmed(), QStringLiteral("导出测试"));
    EXPECT_TRUE(lines[1].trimmed().startsWith(
        QStringLiteral("业务日期：") +
        QDate::currentDate().addDays(1 - QDate::currentDate().day()).toString("yyyy-MM-dd")))
        << lines[1].toStdString();
    EXPECT_EQ(lines[2].trimmed(), QStringLiteral("过滤条件：全部"));
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

// A full disk at any byte of any format, and a close that fails: the run ends with status 2
// and the reason, the file written before is untouched and no temporary file stays behind.
TEST_F(RunOut, AFailedWriteKeepsTheEarlierFileOfEveryFormat) {
    const struct {
        const char* fault;
        const char* reason;
    } faults[] = {
        {"write:0", "No space left on device"},
        {"write:100", "No space left on device"},
        {"close:0", "Input/output error"},
    };
    auto bytes = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    int run = 0, held = 0;
    for (const char* name : {"r.xls", "r.xlsx", "r.pdf", "r.tsv"}) {
        const QString file = dir.filePath(name);
        ASSERT_EQ(Go(file).status, 0) << name;
        const QByteArray earlier = bytes(file);
        ASSERT_GT(earlier.size(), 100) << name;  // the second fault falls inside it
        for (const auto& f : faults) {
            SCOPED_TRACE(std::string(name) + " " + f.fault);
            qputenv("MORVANE_TEST_WRITE_FAULT", f.fault);
            const RunOutput r = Go(file);
            qunsetenv("MORVANE_TEST_WRITE_FAULT");
            const QStringList left =
                QDir(dir.path()).entryList({".*"}, QDir::Files | QDir::Hidden | QDir::System);
            const bool ok =
                r.status == 2 &&
                r.err == "cannot write " + file.toStdString() + ": " + f.reason + "\n" &&
                bytes(file) == earlier && left.isEmpty();
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.err, "cannot write " + file.toStdString() + ": " + f.reason + "\n");
            EXPECT_TRUE(bytes(file) == earlier);
            EXPECT_EQ(left, QStringList());
            ++run;
            held += ok;
        }
    }
    std::printf("output fault cases: %d run, %d held\n", run, held);
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
    ASSERT_TRUE(f.seek(0));
    const QByteArray written = f.readAll();
    f.close();

    // The program's own status: a file that cannot be written, standard output that cannot.
    QProcessEnvironment failing = env;
    failing.insert("MORVANE_TEST_WRITE_FAULT", "write:100");
    p = Exec(MORVANE_TOOL,
             {"run", "frm_OLAPAllStock", "--db", db, "--user", "U1", "--list", "测试报表", "--out",
              xlsx},
             failing);
    EXPECT_EQ(p.status, 2);
    EXPECT_EQ(p.err.toStdString(),
              "morvane run: cannot write " + xlsx.toStdString() + ": No space left on device\n");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == written) << "the earlier workbook";
    QProcess full;
    full.setProcessEnvironment(env);
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    full.start(MORVANE_TOOL, {"run", "frm_OLAPAllStock", "--db", db});
    ASSERT_TRUE(full.waitForFinished(120000));
    EXPECT_EQ(full.exitCode(), 2);
    EXPECT_EQ(full.readAllStandardError().toStdString(),
              "morvane run: cannot write to standard output: No space left on device\n");

    p = Exec(MORVANE_TOOL, {"run", "frm_OLAPAllStock", "--db", db, "--out", "r.html"}, env);
    EXPECT_EQ(p.status, 1);
    EXPECT_TRUE(p.err.startsWith("morvane run: cannot write r.html: unknown output type '.html'"))
        << p.err.toStdString();
}

}  // namespace
