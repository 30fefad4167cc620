#include "reports/charges/unt_SalpBchargesYear.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SalpBchargesYear, frm_SalpBchargesYear)

Tfrm_SalpBchargesYear::Tfrm_SalpBchargesYear(QWidget* parent)
    : Tbase_ChargesReport(cpYear,
                          {.rows = {"费用项目"}, .columns = {"月份"}, .data = {"金额", "比例"}, .filter = {},
                           .fields = TPivotDesign::Kept},
                          parent) {}

// clang-format off
QString Tfrm_SalpBchargesYear::GetDataSQL() {
    return "select " + MonthLabel("a.fmonth") + " as 月份,b.fitem 费用项目,b.famount 金额,比例=NULL from" + CR +
           "v_monthlist a left join" + CR +
           "(select month(b.fbilldate) as fmonth,a.fitem,sum(isnull(a.famount,0)) as famount from b_chargesde a join b_charges b on a.fbillid=b.fbillid" + CR +
           "where b.fposted=1 and year(b.fbilldate)=" + YearText() + CR +
           "group by month(b.fbilldate),a.fitem)b on a.fmonth=b.fmonth";
}
// clang-format on
