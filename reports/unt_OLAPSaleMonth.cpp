#include "reports/unt_OLAPSaleMonth.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPSaleMonth* frm_OLAPSaleMonth = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPSaleMonth, "frm_OLAPSaleMonth", "销售出仓月度分析总表",
                        frm_OLAPSaleMonth)

namespace {

// Days down the rows, clients across the columns with the measure captions innermost.
TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("日期")};
    d.columns = {QStringLiteral("客户性质"), QStringLiteral("客户简称")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    d.filter = {QStringLiteral("客户等级"), QStringLiteral("客户编号")};
    d.dataAreaIndex = 2;
    return d;
}

}  // namespace

Tfrm_OLAPSaleMonth::Tfrm_OLAPSaleMonth(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Month, pfClient | pfGoods | pfHouse, QString(), Design(),
                         parent) {
    SetCaption(QStringLiteral("销售出仓月度分析总表"));
}

void Tfrm_OLAPSaleMonth::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPSaleMonth = nullptr;
}

void Tfrm_OLAPSaleMonth::OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                      morvane::pivot::CellDrawInfo& AViewInfo) {}

QString Tfrm_OLAPSaleMonth::GetDataSQL() {
    const QString y = YearText();
    const QString m = MonthText();
    QString sql =
        "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad "
        "客户等级,a.fbilldate," +
        kCR +
        "right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.qty 数量,b.sumto 金额 "
        "from (" +
        kCR +
        "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from "
        "FN_MonthDay('" +
        MonthFirstDay() + "'" + "))b " + kCR + "where a.fcode in(select fclientcode from d_sale)" +
        kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fcode"));
    sql += ")a" + kCR +
           "left join (select b.fclientcode,b.fbilldate,sum(a.qty) "
           "qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" +
           kCR + " from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + kCR +
           "where b.fposted=1 and year(b.fbilldate)=" + y + " and month(b.fbilldate)=" + m + kCR;
    sql += CodeListClause(QStringLiteral("b.fclientcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("b.fclientcode"));
    sql += CodeListClause(QStringLiteral("b.fhousecode"), sel_house);
    sql += CodeListClause(QStringLiteral("a.fgoodsid"), sel_goods);
    sql +=
        " group by b.fclientcode,b.fbilldate)b on a.fcode=b.fclientcode and "
        "a.fbilldate=b.fbilldate order by a.fbilldate" +
        kCR;
    return sql;
}
