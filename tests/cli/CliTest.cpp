// The morvane tool as a user runs it: a real process, its standard output,
// standard error and exit status.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/tsql/SqliteFunctions.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
