#include "reports/discount/unt_OLAPsaleDisc.h"

#include "forms/WindowClasses.h"
#include "platform/ui/PivotGrid.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using namespace morvane::reports;

MORVANE_WINDOW(Tfrm_OLAPsaleDisc, frm_OLAPsaleDisc)

Tfrm_OLAPsaleDisc::Tfrm_OLAPsaleDisc(QWidget* parent)
    : Tbase_DiscountReport(QStringLiteral("客户选择："), QStringLiteral("销售日期:"), true,
                           {.rows = {"货号"},
                            .columns = {"客户简称"},
                            .data = {"数量", "平均单价", "金额", "比例"},
                            .filter = {}},
                           parent) {
    // Before the first run the colours stand beside the goods; a run lays out goods alone.
    OLAP_PivotGrid->ViewData().addField(QStringLiteral("颜色编号"));
    SetFieldArea(QStringLiteral("颜色编号"), 1);
}

// clang-format off
QString Tfrm_OLAPsaleDisc::GetDataSQL() {
    return "select b.fhousecode as 仓库编号,k.fname as 仓库名称,b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,d.fgrad 客户等级,e.fname as 地区名称,d.frpdtmancode as 督导," + CR +
           DiscGoodsColourColumns() +
           "from d_saledetail a join d_sale b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode" + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid join dt_house k on b.fhousecode=k.fcode" + CR +
           "where b.fposted=1 " + CR +
           BillDateClause() + InputDateClause() +
           InList("a.fgoodsid", sel_goods) +
           InList("b.fclientcode", sel_client) + ScopeClause("b.fclientcode", Scope::Client) +
           ScopeClause("c.brand", Scope::Brand) +
           InList("b.fhousecode", sel_house) + ScopeClause("b.fhousecode", Scope::House) +
           " group by b.fhousecode,k.fname,b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + CR +
           DiscGoodsColourGroup();
}
// clang-format on
