// The order, sale, allocation and batch windows' results on the demo data against
// hand-written queries: document lines in a date range with and without unposted documents,
// price bands, and a receipt batch's sales and stock per shop.

#include <QCheckBox>
#include <QDateEdit>

#include <functional>
#include <map>
#include <tuple>

#include "platform/db/RemoteUdpDataSet.h"
#include "reports/order/unt_OLAPOrderSort.h"
#include "reports/order/unt_OLAPSale.h"
#include "reports/order/unt_OLAPorder.h"
#include "reports/order/unt_OLAPorderDis.h"
#include "reports/order/unt_RationSort.h"
#include "reports/order/unt_SsaleRece.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

using Sums = std::map<QString, QStringList>;  // key -> figures to the cent

// A figure to the cent; NULL (empty) stays empty.
QString Cents(const QString& figure) {
    return figure.isEmpty() ? figure : QString::number(figure.toDouble(), 'f', 2);
}

class OrderResults : public ReportTest {
  protected:
    // The hand-written query's rows: the first `keys` columns make the key.
    Sums Expected(const QString& sql, int keys = 1) {
        Sums out;
        for (const QStringList& r : Rows(sql)) {
            QStringList& figures = out[r.mid(0, keys).join('|')];
            for (const QString& f : r.mid(keys))
                figures << Cents(f);
        }
        return out;
    }
    // The report rows summed per key.
    static Sums Got(Tbase_OLAPreport* w, const QStringList& keys, const QStringList& figures) {
        std::map<QString, std::vector<double>> sums;
        for (const QStringList& r : ReportRows(w, keys + figures)) {
            std::vector<double>& s = sums[r.mid(0, keys.size()).join('|')];
            s.resize(figures.size());
            for (int i = 0; i < figures.size(); ++i)
                s[i] += r[keys.size() + i].toDouble();
        }
        Sums out;
        for (const auto& [k, s] : sums)
            for (double v : s)
                out[k] << Cents(QString::number(v, 'g', 17));
        return out;
    }
    static void SetDates(QDateEdit* from, QDateEdit* to, const char* d1, const char* d2) {
        from->setDate(QDate::fromString(d1, Qt::ISODate));
        to->setDate(QDate::fromString(d2, Qt::ISODate));
    }
};

TEST_F(OrderResults, LinesOfARangeCountUnpostedDocumentsUnlessPostedIsTicked) {
    auto order = [this] { return static_cast<Tbase_OLAPreport*>(Open<Tfrm_OLAPorder>()); };
    auto sale = [this] { return static_cast<Tbase_OLAPreport*>(Open<Tfrm_OLAPSale>()); };
    auto spread = [this] { return static_cast<Tbase_OLAPreport*>(Open<Tfrm_OLAPorderDis>()); };
    const std::vector<std::tuple<std::function<Tbase_OLAPreport*()>, QString, QString>> cases = {
        {order, "d_order", "d_orderdetail"},
        {sale, "d_sale", "d_saledetail"},
        {spread, "d_order", "d_orderdetail"}};
    for (const auto& [open, head, detail] : cases) {
        SCOPED_TRACE(head.toStdString());
        // December 2026 holds unposted documents of both kinds.
        const QString range = " and h.fbilldate>='2026-12-01' and h.fbilldate<='2026-12-31'";
        ASSERT_GT(Rows("select count(*) from " + head + " h where fposted=0" + range)[0][0].toInt(),
                  0);
        auto want = [&](const QString& more) {
            return Expected(
                "select h.fclientcode,sum(l.qty),sum(l.qty*l.fbalancprice)"
                " from " +
                detail + " l join " + head + " h on h.fbillid=l.fbillid" +
                " join dt_client k on k.fcode=h.fclientcode" +
                " join vgoodscolor g on g.goodsid=l.fgoodsid and g.colorid=l.fcolorid" +
                " where 1=1" + range + more + " group by h.fclientcode");
        };
        Tbase_OLAPreport* w = open();
        SetDates(w->bill_date1, w->bill_date2, "2026-12-01", "2026-12-31");
        Run(w);
        const Sums all = want("");
        EXPECT_EQ(Got(w, {"客户编号"}, {"数量", "金额"}), all);

        // Both ranges must hold.
        w->modidate_check->setChecked(true);
        SetDates(w->input_date1, w->input_date2, "2026-12-05", "2026-12-20");
        Run(w);
        EXPECT_EQ(Got(w, {"客户编号"}, {"数量", "金额"}),
                  want(" and h.finputdate>='2026-12-05' and h.finputdate<='2026-12-20'"));
        w->modidate_check->setChecked(false);

        // Posted only, where the window offers the switch.
        if (w->postedcheck->isVisibleTo(w)) {
            w->postedcheck->setChecked(true);
            Run(w);
            const Sums posted = want(" and h.fposted=1");
            EXPECT_EQ(Got(w, {"客户编号"}, {"数量", "金额"}), posted);
            EXPECT_NE(posted, all);
        }
    }
}

