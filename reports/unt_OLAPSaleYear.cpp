#include "reports/unt_OLAPSaleYear.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPSaleYear* frm_OLAPSaleYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPSaleYear, "frm_OLAPSaleYear", "销售出仓年度分析总表",
                        frm_OLAPSaleYear)

namespace {

TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("客户简称")};
    d.columns = {QStringLiteral("月份")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    d.filter = {QStringLiteral("客户编号"), QStringLiteral("客户性质")};
    return d;
}

}  // namespace

Tfrm_OLAPSaleYear::Tfrm_OLAPSaleYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, pfClient | pfGoods | pfHouse, QString(), Design(), parent) {
    SetCaption(QStringLiteral("销售出仓年度分析总表"));
}

void Tfrm_OLAPSaleYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPSaleYear = nullptr;
}

QString Tfrm_OLAPSaleYear::GetDataSQL() {
    const QString y = YearText();
    QString sql =
        "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad "
        "客户等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.qty 数量,b.sumto 金额 "
        "from (" +
        kCR +
        "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from "
        "V_MonthList)b" +
        kCR + "where fcode in(select fclientcode from d_sale)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fcode"));
    sql += ")a left join" + kCR +
           "(select b.fclientcode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,"
           "sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto" +
           kCR +
           " from d_saledetail a join d_sale b on a.fbillid=b.fbillid where b.fposted=1 and "
           "year(b.fbilldate)=" +
           y + kCR;
    sql += CodeListClause(QStringLiteral("b.fclientcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("b.fclientcode"));
    sql += CodeListClause(QStringLiteral("b.fhousecode"), sel_house);
    sql += CodeListClause(QStringLiteral("a.fgoodsid"), sel_goods);
    sql += "group by b.fclientcode,b.fbilldate)b" + kCR +
           "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + kCR + MonthOrderText();
    return sql;
}
