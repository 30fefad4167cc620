#include "reports/order/OrderReport.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>

#include "platform/ui/TcxButtonEdit.h"
#include "session/StatementText.h"

using namespace morvane::sql;
using morvane::reports::order::DateText;

Tbase_OrderReport::Tbase_OrderReport(unsigned filters, const TPivotDesign& design, QWidget* parent)
    : Tbase_OLAPreport(parent) {
    RzLabel5->setVisible((filters & ofHouse) != 0);
    edit_house->setVisible((filters & ofHouse) != 0);
    sizecheck->setVisible((filters & ofSizePosted) != 0);
    postedcheck->setVisible((filters & ofSizePosted) != 0);
    SetDesign(design);
}

// clang-format off
QString Tbase_OrderReport::FilterTail(bool honoursPosted) const {
    QString tail;
    // No line break after the posted clause: a date clause continues its line.
    if (honoursPosted && postedcheck->isChecked())
        tail += " and b.fposted=1";
    if (oderdate_check->isChecked())
        tail += " and b.fbilldate>=" + Quoted(DateText(bill_date1)) + " and b.fbilldate<=" + Quoted(DateText(bill_date2)) + CR;
    if (modidate_check->isChecked())
        tail += " and b.finputdate>=" + Quoted(DateText(input_date1)) + " and b.finputdate<=" + Quoted(DateText(input_date2)) + CR;
    return tail + InList("a.fgoodsid", sel_goods) + InList("b.fclientcode", sel_client) +
           ScopeClause("b.fclientcode", Scope::Client) + ScopeClause("c.brand", Scope::Brand);
}
// clang-format on

namespace morvane::reports::order {

QString DateText(const QDateEdit* edit) {
    return edit->date().toString(QStringLiteral("yyyy-MM-dd"));
}

// clang-format off
const QString kClientColumns = "select b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,d.fgrad 客户等级,e.fname as 地区名称,d.frpdtmancode as 督导," + CR;

const QString kLineColumns = "a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称," + CR +
                             "c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,c.unitprice 吊牌价,c.sex 性别,c.item 项目,c.style 风格,c.masterial 面料,c.lining 里料,c.patter 款式," + CR +
                             "a.fbalancprice 单价,a.fdiscount 折扣,sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额" + CR;

const QString kLineGroup = "a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.unitprice," + CR +
                           "c.sex,c.item,c.style,c.masterial,c.lining,c.patter,a.fbalancprice,a.fdiscount";

QString LineSource(const QString& detail, const QString& head) {
    return " from " + detail + " a join " + head + " b on a.fbillid=b.fbillid join dt_client d on b.fclientcode=d.fcode left join ba_area e on d.fareacode=e.fcode" + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid where 1=1" + CR;
}

QString SortSQL(const QString& from, const QString& filterTail) {
    // Goods outside every price band fall into the band 其他.
    return "select b.fclientcode 客户编号,d.fabbrev 客户简称,d.fmathod 客户性质,e.fname as 地区名称," + CR +
           "c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别," + CR +
           "c.sex 性别,c.item 项目,c.style 风格,c.masterial 面料,c.patter 款式,价位名称=case when g.fname is not null then g.fname else '其他' end," + CR +
           "sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=null" + CR +
           from + CR +
           "left join ba_area e on d.fareacode=e.fcode join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + CR +
           "left join V_GoodsPriceRange G on c.goodsid=g.goodsid WHERE 1=1" + CR +
           filterTail +
           " group by b.fclientcode,d.fabbrev,d.fmathod,d.fgrad,e.fname," + CR +
           "c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.sex,c.item,c.style,c.masterial,c.patter,g.fname";
}
// clang-format on

}  // namespace morvane::reports::order
