#include "framework/unt_BaseOLAPreport.h"

#include "pickers/unt_BillGoodsBmp.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxDBImage.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

using morvane::ui::Guarded;

namespace {

const TPivotWindowKind kOlapReport = {
    .caption = "base_OLAPreport",
    .grid = "OLAP_PivotGrid",
    .printer = "Grid_PrintCompot",
    .printLink = "Grid_PrintCompotLink1",
    .style = "cxStyle1",
    .bottomPanelHeight = 27,
    .creationFonts = true,
};

}  // namespace

Tbase_OLAPreport::Tbase_OLAPreport(QWidget* parent)
    : Tbase_PivotWindow(kOlapReport, parent),
      OLAP_PivotGrid(PivotGrid()),
      Grid_PrintCompot(PivotPrinter()),
      Grid_PrintCompotLink1(PivotPrintLink()),
      cxStyle1(PivotStyle()) {
    PlaceGrid(OLAP_PivotGrid);
}

void Tbase_OLAPreport::FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift) {
    if (Key == Qt::Key_F7)
        Guarded([this] { ShowGoodsImage(); });
}

void Tbase_OLAPreport::ShowGoodsImage() {
    TRemoteUdpDataSet* data = OLAP_PivotGrid->DataSet();
    if (!data || !data->Active())
        return;
    const morvane::pivot::PivotField* goodsField = nullptr;
    for (int i = 0; i < OLAP_PivotGrid->FieldCount() && !goodsField; ++i) {
        if (OLAP_PivotGrid->Fields(i)->caption() == QStringLiteral("货号"))
            goodsField = OLAP_PivotGrid->Fields(i);
    }
    if (!goodsField)
        return;
    morvane::pivot::PivotEngine& view = OLAP_PivotGrid->ViewData();
    const int row = view.focusedRow();
    if (row < 0 || row >= view.rowCount())
        return;
    const QString goodsNo = view.rowGroupText(row, *goodsField);
    OpenQuery(ads_GoodsImage, "select top 1 fimage from goodsImage where fgoodsid=" +
                                  morvane::sql::Quoted(goodsNo));
    if (!frm_BillGoodsBmp) {
        // Owned by the application: it goes with the application object unless the user
        // closes it first (its close frees it).
        auto* picture = new Tfrm_BillGoodsBmp();
        if (QObject* owner = morvane::session::ApplicationOwner())
            connect(owner, &QObject::destroyed, picture, [picture] { delete picture; });
        frm_BillGoodsBmp = picture;
        picture->Create();
    }
    frm_BillGoodsBmp->cxDBImage1->SetDataSet(ads_GoodsImage);
    frm_BillGoodsBmp->show();
}

void Tbase_OLAPreport::OLAP_PivotGridField1GetDisplayText(
    const morvane::pivot::PivotField& Sender, const morvane::pivot::DisplayTextInfo& ACell,
    QString& AText) {
    BlankZeroCell(ACell, AText);
}

void Tbase_OLAPreport::OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                    morvane::pivot::CellDrawInfo& AViewInfo) {
    PaintShareCell(Sender, AViewInfo);
}

void Tbase_OLAPreport::OLAP_PivotGridCustomDrawColumnHeader(
    morvane::pivot::PivotEngine& Sender, morvane::pivot::HeaderDrawInfo& AViewInfo) {
    PaintTotalCaption(AViewInfo);
}

void Tbase_OLAPreport::OLAP_PivotGridCustomDrawRowHeader(
    morvane::pivot::PivotEngine& Sender, morvane::pivot::HeaderDrawInfo& AViewInfo) {
    PaintTotalCaption(AViewInfo);
}
