#include "reports/unt_OLAPRetailYear.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPRetailYear* frm_OLAPRetailYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPRetailYear, "frm_OLAPRetailYear", "店铺零售年度分析总表",
                        frm_OLAPRetailYear)

namespace {

TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("店铺编号"), QStringLiteral("店铺简称"), QStringLiteral("店铺性质")};
    d.columns = {QStringLiteral("月份")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    return d;
}

}  // namespace

Tfrm_OLAPRetailYear::Tfrm_OLAPRetailYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, pfClient | pfGoods, QStringLiteral("店铺选择："), Design(),
                         parent) {
    SetCaption(QStringLiteral("店铺零售年度分析总表"));
}

void Tfrm_OLAPRetailYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPRetailYear = nullptr;
}

QString Tfrm_OLAPRetailYear::GetDataSQL() {
    const QString y = YearText();
    QString sql =
        "select a.fcode 店铺编号,a.fabbrev 店铺简称,a.fmathod 店铺性质,a.fgrad "
        "店铺等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.qty 数量,b.sumto 金额 "
        "from (" +
        kCR +
        "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from "
        "V_MonthList)b" +
        kCR + "where fcode in(select fclientcode from d_s_sale)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fcode"));
    sql += ")a left join" + kCR +
           "(select b.fclientcode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,"
           "sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto" +
           kCR +
           " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where b.fposted=1 and "
           "year(b.fbilldate)=" +
           y + kCR;
    sql += CodeListClause(QStringLiteral("b.fclientcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("b.fclientcode"));
    sql += CodeListClause(QStringLiteral("a.fgoodsid"), sel_goods);
    sql += "group by b.fclientcode,b.fbilldate)b" + kCR +
           "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + kCR + MonthOrderText();
    return sql;
}
