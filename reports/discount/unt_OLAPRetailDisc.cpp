#include "reports/discount/unt_OLAPRetailDisc.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using namespace morvane::reports;

MORVANE_WINDOW(Tfrm_OLAPRetailDisc, frm_OLAPRetailDisc)

Tfrm_OLAPRetailDisc::Tfrm_OLAPRetailDisc(QWidget* parent)
    : Tbase_DiscountReport(QStringLiteral("店铺选择："), QStringLiteral("零售日期:"), false,
                           {.rows = {"货号", "颜色编号"},
                            .columns = {"店铺简称"},
                            .data = {"数量", "平均单价", "金额", "比例"},
                            .filter = {}},
                           parent) {}

// clang-format off
QString Tfrm_OLAPRetailDisc::GetDataSQL() {
    return "select b.fclientcode 店铺编号,d.fabbrev 店铺简称,d.fmathod 店铺性质,d.fgrad 店铺等级,e.fname as 地区名称,d.frpdtmancode as 督导," + CR +
           DiscGoodsColourColumns() +
           "from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode" + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + CR +
           "where b.fposted=1 " + CR +
           BillDateClause() + InputDateClause() +
           InList("a.fgoodsid", sel_goods) +
           InList("b.fclientcode", sel_client) + ScopeClause("b.fclientcode", Scope::Client) +
           ScopeClause("c.brand", Scope::Brand) +
           " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + CR +
           DiscGoodsColourGroup();
}
// clang-format on
