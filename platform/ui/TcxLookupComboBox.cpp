#include "platform/ui/TcxLookupComboBox.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

namespace {
constexpr int kDropDownRows = 12;
constexpr int kDropDownWidth = 300;
}  // namespace

TcxLookupComboBox::TcxLookupComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // The list is the dataset's: a typed code is never added to it, and no completion rewrites
    // what the user typed (the window finds the row itself, whatever the case).
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(kDropDownRows);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);

    model_ = new morvane::ui::DataSetTableModel(this);
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

    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this] { emit PropertiesValidate(currentText()); });
    connect(lineEdit(), &QLineEdit::editingFinished, this,
            [this] { emit PropertiesValidate(currentText()); });
}

void TcxLookupComboBox::SetListDataSet(TRemoteUdpDataSet* dataSet,
                                       std::vector<morvane::ui::GridColumn> columns) {
    model_->SetColumns(std::move(columns));
    model_->SetDataSet(dataSet);
}

void TcxLookupComboBox::ClearValue() {
    setCurrentIndex(-1);
    setEditText(QString());
}

void TcxLookupComboBox::showPopup() {
    auto* list = static_cast<QTableView*>(view());
    const std::vector<morvane::ui::GridColumn>& columns = model_->Columns();
    int wanted = 0;
    for (int c = 0; c < int(columns.size()); ++c) {
        if (columns[std::size_t(c)].width > 0)
            list->setColumnWidth(c, columns[std::size_t(c)].width);
        else
            list->resizeColumnToContents(c);
        wanted += list->columnWidth(c);
    }
    list->setMinimumWidth(qMax(kDropDownWidth, wanted + 4));
    QComboBox::showPopup();
}
