#include "reports/period/unt_OLAPRecevingYear.h"

#include "forms/WindowClasses.h"
#include "reports/period/PeriodSql.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPRecevingYear, frm_OLAPRecevingYear)

// clang-format off
// Suppliers have no user scope.
Tfrm_OLAPRecevingYear::Tfrm_OLAPRecevingYear(QWidget* parent)
    : Tbase_PeriodReport(Year, pfSupplier | pfGoods | pfHouse,
                         {.rows = {"厂商编号", "厂商名称"}, .columns = {"月份"}, .data = {"数量", "金额"},
                          .fields = TPivotDesign::Kept, .filterArea = false},
                         parent) {}

QString Tfrm_OLAPRecevingYear::GetDataSQL() {
    return "Select a.fcode 厂商编号,a.fabbrev 厂商名称," + MonthLabel("a.fmonth") + " as 月份,b.qty 数量,b.sumto 金额 from (" + CR +
           "select a.fcode,a.fabbrev,b.fmonth from dt_supplier a,(select * from V_MonthList)b" + CR +
           "where fcode in(select fsuppliercode from d_receving)" + CR +
           InList("a.fcode", sel_supplier) +
           ")a left join" + CR +
           "(select b.fsuppliercode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto" + CR +
           " from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid where b.fposted=1 and year(b.fbilldate)=" + QString::number(ReportYear()) + CR +
           InList("b.fsuppliercode", sel_supplier) + InList("b.fhousecode", sel_house) + InList("a.fgoodsid", sel_goods) +
           "group by b.fsuppliercode,b.fbilldate)b" + CR +
           "on a.fcode=b.fsuppliercode and a.fmonth=b.fmonth" + CR +
           morvane::reports::MonthOrderText();
}
// clang-format on
