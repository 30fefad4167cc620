#include "reports/ranking/unt_SaLp_DeliSort.h"

#include "forms/WindowClasses.h"
#include "framework/CategoryBox.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_DeliSort, frm_SaLp_DeliSort)

// clang-format off
// Categories down, price bands across, quantity, amount and the amount's share.
Tfrm_SaLp_DeliSort::Tfrm_SaLp_DeliSort(QWidget* parent)
    : Tbase_RankingReport(rpWholesale,
                          {.rows = {"大类名称"}, .columns = {"价位名称"}, .data = {"数量", "金额", "比例"}},
                          morvane::framework::kCategoryLabelsSQL, "类别", parent) {}

QString Tfrm_SaLp_DeliSort::GetDataSQL() {
    const QString sort = CategoryColumn();
    if (sort.isNull())
        return QString();
    return "select 价位名称=case when d.fname is not null then d.fname else '其他' end,c." + sort + " AS 大类名称,sum(a.qty) as 数量,sum(a.qty*isnull(a.fbalancprice,0)) 金额,比例=null" + CR +
           " from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + CR +
           "join dt_client e on b.fclientcode=e.fcode" + CR +
           "join goods c on a.fgoodsid=c.goodsid left join V_GoodsPriceRange d on c.goodsid=d.goodsid" + CR +
           "where b.fposted=1 and e.fmathod not in('自营','专柜')" + CR +
           RankingFilterTail() +
           " group by d.fname,c." + sort + " order by d.fname";
}
// clang-format on
