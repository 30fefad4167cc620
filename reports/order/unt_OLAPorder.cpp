#include "reports/order/unt_OLAPorder.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using namespace morvane::reports::order;

MORVANE_WINDOW(Tfrm_OLAPorder, frm_OLAPorder)

// clang-format off
// Goods and colours down, clients across, quantity and amount as data.
Tfrm_OLAPorder::Tfrm_OLAPorder(QWidget* parent)
    : Tbase_OrderReport(ofSizePosted,
                        {.rows = {"货号", "颜色编号"}, .columns = {"客户简称"}, .data = {"数量", "金额"},
                         .beforeFirstRun = TPivotDesign::TAreas{.rows = {"货号", "颜色编号"}, .columns = {"客户简称"}, .data = {"数量", "金额"},
                                                                .filter = {"货品名称", "颜色名称"}}},
                        parent) {}

QString Tfrm_OLAPorder::GetDataSQL() {
    return kClientColumns +
           "b.fbilldate 日期,b.fbilltype 单据类别,b.fmode 订货方式,b.fmanualid 手工单号,b.fmodidate 交货日期,b.fbatchno 批次," + CR +
           kLineColumns +
           SizeColumnsText() +
           LineSource("d_orderdetail", "d_order") +
           FilterTail(true) +
           " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + CR +
           "b.fbilldate,b.fbilltype,b.fmode,b.fmanualid,b.fmodidate,b.fbatchno," + CR +
           kLineGroup;
}
// clang-format on
