#pragma once
// A lookup combo box over a dataset. The list shows the dataset's rows in the columns given,
// without a header, twelve rows at a time in a drop-down at least 300 pixels wide that the user
// may resize; the first column is the key, and the box's text is the chosen key, or whatever
// the user typed. Committing a value (Enter, leaving the box, a pick from the list) raises
// PropertiesValidate with the text.

#include <QComboBox>
#include <QString>
#include <vector>

#include "platform/ui/DataSetTableModel.h"

class TRemoteUdpDataSet;

class TcxLookupComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit TcxLookupComboBox(QWidget* parent = nullptr);

    // The dataset listed (not owned) and its list columns, the key first. A column of width 0
    // is fitted to its values when the list drops down.
    void SetListDataSet(TRemoteUdpDataSet* dataSet, std::vector<morvane::ui::GridColumn> columns);
    // No value chosen: no current list row and an empty text.
    void ClearValue();

  signals:
    void PropertiesValidate(const QString& value);

  protected:
    void showPopup() override;

  private:
    morvane::ui::DataSetTableModel* model_;
};
