#include "reports/charges/unt_SalPBchargesDay.h"

#include <QCheckBox>
#include <QDateEdit>

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SalPBchargesDay, frm_SalPBchargesDay)

Tfrm_SalPBchargesDay::Tfrm_SalPBchargesDay(QWidget* parent)
    : Tbase_ChargesReport(cpDays,
                          {.rows = {"日期"}, .columns = {"费用项目"}, .data = {"金额", "比例"}, .filter = {},
                           .fields = TPivotDesign::Kept},
                          parent) {}

// clang-format off
QString Tfrm_SalPBchargesDay::GetDataSQL() {
    QString sql = "select b.fbilldate 日期,a.fitem 费用项目,sum(isnull(a.famount,0)) as 金额,比例=NULL from b_chargesde a join b_charges b on a.fbillid=b.fbillid" + CR +
                  "where b.fposted=1" + CR;
    if (oderdate_check->isChecked())
        sql += " and b.fbilldate>='" + bill_date1->date().toString("yyyy-MM-dd") + "' and b.fbilldate<='" + bill_date2->date().toString("yyyy-MM-dd") + "'" + CR;
    return sql + " group by b.fbilldate,a.fitem order by b.fbilldate,a.fitem";
}
// clang-format on
