// The morvane tool as a user runs it: a real process, its standard output,
// standard error and exit status.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "cli/TsvWriter.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/tsql/SqliteFunctions.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome morvane(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QStringLiteral(MORVANE_TOOL), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitCode(), p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

class CliTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        db_ = dir_->filePath("fixture.db");
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(db_.toUtf8().constData(), &db), SQLITE_OK);
        morvane::tsql::registerSqliteFunctions(db);  // codes compare as on the host's server
        const char* sql =
            "create table dt_client(fcode text collate tsql_ci, fabbrev text, fmathod text, famount real, "
            "fqty integer, fbilldate text);"
            "insert into dt_client values('C001','华东一店','加盟',3.5,7,'2026-03-05');"
            "insert into dt_client values('C002','tab\there',null,0.25,-2,'2026-03-06 10:15:00');"
            "insert into dt_client values('C003',null,'自营',null,null,null);";
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    static void TearDownTestSuite() { delete dir_; }

    static inline QTemporaryDir* dir_ = nullptr;
    static inline QString db_;
};

TEST_F(CliTest, QueryPrintsTypedValuesAsTsv) {
    Outcome r = morvane({"query", "--db", db_,
                     "select fcode 客户编号,fabbrev,fmathod,famount,fqty,fbilldate,"
                     "convert(numeric(9,4),2.0/3) 比例 from dt_client order by fcode"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");  // nothing but the rows; scripts read both streams
    EXPECT_EQ(r.out,
              "客户编号\tfabbrev\tfmathod\tfamount\tfqty\tfbilldate\t比例\n"
              "C001\t华东一店\t加盟\t3.5\t7\t2026-03-05\t0.6667\n"
              "C002\ttab here\t\t0.25\t-2\t2026-03-06 10:15:00\t0.6667\n"
              "C003\t\t自营\t\t\t\t0.6667\n");
}

TEST_F(CliTest, QueryReadsStatementWithCarriageReturnsFromStandardInput) {
    const QByteArray statement = "select count(*) n,sum(fqty) q\rfrom dt_client\rwhere fcode in('c001','C002  ')";
    for (const QStringList& args : {QStringList{"query", "--db", db_, "-"},
                                    QStringList{"query", "--db", db_}}) {
        Outcome r = morvane(args, statement);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "n\tq\n2\t5\n");
    }
}

TEST_F(CliTest, DatabaseFromEnvironmentWhenNoOptionGiven) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MORVANE_DB", db_);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MORVANE_TOOL), {"query", "select count(*) n from dt_client"});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput().toStdString(), "n\n3\n");
}

TEST_F(CliTest, ErrorsGoToStandardErrorWithStatusTwo) {
    Outcome missingTable = morvane({"query", "--db", db_, "select * from d_nosuch"});
    EXPECT_EQ(missingTable.status, 2);
    EXPECT_EQ(missingTable.out, "");
    EXPECT_NE(missingTable.err.find("d_nosuch"), std::string::npos) << missingTable.err;

    Outcome badSyntax = morvane({"query", "--db", db_, "select fcode from dt_client where"});
    EXPECT_EQ(badSyntax.status, 2);
    EXPECT_FALSE(badSyntax.err.empty());

    Outcome conversion = morvane({"query", "--db", db_, "select 'x'+1 n"});
    EXPECT_EQ(conversion.status, 2);
    EXPECT_NE(conversion.err.find("Conversion failed"), std::string::npos) << conversion.err;

    Outcome noFile = morvane({"query", "--db", dir_->filePath("absent.db"), "select 1 n"});
    EXPECT_EQ(noFile.status, 2);
    EXPECT_NE(noFile.err.find("absent.db"), std::string::npos) << noFile.err;
    EXPECT_FALSE(QFile::exists(dir_->filePath("absent.db")));
}

TEST_F(CliTest, AStatementWithoutRowsRunsOnceAndSaysWhatItChanged) {
    const struct {
        const char* statement;
        const char* said;
    } steps[] = {
        {"insert into dt_client(fcode) values('C008')", "1 row affected\n"},
        {"insert into dt_client(fcode) values('C009')", "1 row affected\n"},
        {"delete from dt_client where fcode in('C008','C009')", "2 rows affected\n"},
        {"delete from dt_client where fcode='C008'", "0 rows affected\n"},
    };
    for (const auto& step : steps) {
        const Outcome r = morvane({"query", "--db", db_, step.statement});
        EXPECT_EQ(r.status, 0) << step.statement << ": " << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, step.said);
    }
    EXPECT_EQ(morvane({"query", "--db", db_, "select count(*) n from dt_client"}).out, "n\n3\n");
}

