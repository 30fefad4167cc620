#include "reports/period/unt_OLAPPaymentYear.h"

#include "forms/WindowClasses.h"
#include "reports/period/PeriodSql.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPPaymentYear, frm_OLAPPaymentYear)

// clang-format off
Tfrm_OLAPPaymentYear::Tfrm_OLAPPaymentYear(QWidget* parent)
    : Tbase_PeriodReport(Year, pfClient,
                         {.rows = {"客户编号", "客户简称", "客户性质"}, .columns = {"月份"}, .data = {"金额"},
                          .fields = TPivotDesign::Kept, .filterArea = false},
                         parent) {}

QString Tfrm_OLAPPaymentYear::GetDataSQL() {
    return "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级," + MonthLabel("a.fmonth") + " as 月份,b.sumto  金额 from (" + CR +
           "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from V_MonthList)b" + CR +
           "where fcode in(select fclientcode from d_payment)" + CR +
           InList("a.fcode", sel_client) + ScopeClause("a.fcode", Scope::Client) +
           ")a left join" + CR +
           "(select a.fclientcode,month(a.fbilldate) as fmonth,sum(isnull(a.famount,0)) sumto" + CR +
           " from d_payment a where a.fposted=1 and year(a.fbilldate)=" + QString::number(ReportYear()) + CR +
           InList("a.fclientcode", sel_client) + ScopeClause("a.fclientcode", Scope::Client) +
           "group by a.fclientcode,a.fbilldate)b" + CR +
           "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + CR +
           morvane::reports::MonthOrderText();
}
// clang-format on
