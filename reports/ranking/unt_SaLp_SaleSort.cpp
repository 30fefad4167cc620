#include "reports/ranking/unt_SaLp_SaleSort.h"

#include "forms/WindowClasses.h"
#include "framework/CategoryBox.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_SaleSort, frm_SaLp_SaleSort)

// clang-format off
// Categories across, clients down, quantity, amount and the amount's share as data.
Tfrm_SaLp_SaleSort::Tfrm_SaLp_SaleSort(QWidget* parent)
    : Tbase_RankingReport(rpWholesale,
                          {.rows = {"客户简称"}, .columns = {"大类名称"}, .data = {"数量", "金额", "比例"}},
                          morvane::framework::kCategoryLabelsSQL, "类别", parent) {}

QString Tfrm_SaLp_SaleSort::GetDataSQL() {
    const QString sort = CategoryColumn();
    if (sort.isNull())
        return QString();
    return "select b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,d.fgrad 客户等级,e.fname as 地区名称,c." + sort + " 大类名称,sum(a.qty) 数量,sum(a.qty*isnull(a.fbalancprice,0)) as 金额,比例=NULL" + CR +
           " from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + CR +
           "join goods c on a.fgoodsid=c.goodsid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode" + CR +
           "where B.fposted=1 and d.fmathod not in('自营','专柜')" + CR +
           RankingFilterTail() +
           " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,c." + sort;
}
// clang-format on
