#include "reports/order/unt_OLAPSale.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using namespace morvane::reports::order;

MORVANE_WINDOW(Tfrm_OLAPSale, frm_OLAPSale)

// clang-format off
// Goods and colours down, clients across, quantity and amount as data. The warehouse picker
// is shown, but no warehouse narrows the statement.
Tfrm_OLAPSale::Tfrm_OLAPSale(QWidget* parent)
    : Tbase_OrderReport(ofSizePosted | ofHouse,
                        {.rows = {"货号", "颜色编号"}, .columns = {"客户简称"}, .data = {"数量", "金额"},
                         .beforeFirstRun = TPivotDesign::TAreas{.rows = {"货号", "颜色编号"}, .columns = {"客户简称"}, .data = {"数量", "金额"},
                                                                .filter = {"货品名称", "颜色名称"}}},
                        parent) {}

QString Tfrm_OLAPSale::GetDataSQL() {
    // The grouping starts its line without a blank: right after the posted clause, which ends
    // no line, it reads "b.fposted=1group by".
    return kClientColumns +
           "b.fbilldate 日期,convert(char(4),year(b.fbilldate))+'年' as 销售年度,convert(varchar(2),month(b.fbilldate))+'月' as 销售月份," + CR +
           "convert(varchar(2),day(b.fbilldate))+'日' as 销售日,b.fbilltype 单据类别,b.fmode 订货方式,b.fmanualid 手工单号,b.fbatchno 批次," + CR +
           kLineColumns +
           SizeColumnsText() +
           LineSource("d_saledetail", "d_sale") +
           FilterTail(true) +
           "group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + CR +
           "b.fbilldate,b.fbilltype,b.fmode,b.fmanualid,b.fbatchno," + CR +
           kLineGroup;
}
// clang-format on
