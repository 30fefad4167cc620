#include "reports/newgoods/unt_NewGoodsRetail.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include "forms/WindowClasses.h"
#include "framework/CategoryBox.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_NewGoodsRetail, frm_NewGoodsRetail)

// Bands across, shops and categories down, the five measures as data; no share column.
Tfrm_NewGoodsRetail::Tfrm_NewGoodsRetail(QWidget* parent) : Tbase_SaleOlAP(parent) {
    QWidget* hidden[] = {RzLabel2,    edit_goods, RzLabel5,    edit_house,  edit_supplier,
                         modidate_check, input_date1, RzLabel4, input_date2, postedcheck,
                         sizecheck,   flagcheck,  oderdate_check};
    for (QWidget* w : hidden)
        w->setVisible(false);
    RzLabel1->setText(QStringLiteral("店铺选择："));
    // The period always applies: its box stays checked and out of reach, under a label.
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    auto* period = new QLabel(QStringLiteral("销售日期:"), cxGroupBox1);
    period->setObjectName(QStringLiteral("RzLabel9"));
    grid->addWidget(period, 1, 0);
    AddCategoryBox(morvane::framework::kCategoryLabelsSQL);
    RzLabel7 = new QLabel(QStringLiteral("间隔时段:"), cxGroupBox1);
    RzLabel7->setObjectName(QStringLiteral("RzLabel7"));
    cxSpinEdit1 = new QSpinBox(cxGroupBox1);
    cxSpinEdit1->setObjectName(QStringLiteral("cxSpinEdit1"));
    cxSpinEdit1->setRange(7, 30);
    cxSpinEdit1->setValue(7);
    grid->addWidget(RzLabel7, 0, 4);
    grid->addWidget(cxSpinEdit1, 0, 5);
    cxGroupBox1->setFixedHeight(81);
    SetDesign({.rows = {"店铺简称", "大类名称"},
               .columns = {"上市天数"},
               .data = {"款号数", "库存数", "销售量", "销售额", "客流量"},
               .filter = {},
               .shareCells = false});
}

// clang-format off
QString Tfrm_NewGoodsRetail::GetDataSQL() {
    const QString sort = CategoryColumn();
    if (sort.isNull())
        return QString();
    cxSpinEdit1->interpretText();
    const int n = cxSpinEdit1->value();
    const QString from = bill_date1->date().toString("yyyy-MM-dd");
    const QString to = bill_date2->date().toString("yyyy-MM-dd");
    const QString age = "datediff(day,b.fmindate,'" + to + "')";
    const auto number = [](int v) { return QString::number(v); };
    QString sql = "select a.fclientcode 店铺编号,c.fabbrev 店铺简称,c.fmathod 店铺性质,a.fgoodsid 货号,b.goodsname 货品名称,b.unitprice 吊牌价,b." + sort + " 大类名称,sum(isnull(a.qty,0)) 库存数,COUNT(distinct(a.fgoodsid)) 款号数," + CR +
                  "a.fdaycount 上市天数,sum(isnull(a.saleqty,0)) 销售量,sum(isnull(a.sumto,0)) 销售额,sum(isnull(a.fbillcount,0)) 客流量" + CR +
                  " from (select a.fclientcode,a.fgoodsid,a.qty,b.fmindate,fdaycount=case when " + age + "<=" + number(n) + " then 'A(1-" + number(n) + "天)'" + CR;
    // Bands B to H, each n days wide; the letters make the labels sort in age order.
    for (int k = 1; k <= 7; ++k)
        sql += "when " + age + ">" + number(k * n) + " and " + age + "<=" + number((k + 1) * n) + " then '" + QChar('A' + k) + "(" + number(k * n + 1) + "-" + number((k + 1) * n) + "天)'" + CR;
    sql += "ELSE  'I(大于" + number(8 * n) + "天)' END,c.qty as saleqty,c.sumto,c.fbillcount from" + CR +
           "(select a.fclientcode,a.fgoodsid,sum(isnull(a.qty,0)) qty from s_stock a WHERE 1=1" + CR +
           " group by a.fclientcode,a.fgoodsid)a" + CR +
           "left join" + CR +
           "(select b.fclientcode,a.fgoodsid,min(b.fbilldate) fmindate" + CR +
           "from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid" + CR +
           "group by b.fclientcode,a.fgoodsid)b on a.fclientcode=b.fclientcode and a.fgoodsid=b.fgoodsid" + CR +
           "left join" + CR +
           "(select b.fclientcode,a.fgoodsid,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto,count(b.fbillid) fbillcount" + CR +
           "from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where 1=1 " + CR +
           " and b.fbilldate>='" + from + "' and b.fbilldate<='" + to + "'" + CR +
           " group by b.fclientcode,a.fgoodsid)c" + CR +
           "on a.fclientcode=c.fclientcode and a.fgoodsid=c.fgoodsid)a" + CR +
           "join goods b on a.fgoodsid=b.goodsid left join dt_client c on a.fclientcode=c.fcode" + CR +
           "where isnull(qty,0)<>0 and isnull(saleqty,0)<>0 " + CR +
           InList("a.fclientcode", sel_client) + ScopeClause("a.fclientcode", Scope::Client) + InList("a.fgoodsid", sel_goods) +
           " group by a.fclientcode,c.fabbrev,c.fmathod,a.fgoodsid,b.goodsname,b.unitprice,b." + sort + ",a.fdaycount" + CR +
           "order by a.fclientcode,c.fabbrev,c.fmathod,a.fdaycount";
    return sql;
}
// clang-format on
