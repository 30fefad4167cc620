#include "reports/order/unt_SsaleRece.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "forms/WindowClasses.h"
#include "platform/ui/TcxButtonEdit.h"
#include "reports/order/OrderReport.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using morvane::reports::order::DateText;

MORVANE_WINDOW(Tfrm_SsaleRece, frm_SsaleRece)

// clang-format off
// Goods down, shops across, the sales, visits and stock as data; the fields are the window's
// own and keep the user's arrangement across runs.
Tfrm_SsaleRece::Tfrm_SsaleRece(QWidget* parent) : Tbase_OLAPreport(parent) {
    // Only the shops and the receipt dates, which always apply; the warehouse label names the
    // dates.
    for (QWidget* w : {static_cast<QWidget*>(RzLabel2), static_cast<QWidget*>(edit_goods), static_cast<QWidget*>(edit_house),
                       static_cast<QWidget*>(oderdate_check), static_cast<QWidget*>(modidate_check), static_cast<QWidget*>(input_date1),
                       static_cast<QWidget*>(RzLabel4), static_cast<QWidget*>(input_date2), static_cast<QWidget*>(postedcheck),
                       static_cast<QWidget*>(sizecheck)})
        w->setVisible(false);
    RzLabel1->setText(QStringLiteral("店铺选择："));
    RzLabel5->setText(QStringLiteral("到货日期:"));
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    grid->removeWidget(RzLabel5);
    grid->addWidget(RzLabel5, 1, 0);
    SetDesign({.rows = {"货号", "货品名称", "吊牌价"}, .columns = {"店铺简称"}, .data = {"销售数量", "销售金额", "客流量", "库存数量"},
               .filter = {"店铺编号", "颜色编号", "颜色名称", "品牌", "年份", "季节", "类别", "性别", "项目", "平均售价"},
               .fields = TPivotDesign::Kept, .noTotals = {"货品名称", "颜色编号", "颜色名称", "吊牌价"}});
}

QString Tfrm_SsaleRece::GetDataSQL() {
    const QString d1 = Quoted(DateText(bill_date1)), d2 = Quoted(DateText(bill_date2));
    // The picked shops and the user's client scope: inside the three goods sub-selects they
    // name the receiving shops, after the first one the selling shops of the crossing.
    const QString shops = InList("b.fclientcode", sel_client) + ScopeClause("b.fclientcode", Scope::Client);
    const QString received = "where a.fgoodsid in(select distinct(a.fgoodsid) fgoodsid from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid" + CR +
                             "where b.fbilldate>=" + d1 + " and b.fbilldate<=" + d2 + CR +
                             shops;
    return "select a.fclientcode 店铺编号,d.fabbrev 店铺简称,a.goodsid 货号,a.goodsname 货品名称,a.colorid 颜色编号,a.colorname_ch 颜色名称," + CR +
           "a.brand 品牌,a.ayear 年份,a.season 季节,a.sort 类别,a.sex 性别,a.item 项目,a.unitprice 吊牌价," + CR +
           "b.qty as 销售数量,b.fbalancprice as 平均售价,b.sumto as 销售金额,b.fbillcount 客流量,c.qty as 库存数量" + CR +
           "from (select b.fclientcode,a.* from vgoodscolor a,(select distinct(fclientcode) fclientcode from d_s_sale)b" + CR +
           "where a.goodsid in(select distinct(a.fgoodsid) fgoodsid from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid" + CR +
           "where b.fbilldate>=" + d1 + " and b.fbilldate<=" + d2 + CR +
           shops + ")" + CR +
           shops +
           " )a " + CR +
           "left join" + CR +
           "(select b.fclientcode,a.fgoodsid,a.fcolorid,convert(numeric (9,2),avg(isnull(a.fbalancprice,0))) fbalancprice," + CR +
           "sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto,count(distinct(b.fbillid)) fbillcount" + CR +
           "from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid" + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + CR +
           received +
           " )" + CR +
           " group by b.fclientcode,a.fgoodsid,a.fcolorid)b on a.fclientcode=b.fclientcode and a.goodsid=b.fgoodsid and a.colorid=b.fcolorid" + CR +
           "left join" + CR +
           "(select a.fclientcode,a.fgoodsid,a.fcolorid,sum(isnull(a.qty,0)) qty" + CR +
           "from s_stock a join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + CR +
           received +
           " )" + CR +
           " group by a.fclientcode,a.fgoodsid,a.fcolorid)c on a.fclientcode=c.fclientcode and a.goodsid=c.fgoodsid and a.colorid=c.fcolorid" + CR +
           "JOIN dt_client d on a.fclientcode=d.fcode" + CR;
}
// clang-format on
