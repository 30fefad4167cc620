#include "reports/discount/DiscountReport.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>

#include "platform/ui/TcxButtonEdit.h"
#include "session/StatementText.h"

using namespace morvane::sql;

namespace {

QString DateRange(const QString& column, const QDateEdit* from, const QDateEdit* to) {
    return " and " + column + ">=" + Quoted(from->date().toString("yyyy-MM-dd")) + " and " +
           column + "<=" + Quoted(to->date().toString("yyyy-MM-dd")) + CR;
}

}  // namespace

Tbase_DiscountReport::Tbase_DiscountReport(const QString& clientLabel, const QString& dateCaption,
                                           bool house, const TPivotDesign& design, QWidget* parent)
    : Tbase_OLAPreport(parent) {
    RzLabel1->setText(clientLabel);
    oderdate_check->setText(dateCaption);
    edit_house->setVisible(house);
    RzLabel5->setVisible(house);
    for (QWidget* w : std::initializer_list<QWidget*>{
             modidate_check, input_date1, RzLabel4, input_date2, postedcheck, sizecheck, flagcheck})
        w->setVisible(false);
    SetDesign(design);
}

QString Tbase_DiscountReport::BillDateClause() const {
    return oderdate_check->isChecked() ? DateRange("b.fbilldate", bill_date1, bill_date2)
                                       : QString();
}

QString Tbase_DiscountReport::InputDateClause() const {
    return modidate_check->isChecked() ? DateRange("b.finputdate", input_date1, input_date2)
                                       : QString();
}

namespace morvane::reports {

// clang-format off
QString DiscGoodsColourColumns() {
    return "a.fgoodsid 货号,c.goodsname 货品名称,a.fcolorid 颜色编号,c.colorname_ch 颜色名称,c.brand 品牌,c.ayear 年份,c.season 季节,c.sort 类别,c.unitprice 吊牌价,sum(isnull(a.qty,0)) as 数量," + CR +
           "sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) as 金额,sum(isnull(a.qty,0)*isnull(c.unitprice,0)) as 吊牌金额,比例=null,avg(isnull(a.fbalancprice,0)) 平均单价" + CR;
}

QString DiscGoodsColourGroup() {
    return "a.fgoodsid,c.goodsname,a.fcolorid,c.colorname_ch,c.brand,c.ayear,c.season,c.sort,c.unitprice";
}
// clang-format on

}  // namespace morvane::reports
