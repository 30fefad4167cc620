// The windows' results on the demo database against hand-written SQL: category totals, price
// bands (goods without a band as 其他), style counts, retail beside stock, and the
// stock-to-sales ratio cells of a shop's goods computed apart.

#include <QComboBox>
#include <QDateEdit>
#include <QRegularExpression>

#include <cmath>
#include <map>

#include "platform/db/RemoteUdpDataSet.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

// The band of goods g by its tag price, written apart from the view the windows read.
const std::string kBand =
    "coalesce((select r.fname from ba_pricerange r where g.unitprice>=r.fminprice and "
    "g.unitprice<r.fmaxprice),'其他')";
// Retail of the first half of 2025 and current stock per shop and goods, as (shop, goods,
// sold, held).
const std::string kRetailAndStock =
    "(select shop,goods,sum(s) sold,sum(k) held from (select b.fclientcode shop,a.fgoodsid "
    "goods,a.qty s,0 k from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where "
    "b.fbilldate between '2025-01-01' and '2025-06-30' union all select fclientcode,fgoodsid,"
    "0,qty from s_stock) group by 1,2)";

// Rows summed per key (the first `keys` columns joined by "|"), rounded to cents.
std::map<QString, std::vector<double>> Sum(const std::vector<QStringList>& rows, int keys) {
    std::map<QString, std::vector<double>> out;
    for (const QStringList& r : rows) {
        std::vector<double>& sums = out[r.mid(0, keys).join('|')];
        sums.resize(r.size() - keys);
        for (int i = keys; i < r.size(); ++i)
            sums[i - keys] += r[i].toDouble();
    }
    for (auto& [key, sums] : out)
        for (double& v : sums)
            v = std::round(v * 100) / 100;
    return out;
}

class RankingResults : public ReportTest {
  protected:
    // The window over the first half of 2025, by the category given, for the shop given.
    Tbase_PivotWindow* RunWindow(const char* name, const char* category,
                                 const QString& shop = QString()) {
        Tbase_PivotWindow* w = OpenPivot(QString::fromLatin1(name));
        w->bill_date1->setDate(QDate(2025, 1, 1));
        w->bill_date2->setDate(QDate(2025, 6, 30));
        if (auto* box = w->findChild<QComboBox*>("com_sort"))
            box->setCurrentText(QString::fromUtf8(category));
        if (!shop.isEmpty())
            w->sel_client = "'" + shop + "'";
        Run(w);
        return w;
    }
};

TEST_F(RankingResults, TotalsPriceBandsStyleCountsAndStockMatchPlainQueries) {
    const std::string posted =
        " and b.fposted=1 and b.fbilldate between '2025-01-01' and "
        "'2025-06-30' group by 1,2";
    const std::string wholesale =
        ",sum(a.qty),sum(a.qty*ifnull(a.fbalancprice,0)) from d_saledetail a join d_sale b on "
        "a.fbillid=b.fbillid join goods g on a.fgoodsid=g.goodsid join dt_client d on "
        "d.fcode=b.fclientcode where d.fmathod not in('自营','专柜')" +
        posted;
    const std::string retail =
        ",sum(a.qty),sum(a.qty*ifnull(a.fbalancprice,0)) from d_s_saledetail a join d_s_sale b "
        "on a.fbillid=b.fbillid join goods g on a.fgoodsid=g.goodsid where 1=1" +
        posted;
    const QStringList sales = {QStringLiteral("大类名称"), QStringLiteral("数量"),
                               QStringLiteral("金额")};
    const auto by = [&](const char* key) { return QStringList{QString::fromUtf8(key)} + sales; };
    const struct {
        const char* window;
        const char* category;
        QStringList columns;  // the key columns, then the measures
        int keys;
        std::string sql;  // plain SQLite giving the same columns
    } cases[] = {
        {"frm_SaLp_SaleSort", "类别", by("客户编号"), 2, "select b.fclientcode,g.sort" + wholesale},
        {"frm_SaLp_ShopSort", "品牌", by("店铺编号"), 2, "select b.fclientcode,g.brand" + retail},
        {"frm_SaLp_SortPrice", "类别", by("价位名称"), 2, "select " + kBand + ",g.sort" + retail},
        {"frm_SaLp_DeliSort", "季节", by("价位名称"), 2,
         "select " + kBand + ",g.season" + wholesale},
        {"frm_SaLp_GoodsPrice",
         "类别",
         {"价位名称", "大类名称", "品牌", "年份", "季节", "款号数"},
         5,
         "select " + kBand +
             ",g.sort,g.brand,g.ayear,g.season,count(*) from goods g group by "
             "1,2,3,4,5"},
        {"frm_SaLp_RatialStockSort",
         "面料",
         {"店铺编号", "大类名称", "零售数量", "店存数量"},
         2,
         "select t.shop,g.masterial,t.sold,t.held from " + kRetailAndStock +
             " t join goods g on g.goodsid=t.goods"},
        {"frm_SaLp_RetailStock",
         "",
         {"店铺编号", "货号", "零售数量", "店存数量"},
         2,
         "select shop,goods,sold,held from " + kRetailAndStock},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        const auto got = Sum(ReportRows(RunWindow(c.window, c.category), c.columns), c.keys);
        EXPECT_GT(got.size(), 3u);
        EXPECT_EQ(got, Sum(SqliteRows(QString::fromStdString(c.sql)), c.keys));
        // Goods above the last band are counted, as 其他.
        if (c.columns[0] == "价位名称")
            EXPECT_TRUE(std::any_of(got.begin(), got.end(),
                                    [](const auto& kv) { return kv.first.startsWith("其他|"); }));
    }
}

