// Whole report statements as the windows concatenate them, with one carriage
// return as the line break. data/reports/<name>.tsql holds the statement
// with LF standing for CR (so the files stay readable); <name>.sql is the
// SQLite text expected. The translations must also prepare on a database
// that has the tables they read, which catches SQL the golden text misses.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/tsql/Translator.h"
#include "tests/tsql/SqliteTestDb.h"

namespace morvane::tsql {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> reportNames() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(MORVANE_TSQL_TEST_DATA) / "reports")) {
        if (e.path().extension() == ".tsql") {
            names.push_back(e.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The tables and views the report statements read, with the columns they use.
constexpr const char* kReportSchema = R"sql(
create table dt_client(fcode text collate tsql_ci, fabbrev text, fmathod text, fgrad text);
create table dt_supplier(fcode text collate tsql_ci, fabbrev text);
create table dt_house(fcode text collate tsql_ci, fname text);
create table d_sale(fbillid text, fclientcode text collate tsql_ci, fhousecode text, fbilldate text, fposted int);
create table d_saledetail(fbillid text, fgoodsid text, qty int, fbalancprice real);
create table d_s_sale(fbillid text, fclientcode text collate tsql_ci, fbilldate text, fposted int);
create table d_s_saledetail(fbillid text, fgoodsid text, fcolorid text, qty int, fbalancprice real, s1 int, s2 int, s3 int, s4 int, s5 int, s6 int, s7 int, s8 int, s9 int, s10 int);
create table d_s_recevingdetail(fbillid text, fgoodsid text, fcolorid text, qty int, fbalancprice real, s1 int, s2 int, s3 int, s4 int, s5 int, s6 int, s7 int, s8 int, s9 int, s10 int);
create table d_s_folddetail(fbillid text, fgoodsid text, fcolorid text, qty int, fbalancprice real, s1 int, s2 int, s3 int, s4 int, s5 int, s6 int, s7 int, s8 int, s9 int, s10 int);
create table d_s_pureturndetail(fbillid text, fgoodsid text, fcolorid text, qty int, fbalancprice real, s1 int, s2 int, s3 int, s4 int, s5 int, s6 int, s7 int, s8 int, s9 int, s10 int);
create table d_s_transferdetail(fbillid text, fgoodsid text, fcolorid text, qty int, fbalancprice real, s1 int, s2 int, s3 int, s4 int, s5 int, s6 int, s7 int, s8 int, s9 int, s10 int);
create table d_s_receving(fbillid text, fclientcode text collate tsql_ci, fbilldate text, fposted int);
create table d_s_fold(fbillid text, fclientcode text collate tsql_ci, fbilldate text, fposted int);
create table d_s_pureturn(fbillid text, fclientcode text collate tsql_ci, fbilldate text, fposted int);
create table d_s_transfer(fbillid text, fclientcode text collate tsql_ci, fbilldate text, fposted int);
create table d_receving(fbillid text, fsuppliercode text, fhousecode text, fbilldate text, fposted int);
create table d_recevingdetail(fbillid text, fgoodsid text, qty int, fbalancprice real);
create table goods(goodsid text collate tsql_ci, goodsname text, brand text, ayear text, season text, sort text, unitprice real);
create table vgoodscolor(goodsid text, colorid text, goodsname text, colorname_ch text, brand text, ayear text, season text, sort text, sex text, item text, style text, masterial text, patter text, size_class text, unitprice real);
create table stock(fhousecode text, fgoodsid text, fcolorid text, qty int);
create table s_stock(fclientcode text, fgoodsid text, fcolorid text, qty int, s1 int, s2 int, s3 int, s4 int, s5 int, s6 int, s7 int, s8 int, s9 int, s10 int);
create table v_clientprice(fclientcode text, fgoodsid text, planprice real);
create table gm_proroll(fbillid text, fknufeid text, fcutno text, fgoodsid text, fadd_date text, fprocedue_no text, fquantity_2 int, femployeeid text);
create table gm_procount(fproduceid text, fknufeid text, fadd_date text, fprocedue_no text, fquantity int, femploycode text);
create table gm_knufe(fbillid text, fproduceid text, fcutno text, fgoodsid text);
create table V_produceOfBill(fbillid text, fprocedureid text, fprocedurename text);
create table dr_right(autoid int, listname text);
create table dr_rightdetail(autoid int, groupid text, b_add int, b_edit int, b_del int, b_browse int, b_posted int, b_print int, b_excel int, b_unposted int);
create table usermainde(fgroupid text, userno text);
)sql";

class ReportStatement : public testing::TestWithParam<std::string> {};

TEST_P(ReportStatement, TranslatesToTheGoldenTextThatPrepares) {
    fs::path dir = fs::path(MORVANE_TSQL_TEST_DATA) / "reports";
    std::string tsql = readFile(dir / (GetParam() + ".tsql"));
    std::replace(tsql.begin(), tsql.end(), '\n', '\r');
    std::string expected = readFile(dir / (GetParam() + ".sql"));
    while (!expected.empty() && expected.back() == '\n') {
        expected.pop_back();
    }
    std::string sql = translate(tsql);
    EXPECT_EQ(sql, expected);

    test::SqliteTestDb db;
    db.execSqlite(kReportSchema);
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db.handle());
    sqlite3_finalize(st);
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportStatement, testing::ValuesIn(reportNames()),
                         [](const auto& info) { return info.param; });

// The statement corpus of the windows (tests/corpus/data), when present: every
// statement the plug-in sends must translate.
TEST(StatementCorpus, EveryStatementTranslates) {
    fs::path dir = fs::path(MORVANE_SOURCE_DIR) / "tests" / "corpus" / "data";
    if (!fs::exists(dir)) {
        GTEST_SKIP() << "no statement corpus";
    }
    int count = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().extension() != ".sql") {
            continue;
        }
        ++count;
        try {
            translate(readFile(e.path()));
        } catch (const TranslationError& err) {
            ADD_FAILURE() << e.path().filename() << ": " << err.what();
        }
    }
    EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace morvane::tsql
