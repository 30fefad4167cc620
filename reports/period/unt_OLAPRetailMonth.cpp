#include "reports/period/unt_OLAPRetailMonth.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPRetailMonth, frm_OLAPRetailMonth)

// clang-format off
// Shops down the rows with the measure captions after them, days across the columns.
Tfrm_OLAPRetailMonth::Tfrm_OLAPRetailMonth(QWidget* parent)
    : Tbase_PeriodReport(Month, pfClient | pfGoods,
                         {.rows = {"店铺编号", "店铺简称", "店铺性质"}, .columns = {"日期"}, .data = {"数量", "金额"},
                          .fields = TPivotDesign::Kept, .dataInRows = true},
                         parent) {}

QString Tfrm_OLAPRetailMonth::GetDataSQL() {
    const QString y = QString::number(ReportYear()), m = QString::number(ReportMonth());
    return "select a.fcode 店铺编号,a.fabbrev 店铺简称,a.fmathod 店铺性质,a.fgrad 店铺等级,a.fbilldate," + DayLabel("a.fbilldate") + " as 日期,b.qty 数量,b.sumto 金额 from (" + CR +
           "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from FN_MonthDay('" + MonthFirstDay() + "'))b" + CR +
           "where a.fcode in(select distinct(fclientcode) from d_s_sale)" + CR +
           InList("a.fcode", sel_client) + ScopeClause("a.fcode", Scope::Client) +
           ")a left join" + CR +
           "(select b.fclientcode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" + CR +
           " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + CR +
           "where b.fposted=1 and year(b.fbilldate)=" + y + " and month(b.fbilldate)=" + m + CR +
           InList("b.fclientcode", sel_client) + ScopeClause("b.fclientcode", Scope::Client) +
           InList("a.fgoodsid", sel_goods) +
           "group by b.fclientcode,b.fbilldate)b" + CR +
           "on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate" + CR +
           "order by a.fcode,b.fbilldate";
}
// clang-format on
