#include "reports/discount/unt_OLAPRetailDiscount.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPRetailDiscount, frm_OLAPRetailDiscount)

Tfrm_OLAPRetailDiscount::Tfrm_OLAPRetailDiscount(QWidget* parent)
    : Tbase_DiscountReport(QStringLiteral("客户选择："), QStringLiteral("零售日期:"), false,
                           {.rows = {"货号", "货品名称"},
                            .columns = {"折扣"},
                            .data = {"数量", "金额", "比例"},
                            .filter = {"品牌", "季节", "类别"},
                            .fields = TPivotDesign::Kept},
                           parent) {}

// clang-format off
// The ratio is taken only where the tag price is not 0 (the where clause of the inner select),
// so a free tag price never divides.
QString Tfrm_OLAPRetailDiscount::GetDataSQL() {
    return "select 折扣=case when a.fdiscount BETWEEN 1 and 10 then '正价' when a.fdiscount BETWEEN 0.9 and 1 then '9折'" + CR +
           "when a.fdiscount BETWEEN 0.8 and 0.9 then '8折' when a.fdiscount BETWEEN 0.7 and 0.8 then '7折' when a.fdiscount BETWEEN 0.6 and 0.7 then '6折'" + CR +
           "when a.fdiscount BETWEEN 0.5 and 0.6 then '5折' when a.fdiscount BETWEEN 0.4 and 0.5 then '4折' when a.fdiscount BETWEEN 0.3 and 0.4 then '3折'" + CR +
           "when a.fdiscount BETWEEN 0.2 and 0.3 then '2折' when a.fdiscount BETWEEN 0.1 and 0.2 then '1折' else '赠送' end," + CR +
           "a.fdiscount 折扣值,a.fgoodsid 货号,a.goodsname 货品名称,a.brand 品牌,a.ayear 年份,a.season 季节,a.sort 类别,a.qty 数量,a.sumto 金额,比例=NULL" + CR +
           " from (select fdiscount=convert([numeric](9,4),(isnull(a.fbalancprice,0)/isnull(c.unitprice,0)))," + CR +
           "a.fgoodsid,c.goodsname,c.brand,c.ayear,c.season,c.sort,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as sumto" + CR +
           " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid join goods c on a.fgoodsid=c.goodsid where isnull(c.unitprice,0)<>0" + CR +
           BillDateClause() +
           InList("b.fclientcode", sel_client) +
           InList("a.fgoodsid", sel_goods) +
           " group by convert([numeric](9,4),(isnull(a.fbalancprice,0)/isnull(c.unitprice,0))),a.fgoodsid,c.goodsname,c.brand,c.ayear,c.season,c.sort)a";
}
// clang-format on
