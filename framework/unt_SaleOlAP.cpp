#include "framework/unt_SaleOlAP.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "framework/CategoryBox.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/PivotGrid.h"

namespace {

const TPivotWindowKind kSaleOlap = {
    .caption = "base_SaleOlAP",
    .grid = "SaLp_PivotGrid",
    .printer = "Cxgrid_pring",
    .printLink = "Cxgrid_pringLink1",
    .style = "cxStyle_White",
    .bottomPanelHeight = 31,
    .creationFonts = false,
};

QWidget* Page(QStackedWidget* pages, const char* name) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addWidget(page);
    return page;
}

}  // namespace

Tbase_SaleOlAP::Tbase_SaleOlAP(QWidget* parent)
    : Tbase_PivotWindow(kSaleOlap, parent),
      SaLp_PivotGrid(PivotGrid()),
      Cxgrid_pring(PivotPrinter()),
      Cxgrid_pringLink1(PivotPrintLink()),
      cxStyle_White(PivotStyle()) {
    ads_temp = new TRemoteUdpDataSet(this);
    ads_temp->setObjectName(QStringLiteral("ads_temp"));

    // A stack of pages shows one page and no tabs.
    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = Page(PageControl1, "TabSheet1");
    TabSheet2 = Page(PageControl1, "TabSheet2");
    auto* page = new QVBoxLayout(TabSheet1);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(SaLp_PivotGrid);
    PageControl1->setCurrentWidget(TabSheet1);
    PlaceGrid(PageControl1);
}

void Tbase_SaleOlAP::FormCreate(QObject* Sender) {
    Tbase_PivotWindow::FormCreate(Sender);
    if (com_sort)
        morvane::framework::FillCategoryBox(com_sort, ads_temp, categoryList_, categoryPreselect_);
}

void Tbase_SaleOlAP::AddCategoryBox(const QString& listSql, const QString& preselect) {
    categoryList_ = listSql;
    categoryPreselect_ = preselect;
    RzLabel6 = new QLabel(QStringLiteral("大类名称："), cxGroupBox1);
    RzLabel6->setObjectName(QStringLiteral("RzLabel6"));
    com_sort = new QComboBox(cxGroupBox1);
    com_sort->setObjectName(QStringLiteral("com_sort"));
    com_sort->setEditable(true);
    com_sort->setInsertPolicy(QComboBox::NoInsert);
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    grid->addWidget(RzLabel6, 1, 4);
    grid->addWidget(com_sort, 1, 5, 1, 3);
}

QString Tbase_SaleOlAP::CategoryColumn() {
    return morvane::framework::ChosenCategoryColumn(com_sort, ads_temp);
}

void Tbase_SaleOlAP::SaLp_PivotGridField1GetDisplayText(
    const morvane::pivot::PivotField& Sender, const morvane::pivot::DisplayTextInfo& ACell,
    QString& AText) {
    BlankZeroCell(ACell, AText);
}

void Tbase_SaleOlAP::SaLp_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                  morvane::pivot::CellDrawInfo& AViewInfo) {
    PaintShareCell(Sender, AViewInfo);
}

void Tbase_SaleOlAP::SaLp_PivotGridCustomDrawColumnHeader(
    morvane::pivot::PivotEngine& Sender, morvane::pivot::HeaderDrawInfo& AViewInfo) {
    PaintTotalCaption(AViewInfo);
}

void Tbase_SaleOlAP::SaLp_PivotGridCustomDrawRowHeader(morvane::pivot::PivotEngine& Sender,
                                                       morvane::pivot::HeaderDrawInfo& AViewInfo) {
    PaintTotalCaption(AViewInfo);
}
