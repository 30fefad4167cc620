#include "reports/ranking/unt_SaLp_RetailStock.h"

#include "forms/WindowClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/pivot/PivotField.h"
#include "platform/ui/PivotGrid.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_RetailStock, frm_SaLp_RetailStock)

// clang-format off
// Goods down, shops across, the four measures, the share and the ratio as data.
Tfrm_SaLp_RetailStock::Tfrm_SaLp_RetailStock(QWidget* parent)
    : Tbase_RankingReport(rpRetail,
                          {.rows = {"货号", "货品名称", "吊牌价"}, .columns = {"店铺编号", "店铺简称"},
                           .data = {"零售数量", "零售金额", "店存数量", "店存金额", "比例", "存销比"}},
                          QString(), QString(), parent) {}

QString Tfrm_SaLp_RetailStock::GetDataSQL() {
    return "select a.fclientcode 店铺编号,c.fabbrev 店铺简称,c.fmathod 店铺性质,c.fgrad 店铺等级,a.fgoodsid 货号,b.goodsname 货品名称,b.unitprice 吊牌价," + CR +
           "sum(a.saleqty) 零售数量,sum(salesumto) 零售金额,sum(a.stockqty) 店存数量,sum(a.stockqty*isnull(d.planprice,0)) 店存金额," + CR +
           "平均售价=case when sum(isnull(a.saleqty,0))=0 then 0 else convert(numeric (18,2),sum(salesumto)/sum(saleqty)) end," + CR +
           "平均成本价=case when sum(isnull(a.stockqty,0))=0 then 0 else convert(numeric (18,2),sum(a.stockqty*isnull(d.planprice,0))/sum(stockqty)) end," + CR +
           "存销比=case when sum(a.saleqty)=0 then null else convert([numeric](18, 4),sum(a.stockqty)/convert(float,sum(a.saleqty))) end,比例=NULL" + CR +
           StockRatioSource() +
           " group by a.fclientcode,c.fabbrev,c.fmathod,c.fgrad,a.fgoodsid,b.goodsname,b.unitprice";
}
// clang-format on

void Tfrm_SaLp_RetailStock::SaLp_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                         morvane::pivot::CellDrawInfo& AViewInfo) {
    Tbase_RankingReport::SaLp_PivotGridCustomDrawCell(Sender, AViewInfo);
    TRemoteUdpDataSet* data = SaLp_PivotGrid->DataSet();
    if (!data || !data->Active() || !AViewInfo.dataField ||
        AViewInfo.dataField->caption() != QStringLiteral("存销比"))
        return;
    const QString text = Sender.cellText(AViewInfo.row, AViewInfo.column);
    if (text.isEmpty())
        return;
    // The grid writes the ratio without thousands separators; a text that is no number (a
    // format of the user's own) is left as the grid shows it.
    bool ok = false;
    const double ratio = text.toDouble(&ok);
    if (ok)
        AViewInfo.text = QString::number(ratio * 100, 'g', 15) + QLatin1Char('%');
}
