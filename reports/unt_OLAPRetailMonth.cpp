#include "reports/unt_OLAPRetailMonth.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPRetailMonth* frm_OLAPRetailMonth = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPRetailMonth, "frm_OLAPRetailMonth", "店铺零售月度分析总表",
                        frm_OLAPRetailMonth)

namespace {

// Shops down the rows with the measure captions after them, days across the columns.
TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("店铺编号"), QStringLiteral("店铺简称"), QStringLiteral("店铺性质")};
    d.columns = {QStringLiteral("日期")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    d.dataInRows = true;
    return d;
}

}  // namespace

Tfrm_OLAPRetailMonth::Tfrm_OLAPRetailMonth(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Month, pfClient | pfGoods, QString(), Design(), parent) {
    SetCaption(QStringLiteral("店铺零售月度分析总表"));
}

void Tfrm_OLAPRetailMonth::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPRetailMonth = nullptr;
}

QString Tfrm_OLAPRetailMonth::GetDataSQL() {
    const QString y = YearText();
    const QString m = MonthText();
    QString sql =
        "select a.fcode 店铺编号,a.fabbrev 店铺简称,a.fmathod 店铺性质,a.fgrad "
        "店铺等级,a.fbilldate,"
        "right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.qty 数量,b.sumto 金额 "
        "from (" +
        kCR +
        "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from "
        "FN_MonthDay('" +
        MonthFirstDay() + "'" + "))b" + kCR +
        "where a.fcode in(select distinct(fclientcode) from d_s_sale)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fcode"));
    sql += ")a left join" + kCR +
           "(select b.fclientcode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) "
           "sumto" +
           kCR + " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + kCR +
           "where b.fposted=1 and year(b.fbilldate)=" + y + " and month(b.fbilldate)=" + m + kCR;
    sql += CodeListClause(QStringLiteral("b.fclientcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("b.fclientcode"));
    sql += CodeListClause(QStringLiteral("a.fgoodsid"), sel_goods);
    sql += "group by b.fclientcode,b.fbilldate)b" + kCR +
           "on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate" + kCR +
           "order by a.fcode,b.fbilldate";
    return sql;
}
