#include "reports/period/unt_OLAPPaymentMonth.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPPaymentMonth, frm_OLAPPaymentMonth)

// clang-format off
// Clients down the rows, days across, laid out anew at every run; the filter area is off, so
// the columns placed nowhere (客户等级, fbilldate) are not seen.
Tfrm_OLAPPaymentMonth::Tfrm_OLAPPaymentMonth(QWidget* parent)
    : Tbase_PeriodReport(Month, pfClient,
                         {.rows = {"客户性质", "客户编号", "客户简称"}, .columns = {"日期"}, .data = {"回款金额"},
                          .filterArea = false, .shareCells = false},
                         parent) {}

QString Tfrm_OLAPPaymentMonth::GetDataSQL() {
    const QString y = QString::number(ReportYear()), m = QString::number(ReportMonth());
    return "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,a.fbilldate," + CR +
           DayLabel("a.fbilldate") + " as 日期,b.sumto 回款金额 from (" + CR +
           "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from FN_MonthDay('" + MonthFirstDay() + "'))b " + CR +
           "where a.fcode in(select fclientcode from d_payment) " + CR +
           InList("a.fcode", sel_client) + ScopeClause("a.fcode", Scope::Client) +
           ")a" + CR +
           "left join (select a.fclientcode,a.fbilldate,sum(isnull(a.famount,0)) sumto" + CR +
           "from d_payment a where a.fposted=1 and year(a.fbilldate)=" + y + " and month(a.fbilldate)=" + m + CR +
           InList("a.fclientcode", sel_client) + ScopeClause("a.fclientcode", Scope::Client) +
           " group by a.fclientcode,a.fbilldate)b on a.fcode=b.fclientcode and a.fbilldate=b.fbilldate order by a.fbilldate";
}
// clang-format on