// For the shop holding the most goods: an item sold and stocked shows stock / retail as a
// percentage; one without retail shows nothing, one without stock a blanked 0. Per category
// the ratio divides two whole sums and keeps the whole part.
TEST_F(RankingResults, TheRatioCellsShowStockOverRetail) {
    const QString shop =
        SqliteRows("select fclientcode from s_stock group by 1 order by count(*) desc limit 1")
            .at(0)
            .at(0);
    QStringList both, unsold, gone;  // goods, sold, held
    for (const QStringList& r : SqliteRows(
             QString::fromStdString("select goods,sold,held from " + kRetailAndStock +
                                    " where shop='" + shop.toStdString() + "' order by 1"))) {
        const int sold = r[1].toInt(), held = r[2].toInt();
        if (sold > 0 && held > 0 && held % sold != 0 && both.isEmpty())
            both = r;
        if (sold == 0 && held > 0 && unsold.isEmpty())
            unsold = r;
        if (sold > 0 && held == 0 && gone.isEmpty())
            gone = r;
    }
    ASSERT_FALSE(both.isEmpty() || unsold.isEmpty() || gone.isEmpty()) << shop.toStdString();

    Tbase_PivotWindow* w = OpenPivot(QStringLiteral("frm_SaLp_RetailStock"));
    w->bill_date1->setDate(QDate(2025, 1, 1));
    w->bill_date2->setDate(QDate(2025, 6, 30));
    w->sel_client = "'" + shop + "'";
    w->sel_goods = "'" + both[0] + "','" + unsold[0] + "','" + gone[0] + "'";
    Run(w);
    const QStringList lines = w->ResultText().split('\n');
    int column = -1;
    for (int i = 0; i < lines.size() && column < 0; ++i)
        column = lines[i].split('\t').indexOf(QStringLiteral("存销比"));
    const auto cell = [&](const QString& goods) {
        const QStringList line = lines.filter(QRegularExpression("^" + goods + "\t"));
        return line.isEmpty() ? QStringLiteral("<no row>") : line[0].split('\t').value(column);
    };
    const double ratio = std::round(both[2].toDouble() / both[1].toDouble() * 10000) / 10000;
    EXPECT_EQ(cell(both[0]).toStdString(),
              (QString::number(ratio * 100, 'g', 15) + "%").toStdString());
    EXPECT_EQ(cell(unsold[0]).toStdString(), "");
    EXPECT_EQ(cell(gone[0]).toStdString(), "");

    int checked = 0;
    w = RunWindow("frm_SaLp_RatialStockSort", "类别", shop);
    for (const QStringList& r : ReportRows(w, {"零售数量", "店存数量", "存销比"})) {
        if (r[0].toInt() == 0) {
            EXPECT_EQ(r[2], "");
        } else {
            EXPECT_EQ(r[2].toDouble(), double(r[1].toInt() / r[0].toInt()))
                << r.join('|').toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace morvane::test
