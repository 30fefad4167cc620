#include "reports/ranking/unt_SaLp_SortPrice.h"

#include "forms/WindowClasses.h"
#include "framework/CategoryBox.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_SortPrice, frm_SaLp_SortPrice)

// clang-format off
// Categories across, price bands down, quantity, amount and the amount's share.
Tfrm_SaLp_SortPrice::Tfrm_SaLp_SortPrice(QWidget* parent)
    : Tbase_RankingReport(rpRetail,
                          {.rows = {"价位名称"}, .columns = {"大类名称"}, .data = {"数量", "金额", "比例"}},
                          morvane::framework::kCategoryLabelsSQL, QString(), parent) {}

// The base condition has no line break after it: the first filter clause follows on its line.
QString Tfrm_SaLp_SortPrice::GetDataSQL() {
    const QString sort = CategoryColumn();
    if (sort.isNull())
        return QString();
    return "select 价位名称=case when d.fname is not null then d.fname else '其他' end,c." + sort + " AS 大类名称,sum(a.qty) as 数量,sum(a.qty*isnull(a.fbalancprice,0)) 金额,比例=null" + CR +
           " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + CR +
           "join goods c on a.fgoodsid=c.goodsid left join V_GoodsPriceRange d on c.goodsid=d.goodsid" + CR +
           "where b.fposted=1 " +
           RankingFilterTail() +
           " group by d.fname,c." + sort + " order by d.fname";
}
// clang-format on
