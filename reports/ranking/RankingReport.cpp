#include "reports/ranking/RankingReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/TcxButtonEdit.h"
#include "session/StatementText.h"

using namespace morvane::sql;

Tbase_RankingReport::Tbase_RankingReport(TRankingPanel panel, const TPivotDesign& design,
                                         const QString& categoryList,
                                         const QString& categoryPreselect, QWidget* parent)
    : Tbase_SaleOlAP(parent) {
    QWidget* hidden[] = {edit_supplier, RzLabel5,    edit_house,  modidate_check, input_date1,
                         RzLabel4,      input_date2, postedcheck, sizecheck,      flagcheck};
    for (QWidget* w : hidden)
        w->setVisible(false);
    if (!categoryList.isEmpty())
        AddCategoryBox(categoryList, categoryPreselect);
    if (panel == rpRetail) {
        RzLabel1->setText(QStringLiteral("店铺选择："));
        oderdate_check->setText(QStringLiteral("零售日期:"));
    } else if (panel == rpWholesale) {
        oderdate_check->setText(QStringLiteral("销售日期:"));
    } else {
        showGoodsOnly();
    }
    SetDesign(design);
}

void Tbase_RankingReport::showGoodsOnly() {
    QWidget* hidden[] = {RzLabel1, edit_client, oderdate_check, bill_date1, RzLabel3, bill_date2};
    for (QWidget* w : hidden)
        w->setVisible(false);
    oderdate_check->setChecked(false);
    bill_date1->setEnabled(false);
    bill_date2->setEnabled(false);
    cxGroupBox1->setFixedHeight(49);
    // One line: the goods picker, the category box, the run button.
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    QWidget* line[] = {RzLabel2, edit_goods, RzLabel6, com_sort, bit_run};
    for (QWidget* w : line) {
        if (w)
            grid->removeWidget(w);
    }
    grid->addWidget(RzLabel2, 0, 0);
    grid->addWidget(edit_goods, 0, 1, 1, 3);
    if (com_sort) {
        grid->addWidget(RzLabel6, 0, 4);
        grid->addWidget(com_sort, 0, 5, 1, 3);
    }
    grid->addWidget(bit_run, 0, 9, 1, 2);
}

QString Tbase_RankingReport::DateClauses() const {
    QString clauses;
    if (oderdate_check->isChecked())
        clauses += " and b.fbilldate>='" + bill_date1->date().toString("yyyy-MM-dd") +
                   "' and b.fbilldate<='" + bill_date2->date().toString("yyyy-MM-dd") + "'" + CR;
    if (modidate_check->isChecked())
        clauses += " and b.finputdate>='" + input_date1->date().toString("yyyy-MM-dd") +
                   "' and b.finputdate<='" + input_date2->date().toString("yyyy-MM-dd") + "'" + CR;
    return clauses;
}

QString Tbase_RankingReport::RankingFilterTail() const {
    return DateClauses() + InList("a.fgoodsid", sel_goods) + InList("b.fclientcode", sel_client) +
           ScopeClause("b.fclientcode", Scope::Client) + ScopeClause("c.brand", Scope::Brand);
}

// clang-format off
QString Tbase_RankingReport::StockRatioSource() const {
    return "from(select b.fclientcode,a.fgoodsid,sum(a.qty) saleqty,sum(a.qty*isnull(a.fbalancprice,0)) as salesumto,stockqty=0" + CR +
           " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where 1=1" + CR +
           DateClauses() +
           "group by b.fclientcode,a.fgoodsid" + CR +
           "union all" + CR +
           "select a.fclientcode,a.fgoodsid,saleqty=0,salesumto=0.00,sum(a.qty) qty from s_stock a join goods b on a.fgoodsid=b.goodsid" + CR +
           "group by a.fclientcode,a.fgoodsid)a" + CR +
           "join goods b on a.fgoodsid=b.goodsid join dt_client c on a.fclientcode=c.fcode" + CR +
           "left join v_clientprice d on a.fclientcode=d.fclientcode and a.fgoodsid=d.fgoodsid" + CR +
           "WHERE 1=1" + CR +
           InList("b.fgoodsid", sel_goods) + InList("c.fcode", sel_client) +
           ScopeClause("c.fcode", Scope::Client) + ScopeClause("b.brand", Scope::Brand);
}
// clang-format on
