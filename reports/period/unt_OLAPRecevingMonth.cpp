#include "reports/period/unt_OLAPRecevingMonth.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPRecevingMonth, frm_OLAPRecevingMonth)

// clang-format off
// Days down the rows, suppliers across the columns with the measures after them. Suppliers
// have no user scope.
Tfrm_OLAPRecevingMonth::Tfrm_OLAPRecevingMonth(QWidget* parent)
    : Tbase_PeriodReport(Month, pfSupplier | pfGoods | pfHouse,
                         {.rows = {"日期"}, .columns = {"厂商名称"}, .data = {"数量", "金额"}, .filter = {"厂商编号"},
                          .fields = TPivotDesign::Kept, .dataAreaIndex = 1, .shareCells = false},
                         parent) {}

QString Tfrm_OLAPRecevingMonth::GetDataSQL() {
    const QString y = QString::number(ReportYear()), m = QString::number(ReportMonth());
    return "select a.fcode 厂商编号,a.fabbrev 厂商名称,a.fbilldate," + DayLabel("a.fbilldate") + " as 日期," + CR +
           "b.qty 数量,b.sumto 金额 from (select a.fcode,a.fabbrev,b.fbilldate from dt_supplier a,(select * from FN_MonthDay('" + MonthFirstDay() + "'))b " + CR +
           "where a.fcode in(select fsuppliercode from d_receving)" + CR +
           InList("a.fcode", sel_supplier) +
           ")a left join" + CR +
           "(select b.fsuppliercode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" + CR +
           " from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid" + CR +
           "where b.fposted=1 and year(b.fbilldate)=" + y + " and month(b.fbilldate)=" + m + CR +
           InList("b.fsuppliercode", sel_supplier) + InList("b.fhousecode", sel_house) + InList("a.fgoodsid", sel_goods) +
           " group by b.fsuppliercode,b.fbilldate)b on a.fcode=b.fsuppliercode and a.fbilldate=b.fbilldate order by a.fcode,b.fbilldate";
}
// clang-format on
