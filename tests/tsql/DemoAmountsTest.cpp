// Money on the demo database, through the statements the windows send (the
// statement corpus): amounts are the exact decimal sums of the raw lines, and
// a client whose sales and returns cancel nets exactly 0, so that the
// zero-blanking of the grid and the workbook see a real zero.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include <unistd.h>

#include "demo/DemoGenerator.h"
#include "platform/tsql/SqliteFunctions.h"
#include "platform/tsql/Translator.h"
#include "tests/tsql/SqliteTestDb.h"

namespace morvane::tsql {
namespace {

namespace fs = std::filesystem;

std::string corpusStatement(const std::string& name) {
    return test::readFile(fs::path(MORVANE_SOURCE_DIR) / "tests" / "corpus" / "data" / name);
}

// A decimal of at most 4 places held as units of 0.0001: the value a REAL
// money column stands for, taken from its 15 significant digits.
std::int64_t tenThousandths(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    std::int64_t units = 0;
    int places = -1;
    bool negative = false;
    for (const char* p = text; *p; ++p) {
        if (*p == '-') {
            negative = true;
        } else if (*p == '.') {
            places = 0;
        } else {
            units = units * 10 + (*p - '0');
            places += places >= 0 ? 1 : 0;
        }
    }
    EXPECT_LE(places, 4) << text;
    for (int i = std::max(places, 0); i < 4; ++i) {
        units *= 10;
    }
    return negative ? -units : units;
}

// The double nearest to units / 10000.
double nearestDouble(std::int64_t units) {
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld.%04lld", units < 0 ? "-" : "",
                  static_cast<long long>(std::llabs(units) / 10000),
                  static_cast<long long>(std::llabs(units) % 10000));
    return std::strtod(text, nullptr);
}

class DemoAmounts : public testing::Test {
  protected:
    // A scale-1 demo database, generated once for the suite and copied into
    // memory, so the tests may add rows.
    static void SetUpTestSuite() {
        const fs::path file =
            fs::temp_directory_path() / ("morvane-tsql-demo-" + std::to_string(::getpid()) + ".db");
        demo::DemoOptions options;
        options.scale = 1;
        demo::generateDemoDatabase(file.string(), options);
        sqlite3* disk = nullptr;
        ASSERT_EQ(sqlite3_open_v2(file.c_str(), &disk, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        registerSqliteFunctions(disk);  // the schema names the collation tsql_ci
        source_ = std::make_unique<test::SqliteTestDb>();
        sqlite3_backup* backup = sqlite3_backup_init(source_->handle(), "main", disk, "main");
        ASSERT_NE(backup, nullptr);
        sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        sqlite3_close(disk);
        fs::remove(file);
    }
    static void TearDownTestSuite() { source_.reset(); }

    static std::unique_ptr<test::SqliteTestDb> source_;
};

std::unique_ptr<test::SqliteTestDb> DemoAmounts::source_;

// Column index by name in a result.
size_t column(const test::Result& r, const std::string& name) {
    for (size_t i = 0; i < r.columns.size(); ++i) {
        if (r.columns[i] == name) {
            return i;
        }
    }
    ADD_FAILURE() << "no column " << name;
    return 0;
}

TEST_F(DemoAmounts, SaleAmountsAreTheExactDecimalSumsOfTheLines) {
    test::SqliteTestDb& db = *source_;
    // The raw posted lines of March 2025, summed exactly per client and day.
    std::map<std::pair<std::string, std::string>, std::int64_t> exact;
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(),
                                 "select b.fclientcode, b.fbilldate, a.qty, a.fbalancprice "
                                 "from d_saledetail a join d_sale b on a.fbillid=b.fbillid "
                                 "where b.fposted=1 and b.fbilldate like '2025-03-%'",
                                 -1, &st, nullptr),
              SQLITE_OK);
    while (sqlite3_step(st) == SQLITE_ROW) {
        const std::string client = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        const std::string day = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        exact[{client, day}] +=
            sqlite3_column_int64(st, 2) * tenThousandths(sqlite3_column_double(st, 3));
    }
    sqlite3_finalize(st);
    ASSERT_GT(exact.size(), 20u);

    const test::Result r = db.run(corpusStatement("frm_OLAPSaleMonth.plain.sql"));
    const size_t client = column(r, "客户编号"), day = column(r, "fbilldate"),
                 amount = column(r, "金额");
    size_t compared = 0;
    for (const auto& row : r.rows) {
        const auto it = exact.find({row[client].text, row[day].text});
        if (it == exact.end()) {
            EXPECT_EQ(row[amount].type, SQLITE_NULL);
            continue;
        }
        ++compared;
        EXPECT_EQ(row[amount].text, test::realText(nearestDouble(it->second)))
            << row[client].text << " " << row[day].text;
    }
    EXPECT_EQ(compared, exact.size());
}

TEST_F(DemoAmounts, CancellingSalesAndReturnsNetExactlyZero) {
    test::SqliteTestDb& db = *source_;
    // A franchise client sells two lines on 2025-03-10 (10.1 + 20.2, which
    // binary addition makes 30.299999999999997) and takes both pieces back at
    // 15.15 each (30.3) the same day.
    db.execSqlite(R"sql(
        insert into dt_client(fcode, fname, fabbrev, fmathod, fgrad)
            values('ZZ900', '对冲测试', '对冲', '加盟', '经销商');
        insert into d_sale(fbillid, fclientcode, fbilldate, fposted)
            values('ZZSALE', 'ZZ900', '2025-03-10', 1);
        insert into d_saledetail(fbillid, fgoodsid, qty, fbalancprice)
            values('ZZSALE', 'G1', 1, 10.1), ('ZZSALE', 'G2', 1, 20.2);
        insert into d_salereturn(fbillid, fclientcode, fbilldate, fposted)
            values('ZZRET', 'ZZ900', '2025-03-10', 1);
        insert into d_salereturndetail(fbillid, fgoodsid, qty, fbalancprice)
            values('ZZRET', 'G1', 2, 15.15);
    )sql");
    struct Window {
        const char* statement;
        const char* periodColumn;
        const char* period;
    };
    for (const Window& w : {Window{"frm_OLAPClientMonth.plain.sql", "日期", "10日"},
                            Window{"frm_OLAPClientYear.plain.sql", "月份", "03月"}}) {
        SCOPED_TRACE(w.statement);
        const test::Result r = db.run(corpusStatement(w.statement));
        const size_t client = column(r, "客户编号"), period = column(r, w.periodColumn);
        bool found = false;
        for (const auto& row : r.rows) {
            if (row[client].text != "ZZ900" || row[period].text != w.period) {
                continue;
            }
            found = true;
            EXPECT_EQ(row[column(r, "销售金额")].text, "30.3");
            EXPECT_EQ(row[column(r, "退货金额")].text, "30.3");
            EXPECT_EQ(row[column(r, "净出货数量")].text, "0");
            const test::Cell& net = row[column(r, "净出货金额")];
            EXPECT_EQ(net.type, SQLITE_FLOAT);
            EXPECT_EQ(net.text, "0.0");
        }
        EXPECT_TRUE(found);
    }
}

}  // namespace
}  // namespace morvane::tsql
