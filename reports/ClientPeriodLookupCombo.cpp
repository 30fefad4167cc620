#include "reports/ClientPeriodLookupCombo.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

#include "platform/ui/DataSetTableModel.h"

namespace morvane::reports {

namespace {
constexpr int kDropDownRows = 12;
constexpr int kDropDownWidth = 300;
}  // namespace

TShopLookupCombo::TShopLookupCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // The list is the dataset's: a typed code is never added to it, and no completion rewrites
    // what the user typed (the window finds the row itself, whatever the case).
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(kDropDownRows);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);

    model_ = new morvane::ui::DataSetTableModel(this);
    model_->SetColumns({{QStringLiteral("fcode"), QString(), 100},
                        {QStringLiteral("fabbrev"), QString(), 0},
                        {QStringLiteral("fmathod"), QString(), 0}});
    setModel(model_);
    setModelColumn(0);

    auto* list = new QTableView(this);
    list->horizontalHeader()->setVisible(false);
    list->verticalHeader()->setVisible(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setShowGrid(false);
    list->horizontalHeader()->setStretchLastSection(true);
    setView(list);
    list->setColumnWidth(0, 100);

    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this] { emit PropertiesValidate(currentText()); });
    connect(lineEdit(), &QLineEdit::editingFinished, this,
            [this] { emit PropertiesValidate(currentText()); });
}

void TShopLookupCombo::SetListDataSet(TRemoteUdpDataSet* dataSet) {
    model_->SetDataSet(dataSet);
}

void TShopLookupCombo::ClearValue() {
    setCurrentIndex(-1);
    setEditText(QString());
}

void TShopLookupCombo::showPopup() {
    auto* list = static_cast<QTableView*>(view());
    list->resizeColumnToContents(1);
    list->resizeColumnToContents(2);
    list->setColumnWidth(0, 100);
    int wanted = 0;
    for (int c = 0; c < model_->columnCount(); ++c)
        wanted += list->columnWidth(c);
    list->setMinimumWidth(qMax(kDropDownWidth, wanted + 4));
    QComboBox::showPopup();
}

}  // namespace morvane::reports
