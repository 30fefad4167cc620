#include "reports/ranking/unt_SaLp_RatialStockSort.h"

#include "forms/WindowClasses.h"
#include "framework/CategoryBox.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_RatialStockSort, frm_SaLp_RatialStockSort)

// clang-format off
// Categories down, shops across; the averages and the ratio wait in the filter area.
Tfrm_SaLp_RatialStockSort::Tfrm_SaLp_RatialStockSort(QWidget* parent)
    : Tbase_RankingReport(rpRetail,
                          {.rows = {"大类名称"}, .columns = {"店铺编号", "店铺简称"}, .data = {"零售数量", "零售金额", "店存数量", "店存金额"},
                           .shareCells = false},
                          morvane::framework::kCategoryLabelsSQL, QString(), parent) {}

QString Tfrm_SaLp_RatialStockSort::GetDataSQL() {
    const QString sort = CategoryColumn();
    if (sort.isNull())
        return QString();
    return "select a.fclientcode 店铺编号,c.fabbrev 店铺简称,c.fmathod 店铺性质,c.fgrad 店铺等级,b.brand 品牌,b.ayear 年份,b.season 季节,b." + sort + " as 大类名称," + CR +
           "sum(a.saleqty) 零售数量,sum(salesumto) 零售金额,sum(a.stockqty) 店存数量,sum(a.stockqty*isnull(d.planprice,0)) 店存金额," + CR +
           "平均售价=case when sum(isnull(a.saleqty,0))=0 then 0 else convert(numeric (18,2),sum(salesumto)/sum(saleqty)) end," + CR +
           "平均成本价=case when sum(isnull(a.stockqty,0))=0 then 0 else convert(numeric (18,2),sum(a.stockqty*isnull(d.planprice,0))/sum(stockqty)) end," + CR +
           "存销比=case when sum(a.saleqty)=0 then null else" + CR +
           "convert([numeric](18, 4),sum(a.stockqty)/sum(a.saleqty)) end,比例=NULL" + CR +
           StockRatioSource() +
           " group by a.fclientcode,c.fabbrev,c.fmathod,c.fgrad,b.brand,b.ayear,b.season,b." + sort;
}
// clang-format on
