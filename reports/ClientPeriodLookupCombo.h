#pragma once
// The shop box of the shop-assistant windows: a lookup combo box over a dataset. The list
// shows the dataset's rows in three columns (code 100 pixels wide, short name, kind) without a
// header, twelve rows at a time in a drop-down at least 300 pixels wide that the user may
// resize; the box's text is the chosen code, or whatever the user typed. Committing a value
// (Enter, leaving the box, a pick from the list) raises PropertiesValidate with the text.

#include <QComboBox>
#include <QString>

class TRemoteUdpDataSet;

namespace morvane::ui {
class DataSetTableModel;
}

namespace morvane::reports {

class TShopLookupCombo : public QComboBox {
    Q_OBJECT
  public:
    explicit TShopLookupCombo(QWidget* parent = nullptr);

    // The dataset listed (not owned); its key field is the first column, fcode.
    void SetListDataSet(TRemoteUdpDataSet* dataSet);
    // No value chosen: no current list row and an empty text.
    void ClearValue();

  signals:
    void PropertiesValidate(const QString& value);

  protected:
    void showPopup() override;

  private:
    morvane::ui::DataSetTableModel* model_;
};

}  // namespace morvane::reports