TEST_F(CliTest, StandardOutputThatCannotBeWrittenIsStatusTwo) {
    QProcess p;
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.start(QStringLiteral(MORVANE_TOOL), {"query", "--db", db_, "select * from dt_client"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_EQ(p.readAllStandardError().toStdString(),
              "morvane query: cannot write to standard output: No space left on device\n");
}

// A result of several pieces printed as it is fetched gives the bytes of the whole result
// printed at once: columns whose type changes in a later piece (integers that become reals,
// numbers that become texts, a column NULL until late), an integer beyond 2^53 that a real
// far below turns into a rounded real, one that comes after the real and is rounded too, one
// that stays exact, texts with tabs and line breaks.
TEST_F(CliTest, QueryStreamsRowsWithTheBytesOfTheWholeResult) {
    const QString file = dir_->filePath("big.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    const char* sql =
        "create table big(n integer, mixed, late, wide integer, words text, blank);"
        "insert into big with recursive r(n) as (select 1 union all select n + 1 from r"
        " where n < 13000) select n,"
        " case when n = 10 then 9007199254740993 when n = 9000 then 2.5"
        " when n = 12800 then 9007199254740995 else n * 7 end,"
        " case when n < 7000 then null when n = 11000 then 'x' else n end,"
        " case when n % 1000 = 1 then 4611686018427387905 else -n end,"
        " case when n % 97 = 0 then 'tab' || char(9) || 'line' || char(10) || n"
        " else '名' || n end, null from r;";
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    // (Pieces of 4,096 rows: the real at 9,000 and the integer at 12,800 come in different ones.)
    const char* statement = "select * from big order by n";

    // The buffered output: the whole result fetched, then printed.
    TRemoteUdpConnection connection;
    connection.OpenSqlite(file);
    std::FILE* whole = std::tmpfile();
    ASSERT_NE(whole, nullptr);
    morvane::cli::writeTsv(connection.Query(QString::fromUtf8(statement)), whole);
    std::string expected(static_cast<std::size_t>(std::ftell(whole)), '\0');
    std::rewind(whole);
    ASSERT_EQ(std::fread(expected.data(), 1, expected.size(), whole), expected.size());
    std::fclose(whole);
    // The data does what the test is about: the early wide integer is shown rounded.
    ASSERT_NE(expected.find("\n10\t9007199254740992\t"), std::string::npos);
    ASSERT_NE(expected.find("\n12800\t9007199254740996\t"), std::string::npos);
    ASSERT_NE(expected.find("\t4611686018427387905\t"), std::string::npos);

    Outcome r = morvane({"query", "--db", file, statement});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 13001);
    EXPECT_TRUE(r.out == expected);  // (13,000 rows: no dump of both on failure)
}

TEST_F(CliTest, UsageMistakesExitWithStatusOne) {
    const Outcome emptyOdbc = morvane({"query", "--odbc", "", "select 1"});
    EXPECT_EQ(emptyOdbc.status, 1);
    EXPECT_EQ(emptyOdbc.err.substr(0, emptyOdbc.err.find('\n')),
              "morvane query: --odbc needs a connection string, not an empty text");
    EXPECT_EQ(morvane({"run", "frm_OLAPSaleMonth", "--odbc", ""}).status, 1);
    EXPECT_EQ(morvane({}).status, 1);
    EXPECT_EQ(morvane({"nosuch"}).status, 1);
    EXPECT_EQ(morvane({"query", "--db"}).status, 1);
    EXPECT_EQ(morvane({"query", "--db", db_, "--odbc", "DSN=x", "select 1"}).status, 1);
    EXPECT_EQ(morvane({"demo-db", "--scale", "many", "x.db"}).status, 1);
}

TEST_F(CliTest, DemoDatabaseIsCreatedAndAnswersQueries) {
    const QString file = dir_->filePath("demo.db");
    Outcome made = morvane({"demo-db", "--seed", "7", file});
    ASSERT_EQ(made.status, 0) << made.err;
    Outcome r = morvane({"query", "--db", file,
                     "select count(distinct(b.fclientcode)) 客户数 from d_sale b where b.fposted=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string count = r.out.substr(r.out.find('\n') + 1);
    EXPECT_GT(std::stoi(count), 0) << r.out;
}

TEST_F(CliTest, DemoDbKeepsAnExistingFileUnlessForced) {
    const QString notes = dir_->filePath("notes.txt");
    QFile f(notes);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("my notes\n");
    f.close();
    Outcome kept = morvane({"demo-db", notes});
    EXPECT_EQ(kept.status, 2);
    EXPECT_NE(kept.err.find("--force"), std::string::npos) << kept.err;
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "my notes\n");
    f.close();
    EXPECT_EQ(morvane({"demo-db", "--force", notes}).status, 0);
    EXPECT_EQ(morvane({"query", "--db", notes, "select count(*) n from sysuser"}).status, 0);
}

TEST_F(CliTest, HelpOnEveryCommandAndOnTheHostWithoutADisplay) {
    for (const QStringList& args :
         {QStringList{"--help"}, QStringList{"help"}, QStringList{"run", "--help"},
          QStringList{"query", "--help"}, QStringList{"demo-db", "--help"},
          QStringList{"windows", "--help"}, QStringList{"run", "frm_OLAPSaleMonth", "-h"}}) {
        const Outcome r = morvane(args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << "\n" << r.err;
        EXPECT_EQ(r.out.rfind("usage: morvane", 0), 0u) << r.out;
    }
    EXPECT_NE(morvane({"run", "--help"}).out.find("--controls"), std::string::npos);

    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    host.setProcessEnvironment(env);
    host.start(QStringLiteral(MORVANE_HOST), {"--help"});
    ASSERT_TRUE(host.waitForFinished(60000));
    EXPECT_EQ(host.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(host.exitCode(), 0);
    EXPECT_TRUE(host.readAllStandardOutput().startsWith("usage: morvane-host"));

    // A window the host does not know is an error, not a silent start, also without a display.
    host.start(QStringLiteral(MORVANE_HOST),
               {"--db", db_, "--user", "001", "--open", "frm_NoSuchWindow"});
    ASSERT_TRUE(host.waitForFinished(60000));
    EXPECT_EQ(host.exitCode(), 2);
    EXPECT_TRUE(host.readAllStandardError().contains("frm_NoSuchWindow"));
}

// Through the real plug-in on the demo database: values the controls cannot hold are refused
// with their range, never changed into another period.
TEST_F(CliTest, RunRefusesOutOfRangeValuesAndListsTheControls) {
    const QString demo = dir_->filePath("range.db");
    ASSERT_EQ(morvane({"demo-db", demo}).status, 0);
    struct Case {
        const char* set;
        const char* range;
    };
    const Case cases[] = {{"edit_month=13", "from 1 to 12, not '13'"},
                          {"edit_month=0", "from 1 to 12, not '0'"},
                          {"edit_month=-1", "from 1 to 12, not '-1'"},
                          {"edit_year=1900", "from 1901 to 9999, not '1900'"},
                          {"edit_year=99999", "from 1901 to 9999, not '99999'"},
                          {"edit_year=20x6", "from 1901 to 9999, not '20x6'"}};
    for (const Case& c : cases) {
        const Outcome r = morvane({"run", "frm_OLAPSaleMonth", "--db", demo, "--set", c.set});
        EXPECT_EQ(r.status, 2) << c.set;
        EXPECT_NE(r.err.find(c.range), std::string::npos) << c.set << ": " << r.err;
        EXPECT_EQ(r.out, "");
    }
    const Outcome wrong =
        morvane({"run", "frm_OLAPSaleMonth", "--db", demo, "--set", "edit_mnth=3"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("no control 'edit_mnth'; it has: "), std::string::npos) << wrong.err;
    EXPECT_NE(wrong.err.find("edit_month"), std::string::npos) << wrong.err;

    const Outcome listed = morvane({"run", "frm_OLAPSaleMonth", "--db", demo, "--set",
                                    "edit_year=2025", "--controls"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("edit_client\tpicker\t全部\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("edit_year\tnumber 1901..9999\t2025\n"), std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("edit_month\tnumber 1..12\t"), std::string::npos) << listed.out;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
