#include "reports/stock/unt_OLAPHouseStockDis.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using namespace morvane::reports::stock;

MORVANE_WINDOW(Tfrm_OLAPHouseStockDis, frm_OLAPHouseStockDis)

// clang-format off
// Categories across, warehouses down, quantity, tag amount and its share as data; the empty
// grid shows goods and colours per warehouse.
Tfrm_OLAPHouseStockDis::Tfrm_OLAPHouseStockDis(QWidget* parent)
    : Tbase_StockReport(sfHouse | sfSize,
                        {.rows = {"仓库名称"}, .columns = {"类别"}, .data = {"数量", "吊牌金额", "比例"},
                         .beforeFirstRun = TPivotDesign::TAreas{.rows = {"货号", "颜色名称"}, .columns = {"仓库名称"}, .data = {"数量"},
                                                                .filter = {"货品名称", "颜色编号"}}},
                        parent) {}

QString Tfrm_OLAPHouseStockDis::GetDataSQL() {
    return "select a.fhousecode 仓库编号,b.fname 仓库名称,a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称," + CR +
           kGoodsColumns + CR +
           "sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=NULL" + CR +
           SizeColumnsText() +
           " from stock a join dt_house b on a.fhousecode=b.fcode " + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid WHERE 1=1" + CR +
           ScopeClause("a.fhousecode", Scope::House) + ScopeClause("c.brand", Scope::Brand) +
           InList("a.fgoodsid", sel_goods) + InList("a.fhousecode", sel_house) +
           "group by a.fhousecode,b.fname,a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch," + CR +
           kGoodsGroup;
}
// clang-format on
