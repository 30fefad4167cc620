#include "reports/stock/unt_OLAPAllStock.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "forms/WindowClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPAllStock, frm_OLAPAllStock)

namespace {

// A size name as a column alias between brackets, where a "]" is written twice.
QString Bracketed(const QString& name) {
    return "[" + QString(name).replace("]", "]]") + "]";
}

}  // namespace

// clang-format off
// Place kinds and places across, goods down; the measures follow the size switch. The empty
// grid has no fields.
Tfrm_OLAPAllStock::Tfrm_OLAPAllStock(QWidget* parent)
    : Tbase_StockReport(sfClient | sfHouse,
                        {.rows = {"货号"}, .columns = {"库存类别", "仓位名称"}, .beforeFirstRun = TPivotDesign::TAreas{}},
                        parent) {
    RzLabel1->setText(QStringLiteral("店铺选择："));
    cxCheckBox1 = new QCheckBox(QStringLiteral("显示尺码明细"), cxGroupBox1);
    cxCheckBox1->setObjectName(QStringLiteral("cxCheckBox1"));
    static_cast<QGridLayout*>(cxGroupBox1->layout())->addWidget(cxCheckBox1, 2, 1);
    ads_temp = new TRemoteUdpDataSet(this);
    ads_temp->setObjectName(QStringLiteral("ads_temp"));
}

QString Tfrm_OLAPAllStock::GetDataSQL() {
    OpenQuery(ads_temp, "select * from ba_size where size_class in(select top 1 size_class from ba_size order by displayindex desc) order by displayindex");
    // Size i of the list sums column s<i>: outside (S) under its name, inside (T) as s<i>.
    QString outer, inner;
    int i = 0;
    for (ads_temp->First(); !ads_temp->Eof(); ads_temp->Next()) {
        const QString s = "sum(isnull(a.s" + QString::number(++i) + ",0)) as ";
        outer += s + Bracketed(ads_temp->FieldByName("size_name")->AsString()) + ",";
        inner += s + "s" + QString::number(i) + ",";
    }

    sizesShown_ = cxCheckBox1->isChecked();
    const QString head = "select a.ftype 库存类别,a.fhousecode as 编号,a.fname 仓位名称,a.fgoodsid 货号,a.fcolorid 颜色编号,b.colorname_ch 颜色名称,b.goodsname 货品名称," + CR +
                         "b.brand 品牌,b.ayear 年份,b.season 季节,b.sort 类别,b.sex 性别,b.item 项目,b.style 风格,b.masterial 面料,b.patter 款式,b.size_class 尺码类别,b.unitprice as 吊牌价," + CR;
    const QString kind = "ftype=case when b.fmathod in('自营','专柜') then '自营店库存' else '加盟商库存' end";
    // The warehouse picker narrows the warehouse half of the union, the shop picker the
    // client half, the goods picker both.
    const QString tail = InList("a.fgoodsid", sel_goods) +
                         "group by a.ftype,a.fhousecode,a.fname,a.fgoodsid,a.fcolorid,b.colorname_ch,b.goodsname,b.brand,b.ayear,b.season,b.sort," + CR +
                         "b.sex,b.item,b.style,b.masterial,b.patter,b.size_class,b.unitprice" + CR;
    if (!sizesShown_) {
        return head +
               "sum(a.qty) as 数量,sum(isnull(a.qty,0)*isnull(b.unitprice,0)) as 吊牌金额,比例=NULL from" + CR +
               "(select a.fhousecode,a.fgoodsid,a.fcolorid,a.qty,b.fname as fname,ftype='仓库库存' from stock a join dt_house b on a.fhousecode=b.fcode where 1=1" + CR +
               InList("a.fhousecode", sel_house) +
               "union all" + CR +
               "select a.fclientcode,a.fgoodsid,a.fcolorid,a.qty,b.fabbrev," + kind + CR +
               "from s_stock a JOIN dt_client b on a.fclientcode=b.fcode where 1=1 " + CR +
               InList("a.fclientcode", sel_client) +
               ")a" + CR +
               "join vgoodscolor b on a.fgoodsid=b.goodsid and a.fcolorid=b.colorid where 1=1 " + CR +
               tail;
    }
    return head +
           outer + "sum(a.qty) as 合计,sum(isnull(a.qty,0)*isnull(b.unitprice,0)) as 吊牌金额 from" + CR +
           "(select a.fhousecode,a.fgoodsid,a.fcolorid," + CR +
           inner + "sum(isnull(a.qty,0)) qty,b.fname as fname,ftype='仓库库存' from stock a join dt_house b on a.fhousecode=b.fcode where 1=1" + CR +
           InList("a.fhousecode", sel_house) +
           " group by a.fhousecode,a.fgoodsid,a.fcolorid,b.fname" + CR +
           "union all" + CR +
           "select a.fclientcode,a.fgoodsid,a.fcolorid," + CR +
           inner + "sum(isnull(a.qty,0)) qty,b.fabbrev," + kind + CR +
           "from s_stock a JOIN dt_client b on a.fclientcode=b.fcode where 1=1 " + CR +
           InList("a.fclientcode", sel_client) +
           " group by a.fclientcode,a.fgoodsid,a.fcolorid,b.fabbrev,b.fmathod)a" + CR +
           "join vgoodscolor b on a.fgoodsid=b.goodsid and a.fcolorid=b.colorid where 1=1 " + CR +
           tail;
}
// clang-format on

void Tfrm_OLAPAllStock::SetFieldAreas() {
    if (!sizesShown_) {
        for (const char* name : {"数量", "吊牌金额", "比例"})
            SetFieldArea(QString::fromUtf8(name), 3);
        return;
    }
    for (ads_temp->First(); !ads_temp->Eof(); ads_temp->Next())
        SetFieldArea(ads_temp->FieldByName("size_name")->AsString(), 3);
    SetFieldArea(QStringLiteral("合计"), 3);
}

void Tfrm_OLAPAllStock::OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                     morvane::pivot::CellDrawInfo& AViewInfo) {
    if (!cxCheckBox1->isChecked())
        Tbase_StockReport::OLAP_PivotGridCustomDrawCell(Sender, AViewInfo);
}
