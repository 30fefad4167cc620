// The stock windows' results on the demo data against hand-written queries: quantity and tag
// amount per place, which places and kinds each window covers, shares and sizes.

#include <QCheckBox>

#include <map>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "reports/stock/unt_OLAPAllStock.h"
#include "reports/stock/unt_OLAPHouseStockDis.h"
#include "reports/stock/unt_OLAPMyShopStock.h"
#include "reports/stock/unt_OLAPclientStock.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

struct Totals {
    double qty = 0;
    double amount = 0;
};
using PlaceTotals = std::map<QString, Totals>;  // place code (or kind|code) -> totals

// The hand-written sums: stock rows whose goods and colour the goods view lists, per place,
// valued at the tag price.
const char* const kHouseSums =
    "select s.fhousecode,sum(s.qty),sum(s.qty*g.unitprice) from stock s "
    "join dt_house h on h.fcode=s.fhousecode "
    "join vgoodscolor g on g.goodsid=s.fgoodsid and g.colorid=s.fcolorid group by s.fhousecode";
// Shop sums; %1 narrows dt_client k.
const char* const kShopSums =
    "select s.fclientcode,sum(s.qty),sum(s.qty*g.unitprice) from s_stock s "
    "join dt_client k on k.fcode=s.fclientcode "
    "join vgoodscolor g on g.goodsid=s.fgoodsid and g.colorid=s.fcolorid "
    "where %1 group by s.fclientcode";

class StockResults : public ReportTest {
  protected:
    PlaceTotals Expected(const QString& sql) {
        PlaceTotals out;
        for (const QStringList& r : Rows(sql))
            out[r[0]] = {r[1].toDouble(), r[2].toDouble()};
        return out;
    }
    static PlaceTotals Got(Tbase_OLAPreport* w, const QStringList& keys, const QString& qty) {
        PlaceTotals out;
        for (const QStringList& r : ReportRows(w, keys + QStringList{qty, "吊牌金额"})) {
            Totals& t = out[r.mid(0, keys.size()).join("")];
            t.qty += r[keys.size()].toDouble();
            t.amount += r[keys.size() + 1].toDouble();
        }
        return out;
    }
    static void ExpectSame(const PlaceTotals& got, const PlaceTotals& want, const char* what) {
        ASSERT_FALSE(want.empty()) << what;
        ASSERT_EQ(got.size(), want.size()) << what;
        for (const auto& [place, t] : want) {
            ASSERT_TRUE(got.count(place)) << what << " lacks " << place.toStdString();
            EXPECT_EQ(got.at(place).qty, t.qty) << what << " " << place.toStdString();
            EXPECT_NEAR(got.at(place).amount, t.amount, 1e-6 * qMax(1.0, t.amount))
                << what << " " << place.toStdString();
        }
    }
};

TEST_F(StockResults, EachWindowSumsThePlacesOfItsKindAndNoOthers) {
    // A client of no kind (staff purchases) holding stock, which only the all-places window
    // shows.
    const QString db = DemoCopy();
    ExecOnFile(
        db,
        "insert into s_stock select 'QT001',fgoodsid,fcolorid,qty,s1,s2,s3,s4,s5,s6,s7,s8,s9,s10 "
        "from s_stock where fclientcode='ZY001' limit 3");
    StartSession(QStringLiteral("001"), db);
    const QString own = "k.fmathod in('自营','专柜')";
    const QString franchise = "k.fmathod not in('自营','专柜')";
    const QString noKind = "k.fmathod is null";
    const PlaceTotals houses = Expected(kHouseSums);
    const PlaceTotals shops = Expected(QString(kShopSums).arg(own));
    const PlaceTotals franchisees = Expected(QString(kShopSums).arg(franchise));
    // The places the statements must leave out exist: warehouses and clients without stock.
    ASSERT_GT(
        Rows("select count(*) from dt_house where fcode not in(select fhousecode from stock)")[0][0]
            .toInt(),
        0);
    ASSERT_GT(
        Rows("select count(*) from dt_client where fcode not in(select fclientcode from s_stock)")
            [0][0]
                .toInt(),
        0);
    const PlaceTotals kindless = Expected(QString(kShopSums).arg(noKind));
    ASSERT_EQ(kindless.size(), 1u);

    Tbase_OLAPreport* w = Open<Tfrm_OLAPHouseStockDis>();
    Run(w);
    ExpectSame(Got(w, {"仓库编号"}, "数量"), houses, "warehouses");
    w = Open<Tfrm_OLAPMyShopStock>();
    Run(w);
    ExpectSame(Got(w, {"店铺编号"}, "数量"), shops, "own shops");
    w = Open<Tfrm_OLAPclientStock>();
    Run(w);
    ExpectSame(Got(w, {"客户编号"}, "数量"), franchisees, "franchisees");

    // All places at once, by kind: clients of no kind count as franchisees there.
    PlaceTotals all;
    for (const auto& [p, t] : houses)
        all["仓库库存" + p] = t;
    for (const auto& [p, t] : shops)
        all["自营店库存" + p] = t;
    for (const auto& [p, t] : franchisees)
        all["加盟商库存" + p] = t;
    for (const auto& [p, t] : kindless)
        all["加盟商库存" + p] = t;
    w = Open<Tfrm_OLAPAllStock>();
    Run(w);
    ExpectSame(Got(w, {"库存类别", "编号"}, "数量"), all, "all places");

    // The warehouse picker narrows the warehouses only, the shop picker the clients only.
    w->sel_house = "'CK01'";
    w->sel_client = "'JM001'";
    Run(w);
    const PlaceTotals picked = Got(w, {"库存类别", "编号"}, "数量");
    ExpectSame(picked,
               {{"仓库库存CK01", houses.at("CK01")}, {"加盟商库存JM001", franchisees.at("JM001")}},
               "picked places");
}

