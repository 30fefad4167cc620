#include "reports/ranking/unt_SaLp_ShopSort.h"

#include "forms/WindowClasses.h"
#include "framework/CategoryBox.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_ShopSort, frm_SaLp_ShopSort)

// clang-format off
// Categories across, shop kinds and shops down, quantity, amount and the amount's share.
Tfrm_SaLp_ShopSort::Tfrm_SaLp_ShopSort(QWidget* parent)
    : Tbase_RankingReport(rpRetail,
                          {.rows = {"店铺性质", "店铺简称"}, .columns = {"大类名称"}, .data = {"数量", "金额", "比例"}},
                          morvane::framework::kCategoryLabelsSQL, QString(), parent) {}

QString Tfrm_SaLp_ShopSort::GetDataSQL() {
    const QString sort = CategoryColumn();
    if (sort.isNull())
        return QString();
    return "select b.fclientcode 店铺编号,d.fabbrev 店铺简称,d.fmathod 店铺性质,d.fgrad 店铺等级,e.fname as 地区名称,c." + sort + " 大类名称,a.fbalancprice as 售价,sum(a.qty) 数量,sum(a.qty*isnull(a.fbalancprice,0)) as 金额,比例=NULL" + CR +
           " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + CR +
           "join goods c on a.fgoodsid=c.goodsid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode" + CR +
           "where B.fposted=1 " + CR +
           RankingFilterTail() +
           " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,a.fbalancprice,c." + sort;
}
// clang-format on
