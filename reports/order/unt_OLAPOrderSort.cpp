#include "reports/order/unt_OLAPOrderSort.h"

#include "forms/WindowClasses.h"

using namespace morvane::reports::order;

MORVANE_WINDOW(Tfrm_OLAPOrderSort, frm_OLAPOrderSort)

// clang-format off
// Categories across, clients down; quantity, amount and the amount's share as data. The
// empty grid has no fields.
Tfrm_OLAPOrderSort::Tfrm_OLAPOrderSort(QWidget* parent)
    : Tbase_OrderReport(0, {.rows = {"客户简称"}, .columns = {"类别"}, .data = {"数量", "金额", "比例"}, .beforeFirstRun = TPivotDesign::TAreas{}},
                        parent) {}

QString Tfrm_OLAPOrderSort::GetDataSQL() {
    return SortSQL("from d_orderdetail a join d_order b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode", FilterTail(false));
}
// clang-format on
