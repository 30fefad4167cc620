#include "reports/stock/unt_OLAPMyShopStock.h"

#include "forms/WindowClasses.h"

using namespace morvane::reports::stock;

MORVANE_WINDOW(Tfrm_OLAPMyShopStock, frm_OLAPMyShopStock)

// clang-format off
// Categories across, shops down; the empty grid shows goods and colours per shop.
Tfrm_OLAPMyShopStock::Tfrm_OLAPMyShopStock(QWidget* parent)
    : Tbase_StockReport(sfClient | sfSize,
                        {.rows = {"店铺简称"}, .columns = {"类别"}, .data = {"数量", "吊牌金额", "比例"},
                         .beforeFirstRun = TPivotDesign::TAreas{.rows = {"货号", "颜色名称"}, .columns = {"店铺简称"}, .data = {"数量"},
                                                                .filter = {"地区名称", "店铺性质", "货品名称", "颜色编号"}}},
                        parent) {}
// clang-format on

QString Tfrm_OLAPMyShopStock::GetDataSQL() {
    return ShopStockSQL(false, sel_client, sel_goods, SizeColumnsText());
}
