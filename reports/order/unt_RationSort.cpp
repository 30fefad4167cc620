#include "reports/order/unt_RationSort.h"

#include "forms/WindowClasses.h"

using namespace morvane::reports::order;

MORVANE_WINDOW(Tfrm_RationSort, frm_RationSort)

// clang-format off
// Categories across, clients down; quantity, amount and the amount's share as data. The
// empty grid has no fields.
Tfrm_RationSort::Tfrm_RationSort(QWidget* parent)
    : Tbase_OrderReport(0, {.rows = {"客户简称"}, .columns = {"类别"}, .data = {"数量", "金额", "比例"}, .beforeFirstRun = TPivotDesign::TAreas{}},
                        parent) {}

QString Tfrm_RationSort::GetDataSQL() {
    return SortSQL("from d_rationdetail a join d_ration b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode", FilterTail(false));
}
// clang-format on