TEST_F(StockResults, SizesAddUpToTheQuantityOfEachRow) {
    // The warehouse window's size columns 尺码1..10 against 数量.
    Tbase_OLAPreport* w = Open<Tfrm_OLAPHouseStockDis>();
    w->sizecheck->setChecked(true);
    Run(w);
    QStringList columns{"数量"};
    for (int i = 1; i <= 10; ++i)
        columns << QStringLiteral("尺码%1").arg(i);
    int rows = 0;
    for (const QStringList& r : ReportRows(w, columns)) {
        double sum = 0;
        for (int i = 1; i < r.size(); ++i)
            sum += r[i].toDouble();
        ASSERT_EQ(sum, r[0].toDouble()) << r.join(' ').toStdString();
        ++rows;
    }
    EXPECT_GT(rows, 0);

    // All places: one column per size name of the size class with the highest position, in
    // display order, then 合计; every place's total as without sizes.
    auto* all = Open<Tfrm_OLAPAllStock>();
    Run(all);
    const PlaceTotals plain = Got(all, {"库存类别", "编号", "货号", "颜色编号"}, "数量");
    all->cxCheckBox1->setChecked(true);
    Run(all);
    QStringList names;
    for (const QStringList& r :
         Rows("select size_name from ba_size where size_class=(select size_class from ba_size "
              "where displayindex=(select max(displayindex) from ba_size)) order by displayindex"))
        names << r[0];
    ASSERT_EQ(names.size(), 10);
    ExpectSame(Got(all, {"库存类别", "编号", "货号", "颜色编号"}, "合计"), plain, "sized places");
    for (const QStringList& r : ReportRows(all, QStringList{"合计"} + names)) {
        double sum = 0;
        for (int i = 1; i < r.size(); ++i)
            sum += r[i].toDouble();
        ASSERT_EQ(sum, r[0].toDouble()) << r.join(' ').toStdString();
    }
}

TEST_F(StockResults, ShareCellsOfARowMakeAHundredPercent) {
    Tbase_OLAPreport* w = Open<Tfrm_OLAPHouseStockDis>();
    Run(w);
    pivot::PivotEngine& view = w->OLAP_PivotGrid->ViewData();
    const pivot::PivotField* sort = view.fieldByName("类别");
    ASSERT_NE(sort, nullptr);
    ASSERT_GT(view.rowCount(), 1);
    for (int r = 0; r < view.rowCount(); ++r) {
        double sum = 0;
        QString total;
        for (int c = 0; c < view.columnCount(); ++c) {
            const pivot::PivotField* f = view.cellDataField(r, c);
            if (!f || f->name() != "比例")
                continue;
            const QString text = view.drawCell(r, c).text;
            if (!view.columnGroupValue(c, *sort))
                total = text;
            else if (!text.isEmpty())
                sum += text.chopped(1).toDouble();
        }
        // Each share is rounded to a hundredth of a percent.
        EXPECT_NEAR(sum, 100.0, 0.01 * view.columnCount()) << "row " << r;
        EXPECT_EQ(total, "100%") << "row " << r;
    }
}

}  // namespace
}  // namespace morvane::test
