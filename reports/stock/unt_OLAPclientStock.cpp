#include "reports/stock/unt_OLAPclientStock.h"

#include <QLabel>

#include "forms/WindowClasses.h"

using namespace morvane::reports::stock;

MORVANE_WINDOW(Tfrm_OLAPclientStock, frm_OLAPclientStock)

// clang-format off
// Categories across, clients down; the empty grid has its fields in the filter area only.
Tfrm_OLAPclientStock::Tfrm_OLAPclientStock(QWidget* parent)
    : Tbase_StockReport(sfClient | sfSize,
                        {.rows = {"客户简称"}, .columns = {"类别"}, .data = {"数量", "吊牌金额", "比例"},
                         .beforeFirstRun = TPivotDesign::TAreas{.filter = {"地区名称", "货品名称", "颜色编号", "颜色名称", "货号", "客户简称", "数量"}}},
                        parent) {
    RzLabel1->setText(QStringLiteral("加盟商选择："));
}
// clang-format on

QString Tfrm_OLAPclientStock::GetDataSQL() {
    return ShopStockSQL(true, sel_client, sel_goods, SizeColumnsText());
}
