#include "reports/stock/StockReport.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>

#include "platform/ui/TcxButtonEdit.h"
#include "session/StatementText.h"

Tbase_StockReport::Tbase_StockReport(unsigned filters, const TPivotDesign& design, QWidget* parent)
    : Tbase_OLAPreport(parent) {
    for (QWidget* w : {static_cast<QWidget*>(oderdate_check), static_cast<QWidget*>(bill_date1),
                       static_cast<QWidget*>(RzLabel3), static_cast<QWidget*>(bill_date2),
                       static_cast<QWidget*>(modidate_check), static_cast<QWidget*>(input_date1),
                       static_cast<QWidget*>(RzLabel4), static_cast<QWidget*>(input_date2),
                       static_cast<QWidget*>(postedcheck)}) {
        w->setVisible(false);
    }
    RzLabel1->setVisible((filters & sfClient) != 0);
    edit_client->setVisible((filters & sfClient) != 0);
    RzLabel5->setVisible((filters & sfHouse) != 0);
    edit_house->setVisible((filters & sfHouse) != 0);
    sizecheck->setVisible((filters & sfSize) != 0);
    SetDesign(design);
}

namespace morvane::reports::stock {

using namespace morvane::sql;

// clang-format off
const QString kGoodsColumns = "c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,c.unitprice 吊牌价,c.sex 性别,c.item 项目,c.style 风格,c.masterial 面料,c.lining 里料,c.patter 款式,";
const QString kGoodsGroup = "c.brand,c.ayear,c.season,c.sort,c.unitprice,c.sex,c.item,c.style,c.masterial,c.lining,c.patter";

QString ShopStockSQL(bool franchise, const QString& selClient, const QString& selGoods,
                     const QString& sizeColumns) {
    // The franchise window names its shops clients, ends its measures with a blank and takes
    // every kind but the own ones.
    const QString p = franchise ? "客户" : "店铺";
    return "select a.fclientcode " + p + "编号,b.fabbrev " + p + "简称,b.fmathod " + p + "性质,b.fgrad " + p + "等级,e.fname as 地区名称,b.frpdtmancode as 督导,a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称," + CR +
           kGoodsColumns + CR +
           "sum(isnull(a.qty,0)) as 数量,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=NULL" + (franchise ? " " : "") + CR +
           sizeColumns +
           " from s_stock a join dt_client b on a.fclientcode=b.fcode left join ba_area e on b.fareacode=e.fcode" + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid where 1=1 and a.fclientcode in(select fcode from dt_client where fmathod " + (franchise ? "not in(" : "in(") + "'自营','专柜')" + CR +
           // The picked shops and the user's scope narrow the sub-select of the kind's clients.
           InList("fcode", selClient) + ScopeClause("fcode", Scope::Client) +
           ")" +
           ScopeClause("c.brand", Scope::Brand) + InList("a.fgoodsid", selGoods) +
           " group by a.fclientcode,b.fabbrev,b.fmathod,b.fgrad,e.fname,b.frpdtmancode,a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch," + CR +
           kGoodsGroup;
}
// clang-format on

}  // namespace morvane::reports::stock
