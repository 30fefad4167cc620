#include "reports/period/unt_OLAPSaleMonth.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPSaleMonth, frm_OLAPSaleMonth)

// clang-format off
// Days down the rows, clients across the columns with the measures innermost.
Tfrm_OLAPSaleMonth::Tfrm_OLAPSaleMonth(QWidget* parent)
    : Tbase_PeriodReport(Month, pfClient | pfGoods | pfHouse,
                         {.rows = {"日期"}, .columns = {"客户性质", "客户简称"}, .data = {"数量", "金额"}, .filter = {"客户等级", "客户编号"},
                          .fields = TPivotDesign::Kept, .dataAreaIndex = 2, .shareCells = false},
                         parent) {}

QString Tfrm_OLAPSaleMonth::GetDataSQL() {
    const QString y = QString::number(ReportYear()), m = QString::number(ReportMonth());
    return "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,a.fbilldate," + CR +
           DayLabel("a.fbilldate") + " as 日期,b.qty 数量,b.sumto 金额 from (" + CR +
           "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from FN_MonthDay('" + MonthFirstDay() + "'))b " + CR +
           "where a.fcode in(select fclientcode from d_sale)" + CR +
           InList("a.fcode", sel_client) + ScopeClause("a.fcode", Scope::Client) +
           ")a" + CR +
           "left join (select b.fclientcode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" + CR +
           " from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + CR +
           "where b.fposted=1 and year(b.fbilldate)=" + y + " and month(b.fbilldate)=" + m + CR +
           InList("b.fclientcode", sel_client) + ScopeClause("b.fclientcode", Scope::Client) +
           InList("b.fhousecode", sel_house) + InList("a.fgoodsid", sel_goods) +
           " group by b.fclientcode,b.fbilldate)b on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate order by a.fbilldate" + CR;
}
// clang-format on
