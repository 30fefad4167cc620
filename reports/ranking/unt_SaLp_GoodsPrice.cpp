#include "reports/ranking/unt_SaLp_GoodsPrice.h"

#include "forms/WindowClasses.h"
#include "framework/CategoryBox.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_GoodsPrice, frm_SaLp_GoodsPrice)

// clang-format off
// Price bands across, brands and categories down, style count, average price and the share.
Tfrm_SaLp_GoodsPrice::Tfrm_SaLp_GoodsPrice(QWidget* parent)
    : Tbase_RankingReport(rpGoods,
                          {.rows = {"品牌", "大类名称"}, .columns = {"价位名称"}, .data = {"款号数", "平均单价", "比例"}},
                          morvane::framework::kCategoryLabelsNoBrandSQL, "类别", parent) {}

// No date or client applies: the goods master has neither.
QString Tfrm_SaLp_GoodsPrice::GetDataSQL() {
    const QString sort = CategoryColumn();
    if (sort.isNull())
        return QString();
    return "select 价位名称=case when b.fname is not null then b.fname else '其他' end,a." + sort + " 大类名称,a.brand 品牌,a.ayear 年份," + CR +
           "a.season 季节,count(a.goodsid) as 款号数,avg(isnull(a.unitprice,0)) as 平均单价,比例=NULL" + CR +
           "from goods a left join V_GoodsPriceRange b on a.goodsid=b.goodsid" + CR +
           "where 1=1 " + CR +
           InList("a.fgoodsid", sel_goods) + ScopeClause("a.brand", Scope::Brand) +
           " group by b.fname,a." + sort + ",a.brand,a.ayear,a.season";
}
// clang-format on
