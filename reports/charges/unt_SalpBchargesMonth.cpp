#include "reports/charges/unt_SalpBchargesMonth.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SalpBchargesMonth, frm_SalpBchargesMonth)

Tfrm_SalpBchargesMonth::Tfrm_SalpBchargesMonth(QWidget* parent)
    : Tbase_ChargesReport(cpMonth,
                          {.rows = {"日期"}, .columns = {"费用项目"}, .data = {"金额", "比例"}, .filter = {},
                           .fields = TPivotDesign::Kept},
                          parent) {}

// clang-format off
QString Tfrm_SalpBchargesMonth::GetDataSQL() {
    const QString year = YearText(), month = MonthText();
    return "select " + DayLabel("a.fbilldate") + " as 日期,b.fitem 费用项目,b.famount 金额,比例=NULL from" + CR +
           "(select * from FN_MonthDay('" + year + "-" + month + "-01'))a left join" + CR +
           "(select b.fbilldate,a.fitem,sum(isnull(a.famount,0)) as famount from b_chargesde a join b_charges b on a.fbillid=b.fbillid" + CR +
           "where b.fposted=1 and year(b.fbilldate)=" + year + " and month(b.fbilldate)=" + month + CR +
           "group by b.fbilldate,a.fitem)b on a.fbilldate=b.fbilldate";
}
// clang-format on
