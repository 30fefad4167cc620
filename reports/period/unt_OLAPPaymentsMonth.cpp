#include "reports/period/unt_OLAPPaymentsMonth.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPPaymentsMonth, frm_OLAPPaymentsMonth)

// clang-format off
// Suppliers down the rows, days across. Suppliers have no user scope.
Tfrm_OLAPPaymentsMonth::Tfrm_OLAPPaymentsMonth(QWidget* parent)
    : Tbase_PeriodReport(Month, pfSupplier,
                         {.rows = {"厂商编号", "厂商名称"}, .columns = {"日期"}, .data = {"金额"},
                          .fields = TPivotDesign::Kept, .filterArea = false},
                         parent) {}

QString Tfrm_OLAPPaymentsMonth::GetDataSQL() {
    const QString y = QString::number(ReportYear()), m = QString::number(ReportMonth());
    return "select a.fcode 厂商编号,a.fabbrev 厂商名称,a.fbilldate," + DayLabel("a.fbilldate") + " as 日期,b.sumto 金额 from (" + CR +
           "select a.fcode,a.fabbrev,b.fbilldate from dt_supplier a,(select * from FN_MonthDay('" + MonthFirstDay() + "'))b" + CR +
           "where fcode in(select fsuppliercode from d_payments)" + CR +
           InList("a.fcode", sel_supplier) +
           ")a left join" + CR +
           "(select a.fsuppliercode,a.fbilldate,sum(isnull(a.famount,0)) sumto" + CR +
           " from d_payments a where a.fposted=1 and year(a.fbilldate)=" + y + " and month(a.fbilldate)=" + m + CR +
           InList("a.fsuppliercode", sel_supplier) +
           "group by a.fsuppliercode,a.fbilldate)b" + CR +
           "on a.fcode=b.fsuppliercode and a.fbilldate=b.fbilldate" + CR +
           "order by a.fcode,b.fbilldate";
}
// clang-format on
