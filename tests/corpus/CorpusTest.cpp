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
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kCorpusDir{MORVANE_CORPUS_DIR};
const fs::path kDemoDb{MORVANE_CORPUS_DB};

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(kCorpusDir, ec)) {
        if (entry.path().extension() == ".sql") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// file name -> result column names, from columns.tsv (name TAB col TAB col ...).
std::map<std::string, std::vector<std::string>> columnManifest() {
    std::map<std::string, std::vector<std::string>> manifest;
    std::istringstream lines(readFile(kCorpusDir / "columns.tsv"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty()) {
            continue;
        }
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
             start = tab + 1) {
            cells.push_back(line.substr(start, tab - start));
        }
        cells.push_back(line.substr(start));
        const std::string name = cells.front();
        cells.erase(cells.begin());
        manifest[name] = cells;
    }
    return manifest;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool isInsert(const std::string& sql) {
    std::string head = sql.substr(0, 6);
    std::transform(head.begin(), head.end(), head.begin(), ::tolower);
    return head == "insert";
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
    static std::map<std::string, std::vector<std::string>> manifest_;
};

std::unique_ptr<TRemoteUdpConnection> CorpusTest::connection_;
std::map<std::string, std::vector<std::string>> CorpusTest::manifest_;

TEST_P(CorpusTest, RunsOnDemoDatabase) {
    const std::string name = GetParam();
    const std::string sql = readFile(kCorpusDir / name);
    ASSERT_FALSE(sql.empty()) << name;
    // A statement's line break is one carriage return; a line feed means the file was mangled
    // (an editor or a checkout converting line ends), not that a window sends one.
    ASSERT_EQ(sql.find('\n'), std::string::npos) << name << " contains a line feed";

    TRemoteUdpDataSet data;
    data.Close();
    data.setSetupUdpParent(connection_.get());
    data.SetSQL(QString::fromUtf8(sql.data(), static_cast<qsizetype>(sql.size())));

    if (isInsert(sql)) {
        std::int64_t changed = -1;
        try {
            changed = data.ExecSQL();
        } catch (const std::exception& e) {
            FAIL() << name << ": " << e.what();
        }
        EXPECT_EQ(changed, 1) << name;
        return;
    }

    try {
        data.Open();
    } catch (const std::exception& e) {
        FAIL() << name << ": " << e.what();
    }
    ASSERT_TRUE(data.Active()) << name;

    const auto listed = manifest_.find(name);
    if (listed != manifest_.end()) {
        QStringList expected;
        for (const auto& column : listed->second) {
            expected << QString::fromStdString(column);
        }
        EXPECT_EQ(data.FieldNames(), expected) << name;
    }
    if (endsWith(name, ".plain.sql")) {
        EXPECT_GT(data.GetRecordCount(), 0) << name << " returns no rows on the demo data";
    }
    data.Close();
}

// The period reports cross every partner with every day (or month) and left-join the sums, so
// their plain statements return exactly partners x periods rows, whatever the documents hold.
// A translation that loses the cross join, the day table or the left join shows here as a
// wrong row count even when the statement runs.
struct PeriodGrid {
    const char* file;
    const char* partners;  // statement counting the partners of the outer part
    int periods;           // days of March 2025, or months
};

const PeriodGrid kPeriodGrids[] = {
    {"frm_OLAPSaleMonth.plain.sql",
     "select count(*) from dt_client where fcode in(select fclientcode from d_sale)", 31},
    {"frm_OLAPRetailMonth.plain.sql",
     "select count(*) from dt_client where fcode in(select fclientcode from d_s_sale)", 31},
    {"frm_OLAPRecevingMonth.plain.sql",
     "select count(*) from dt_supplier where fcode in(select fsuppliercode from d_receving)", 31},
    {"frm_OLAPPaymentMonth.plain.sql",
     "select count(*) from dt_client where fcode in(select fclientcode from d_payment)", 31},
    {"frm_OLAPPaymentsMonth.plain.sql",
     "select count(*) from dt_supplier where fcode in(select fsuppliercode from d_payments)", 31},
    {"frm_OLAPClientYear.plain.sql",
     "select count(*) from dt_client where fmathod not in('自营','专柜')", 12},
    {"frm_OLAPClientMonth.plain.sql",
     "select count(*) from dt_client where fmathod not in('自营','专柜')", 31},
    {"frm_SalpBchargesYear.plain.sql", nullptr, 12},
    {"frm_OLAPEmpSaleMonth.plain.sql", nullptr, 31},
};

class PeriodGridTest : public CorpusTest {};

TEST_F(PeriodGridTest, PlainStatementsReturnPartnersTimesPeriods) {
    for (const PeriodGrid& grid : kPeriodGrids) {
        SCOPED_TRACE(grid.file);
        int partners = 1;
        if (grid.partners != nullptr) {
            TRemoteUdpDataSet count;
            count.setSetupUdpParent(connection_.get());
            count.SetSQL(QString::fromUtf8(grid.partners));
            count.Open();
            partners = count.Fields(0)->AsInteger();
            ASSERT_GT(partners, 0);
        }
        const std::string sql = readFile(kCorpusDir / grid.file);
        TRemoteUdpDataSet report;
        report.setSetupUdpParent(connection_.get());
        report.SetSQL(QString::fromUtf8(sql.data(), static_cast<qsizetype>(sql.size())));
        report.Open();
        if (grid.partners != nullptr) {
            EXPECT_EQ(report.GetRecordCount(), partners * grid.periods);
        } else {
            // One row per period at least (more where several items or assistants share one).
            std::set<QString> labels;
            for (report.First(); !report.Eof(); report.Next()) {
                labels.insert(report.Fields(0)->AsString());
            }
            EXPECT_EQ(static_cast<int>(labels.size()), grid.periods);
        }
    }
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

// The corpus itself: every report window has its plain statement, and the column manifest names
// only files that exist, so a renamed or dropped file cannot silently skip its column check.
TEST(CorpusContents, EveryWindowAndManifestEntryHasItsFile) {
    const char* windows[] = {
        "frm_OLAPHouseStockDis", "frm_OLAPMyShopStock",    "frm_OLAPclientStock",
        "frm_RationSort",        "frm_OLAPorder",          "frm_OLAPSale",
        "frm_OLAPorderDis",      "frm_OLAPOrderSort",      "frm_OLAPAllStock",
        "frm_OLAPsaleDisc",      "frm_OLAPRetailDisc",     "frm_OLAPPaymentMonth",
        "frm_OLAPSaleMonth",     "frm_OLAPRecevingMonth",  "frm_OLAPPaymentsMonth",
        "frm_OLAPPaymentsYear",  "frm_OLAPPaymentYear",    "frm_OLAPSaleYear",
        "frm_OLAPRecevingYear",  "frm_OLAPRetailMonth",    "frm_OLAPRetailYear",
        "frm_OLAPClientYear",    "frm_OLAPClientMonth",    "frm_OLAPEmpSaleYear",
        "frm_OLAPEmpSaleMonth",  "frm_OLAPRetailDiscount", "frm_SaLp_SortPrice",
        "frm_SaLp_DeliSort",     "frm_SaLp_GoodsPrice",    "frm_SaLp_ShopSort",
        "frm_SaLp_SaleSort",     "frm_SaLp_RetailStock",   "frm_SaLp_RatialStockSort",
        "frm_SaLp_SalePurchase", "frm_SalPBchargesDay",    "frm_SalpBchargesMonth",
        "frm_SsaleRece",         "frm_OLAPknufeTrance",    "frm_NewGoodsRetail",
        "frm_ShopGoodsTotal",    "frm_SalpBchargesYear",   "frm_GmKnufeEmp",
        "frm_KnufeFlagDay",
    };
    ASSERT_EQ(std::size(windows), 43u);
    for (const char* window : windows) {
        EXPECT_TRUE(fs::exists(kCorpusDir / (std::string(window) + ".plain.sql"))) << window;
    }
    for (const auto& [name, columns] : columnManifest()) {
        EXPECT_TRUE(fs::exists(kCorpusDir / name)) << name << " is listed in columns.tsv";
        EXPECT_FALSE(columns.empty()) << name;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
