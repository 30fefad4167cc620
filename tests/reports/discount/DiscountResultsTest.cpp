// The discount bands on the scale-1 demo database against ratios computed apart, and on edge
// lines added to a copy (tag prices of 0 and none among them).

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>

#include <cmath>
#include <map>

#include "framework/unt_BaseOLAPreport.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

using Sums = std::map<QString, double>;

// The band of a discount value: tested in this order, both bounds inclusive.
QString Band(double d) {
    if (d >= 1 && d <= 10)
        return QStringLiteral("正价");
    for (int tenth = 9; tenth >= 1; --tenth) {
        if (d >= tenth / 10.0 && d <= (tenth + 1) / 10.0)
            return QString::number(tenth) + QStringLiteral("折");
    }
    return QStringLiteral("赠送");
}

QString Diff(const Sums& got, const Sums& want) {
    QStringList out;
    for (const auto& [key, w] : want) {
        auto it = got.find(key);
        if (it == got.end() || std::fabs(it->second - w) > 1e-6 * std::max(1.0, std::fabs(w)))
            out << key + QString(" got %1 want %2").arg(it == got.end() ? -1 : it->second).arg(w);
    }
    for (const auto& [key, g] : got) {
        if (!want.count(key))
            out << key + " unexpected";
    }
    return out.mid(0, 8).join("; ");
}

class DiscountResults : public ReportTest {
  protected:
    Tbase_OLAPreport* OpenFor(const QString& window, const QDate& from, const QDate& to) {
        Tbase_OLAPreport* w = OpenByName(window);
        w->bill_date1->setDate(from);
        w->bill_date2->setDate(to);
        return w;
    }
};

TEST_F(DiscountResults, EdgeLinesFallIntoTheirBandsAndGoodsWithoutTagPriceAreLeftOut) {
    const QString db = DemoCopy();
    // An unposted shop sale (retail documents count either way) of goods priced at 100, at 0
    // and at nothing; the quantity names the line.
    ExecOnFile(db,
               "insert into goods(goodsid,fgoodsid,goodsname,brand,unitprice) values"
               "('TG100','TG100','测试甲','莫凡',100),('TG000','TG000','测试乙','莫凡',0),"
               "('TGNUL','TGNUL','测试丙','莫凡',null);"
               "insert into d_s_sale(fbillid,fclientcode,fbilldate,fposted) values"
               "('TST0001','ZY001','2025-03-10',0);"
               "insert into d_s_saledetail(fbillid,fgoodsid,fcolorid,qty,fbalancprice) values"
               "('TST0001','TG100','01',1,100),('TST0001','TG100','01',2,90),"
               "('TST0001','TG100','01',3,89.99),('TST0001','TG100','01',4,10),"
               "('TST0001','TG100','01',5,9.99),('TST0001','TG100','01',6,0),"
               "('TST0001','TG100','01',7,1000),('TST0001','TG100','01',8,1000.5),"
               "('TST0001','TG100','01',9,-50),('TST0001','TG100','01',10,null),"
               "('TST0001','TG000','01',11,50),('TST0001','TGNUL','01',12,50);");
    StartSession(QStringLiteral("001"), db);
    Tbase_OLAPreport* w = OpenFor("frm_OLAPRetailDiscount", QDate(2025, 3, 10), QDate(2025, 3, 10));
    w->sel_goods = QStringLiteral("'TG100','TG000','TGNUL'");
    Run(w);
    std::map<int, QString> bands;
    for (const QStringList& r : ReportRows(w, {"数量", "折扣", "货号"})) {
        EXPECT_EQ(r[2], "TG100");
        bands[r[0].toInt()] = r[1];
    }
    // A missing selling price counts as 0, a free line, like the one priced 0: one row of both.
    const std::map<int, QString> want = {
        {1, "正价"},  {2, "9折"},  {3, "8折"},  {4, "1折"},  {5, "赠送"},
        {16, "赠送"}, {7, "正价"}, {8, "赠送"}, {9, "赠送"},
    };
    EXPECT_EQ(bands, want);
}

TEST_F(DiscountResults, BandsOfTheYearAgreeWithRatiosComputedApart) {
    Tbase_OLAPreport* w = OpenFor("frm_OLAPRetailDiscount", QDate(2025, 1, 1), QDate(2025, 12, 31));
    Run(w);
    Sums got, want;
    for (const QStringList& r : ReportRows(w, {"货号", "折扣", "数量"}))
        got[r[0] + "|" + r[1]] += r[2].toDouble();
    for (const QStringList& r :
         SqliteRows("select a.fgoodsid,round(coalesce(a.fbalancprice,0)/c.unitprice,4),sum(a.qty) "
                    "from d_s_saledetail a join d_s_sale b on b.fbillid=a.fbillid "
                    "join goods c on c.goodsid=a.fgoodsid where coalesce(c.unitprice,0)<>0 "
                    "and b.fbilldate>='2025-01-01' and b.fbilldate<='2025-12-31' group by 1,2")) {
        want[r[0] + "|" + Band(r[1].toDouble())] += r[2].toDouble();
    }
    ASSERT_GT(want.size(), 10u);
    EXPECT_EQ(Diff(got, want), "");
}

}  // namespace
}  // namespace morvane::test