TEST_F(OrderResults, GoodsOutsideEveryPriceBandFallIntoOther) {
    ASSERT_GT(Rows("select count(*) from goods where goodsid not in(select goodsid from "
                   "V_GoodsPriceRange)")[0][0]
                  .toInt(),
              0);
    for (const QString& head : {QStringLiteral("d_order"), QStringLiteral("d_ration")}) {
        SCOPED_TRACE(head.toStdString());
        Tbase_OLAPreport* w = head == "d_order"
                                  ? static_cast<Tbase_OLAPreport*>(Open<Tfrm_OLAPOrderSort>())
                                  : Open<Tfrm_RationSort>();
        SetDates(w->bill_date1, w->bill_date2, "2025-01-01", "2025-12-31");
        Run(w);
        const Sums want = Expected(
            "select h.fclientcode,isnull(p.fname,'其他'),sum(l.qty),sum(l.qty*l.fbalancprice)"
            " from " +
                head + "detail l join " + head + " h on h.fbillid=l.fbillid" +
                " join dt_client k on k.fcode=h.fclientcode" +
                " join vgoodscolor g on g.goodsid=l.fgoodsid and g.colorid=l.fcolorid" +
                " left join V_GoodsPriceRange p on p.goodsid=l.fgoodsid" +
                " where h.fbilldate>='2025-01-01' and h.fbilldate<='2025-12-31'" +
                " group by h.fclientcode,isnull(p.fname,'其他')",
            2);
        const Sums got = Got(w, {"客户编号", "价位名称"}, {"数量", "金额"});
        EXPECT_EQ(got, want);
        int other = 0;
        for (const auto& [key, figures] : got)
            other += key.endsWith("|其他");
        EXPECT_GT(other, 0);
    }
}

TEST_F(OrderResults, ABatchShowsEveryShopsSalesAndStockOfTheGoodsReceived) {
    auto* w = Open<Tfrm_SsaleRece>();
    SetDates(w->bill_date1, w->bill_date2, "2025-03-01", "2025-03-31");
    Run(w);
    // Every shop that sells at retail, crossed with every colour of the goods received in
    // March; its retail sales of them whenever sold, and its stock now.
    const QString received =
        "(select r.fgoodsid from d_s_recevingdetail r join d_s_receving rh on rh.fbillid=r.fbillid"
        " where rh.fbilldate>='2025-03-01' and rh.fbilldate<='2025-03-31')";
    const Sums crossing = Expected(
        "select s.fclientcode,g.goodsid,g.colorid,1 from (select distinct fclientcode from "
        "d_s_sale) s"
        " join dt_client k on k.fcode=s.fclientcode, vgoodscolor g where g.goodsid in" +
            received,
        3);
    const Sums sales = Expected(
        "select h.fclientcode,l.fgoodsid,l.fcolorid,sum(l.qty),sum(l.qty*l.fbalancprice),"
        "count(distinct h.fbillid) from d_s_saledetail l join d_s_sale h on h.fbillid=l.fbillid"
        " join vgoodscolor g on g.goodsid=l.fgoodsid and g.colorid=l.fcolorid"
        " where l.fgoodsid in" +
            received + " group by h.fclientcode,l.fgoodsid,l.fcolorid",
        3);
    const Sums stock = Expected(
        "select s.fclientcode,s.fgoodsid,s.fcolorid,sum(s.qty) from s_stock s"
        " join vgoodscolor g on g.goodsid=s.fgoodsid and g.colorid=s.fcolorid"
        " where s.fgoodsid in" +
            received + " group by s.fclientcode,s.fgoodsid,s.fcolorid",
        3);
    ASSERT_FALSE(sales.empty());

    const std::vector<QStringList> rows = ReportRows(
        w, {"店铺编号", "货号", "颜色编号", "销售数量", "销售金额", "客流量", "库存数量"});
    ASSERT_EQ(rows.size(), crossing.size());
    for (const QStringList& r : rows) {
        const QString key = r.mid(0, 3).join('|');
        ASSERT_TRUE(crossing.count(key)) << key.toStdString();
        const auto s = sales.find(key);
        const QStringList gotSales = {Cents(r[3]), Cents(r[4]), Cents(r[5])};
        EXPECT_EQ(gotSales, s == sales.end() ? QStringList({"", "", ""}) : s->second)
            << key.toStdString();
        const auto k = stock.find(key);
        EXPECT_EQ(Cents(r[6]), k == stock.end() ? "" : k->second[0]) << key.toStdString();
    }

    // Swapped ends receive nothing.
    SetDates(w->bill_date1, w->bill_date2, "2025-03-31", "2025-03-01");
    Run(w);
    EXPECT_TRUE(ReportRows(w).empty());
}

}  // namespace
}  // namespace morvane::test
