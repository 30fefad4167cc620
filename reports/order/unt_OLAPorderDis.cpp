#include "reports/order/unt_OLAPorderDis.h"

#include "forms/WindowClasses.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using namespace morvane::reports::order;

MORVANE_WINDOW(Tfrm_OLAPorderDis, frm_OLAPorderDis)

// clang-format off
// Goods and colours down, clients across; quantity, amount and the amount's share as data.
Tfrm_OLAPorderDis::Tfrm_OLAPorderDis(QWidget* parent)
    : Tbase_OrderReport(0, {.rows = {"货号", "颜色编号"}, .columns = {"客户简称"}, .data = {"数量", "金额", "比例"}}, parent) {}

QString Tfrm_OLAPorderDis::GetDataSQL() {
    return kClientColumns +
           "a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,c.unitprice 吊牌价,sum(isnull(a.qty,0)) as 数量," + CR +
           "sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=null,avg(isnull(a.fbalancprice,0)) 平均单价" + CR +
           "from d_orderdetail a join d_order b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode" + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + CR +
           "where 1=1 " + CR +
           FilterTail(false) +
           " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname,d.frpdtmancode," + CR +
           "a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.unitprice";
}
// clang-format on
