#include "reports/period/unt_OLAPPaymentsYear.h"

#include "forms/WindowClasses.h"
#include "reports/period/PeriodSql.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPPaymentsYear, frm_OLAPPaymentsYear)

// clang-format off
// 比例 is the last data field, after the amount whose share of the row it shows. Suppliers
// have no user scope.
Tfrm_OLAPPaymentsYear::Tfrm_OLAPPaymentsYear(QWidget* parent)
    : Tbase_PeriodReport(Year, pfSupplier,
                         {.rows = {"厂商编号", "厂商名称"}, .columns = {"月份"}, .data = {"金额", "比例"},
                          .fields = TPivotDesign::Kept, .filterArea = false},
                         parent) {}

// The sums are not filtered: the join to the listed suppliers limits them.
QString Tfrm_OLAPPaymentsYear::GetDataSQL() {
    return "select a.fcode 厂商编号,a.fabbrev 厂商名称," + MonthLabel("a.fmonth") + " as 月份,b.sumto 金额,比例=NULL from (" + CR +
           "select a.fcode,a.fabbrev,b.fmonth from dt_supplier a,(select * from V_MonthList)b" + CR +
           "where fcode in(select fsuppliercode from d_payments)" + CR +
           InList("a.fcode", sel_supplier) +
           ")a" + CR +
           "left join" + CR +
           "(select a.fsuppliercode,month(a.fbilldate) as fmonth,sum(isnull(a.famount,0)) sumto" + CR +
           " from d_payments a where a.fposted=1 and year(a.fbilldate)=" + QString::number(ReportYear()) + CR +
           "group by a.fsuppliercode,a.fbilldate)b" + CR +
           "on a.fcode=b.fsuppliercode and a.fmonth=b.fmonth" + CR +
           morvane::reports::MonthOrderText();
}
// clang-format on
