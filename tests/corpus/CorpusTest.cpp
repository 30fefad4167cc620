// Runs every statement of the corpus (tests/corpus/data/*.sql, written by make_corpus.py) on a
// scale-1 demo database through the dataset layer, the way the windows run them: the statement
// text goes to TRemoteUdpDataSet as it is, the SQLite backend translates it.
//
// Checked per statement: it runs without error; where columns.tsv lists the result columns,
// the dataset's field names are exactly those, in order; a report's plain state (*.plain.sql)
// returns rows on the demo data; a usage-log insert adds one row.

#include "demo/DemoGenerator.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const QString kCorpusDir = QStringLiteral(MORVANE_CORPUS_DIR "/");
const fs::path kDemoDb{MORVANE_CORPUS_DB};

QString readText(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    for (const QString& name : QDir(kCorpusDir).entryList({"*.sql"}, QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    return names;
}

// file name -> result column names, from columns.tsv (name TAB col TAB col ...).
std::map<std::string, QStringList> columnManifest() {
    std::map<std::string, QStringList> manifest;
    for (const QString& line :
         readText(kCorpusDir + "columns.tsv").split('\n', Qt::SkipEmptyParts)) {
        QStringList cells = line.split('\t');
        manifest[cells.takeFirst().toStdString()] = cells;
    }
    return manifest;
}

// The demo database is generated once and shared by the test processes that ctest starts one
// per case: it is rebuilt only when it is older than this executable (which embeds the
// generator), written under a private name and renamed into place.
void ensureDemoDatabase() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (fs::exists(kDemoDb) && !ec && fs::last_write_time(kDemoDb) >= fs::last_write_time(exe)) {
        return;
    }
    const std::string tmp = kDemoDb.string() + ".tmp" + std::to_string(::getpid());
    morvane::demo::DemoOptions options;
    options.scale = 1;
    morvane::demo::generateDemoDatabase(tmp, options);
    fs::rename(tmp, kDemoDb);
}

class CorpusTest : public ::testing::TestWithParam<std::string> {
  protected:
    static void SetUpTestSuite() {
        ensureDemoDatabase();
        connection_ = std::make_unique<TRemoteUdpConnection>();
        connection_->OpenSqlite(QString::fromStdString(kDemoDb.string()));
        manifest_ = columnManifest();
    }
    static void TearDownTestSuite() { connection_.reset(); }

    static std::unique_ptr<TRemoteUdpConnection> connection_;
    static std::map<std::string, QStringList> manifest_;
};

std::unique_ptr<TRemoteUdpConnection> CorpusTest::connection_;
std::map<std::string, QStringList> CorpusTest::manifest_;

TEST_P(CorpusTest, RunsOnDemoDatabase) {
    const std::string name = GetParam();
    const QString sql = readText(kCorpusDir + QString::fromStdString(name));
    ASSERT_FALSE(sql.isEmpty()) << name;
    // A statement's line break is one carriage return; a line feed means the file was mangled
    // (an editor or a checkout converting line ends), not that a window sends one.
    ASSERT_FALSE(sql.contains('\n')) << name << " contains a line feed";

    TRemoteUdpDataSet data;
    data.setSetupUdpParent(connection_.get());
    data.SetSQL(sql);
    try {
        if (sql.startsWith("insert", Qt::CaseInsensitive)) {
            EXPECT_EQ(data.ExecSQL(), 1) << name;
            return;
        }
        data.Open();
    } catch (const std::exception& e) {
        FAIL() << name << ": " << e.what();
    }
    ASSERT_TRUE(data.Active()) << name;
    if (const auto listed = manifest_.find(name); listed != manifest_.end())
        EXPECT_EQ(data.FieldNames(), listed->second) << name;
    if (name.ends_with(".plain.sql"))
        EXPECT_GT(data.GetRecordCount(), 0) << name << " returns no rows on the demo data";
}

// The charges year report crosses every month with the items and left-joins the sums, so its
// plain statement gives every month whatever the documents hold; a translation that loses the
// month table or the left join shows here even when the statement runs. (The other period
// windows' grids are checked against the demo data by their families' result suites.)
class PeriodGridTest : public CorpusTest {};

TEST_F(PeriodGridTest, ChargesYearGivesEveryMonth) {
    TRemoteUdpDataSet report;
    report.setSetupUdpParent(connection_.get());
    report.SetSQL(readText(kCorpusDir + "frm_SalpBchargesYear.plain.sql"));
    report.Open();
    std::set<QString> months;
    for (report.First(); !report.Eof(); report.Next())
        months.insert(report.Fields(0)->AsString());
    EXPECT_EQ(months.size(), 12u);
}

std::string caseName(const ::testing::TestParamInfo<std::string>& info) {
    std::string out = info.param.substr(0, info.param.size() - 4);  // without ".sql"
    for (char& c : out) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Statements, CorpusTest, ::testing::ValuesIn(corpusFiles()), caseName);

// The corpus itself: every report window of the host's menu has its plain statement, and the
// column manifest names only files that exist, so a renamed or dropped file cannot silently skip
// its column check.
TEST(CorpusContents, EveryWindowAndManifestEntryHasItsFile) {
    int windows = 0;
    for (const QString& line : readText(MORVANE_MENU_TSV).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('#'))
            continue;
        ++windows;
        const QString file = line.section('\t', 0, 0) + ".plain.sql";
        EXPECT_TRUE(QFile::exists(kCorpusDir + file)) << file.toStdString();
    }
    EXPECT_EQ(windows, 43);
    for (const auto& [name, columns] : columnManifest()) {
        EXPECT_TRUE(fs::exists(kCorpusDir.toStdString() + name))
            << name << " is listed in columns.tsv";
        EXPECT_FALSE(columns.isEmpty()) << name;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
