#pragma once
// Tfrm_selectClient "客户/店铺选择": the modal dialog in which the user ticks the clients or
// shops a report is restricted to. It lists fn_checkclient within the user's client scope,
// searches by kind, grade, pricing method, code and short name, and ticks rows locally
// (checkid); the caller reads the ticked rows' fcode from Goods_Table after OK (result 1).
// Cancel gives 2. A double click on the list confirms with OK.

#include "forms/unt_basefrmTop.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class TRemoteUdpDataSet;
namespace morvane::ui {
class DBTickGrid;
}

class Tfrm_selectClient : public Tbase_frmTop {
    Q_OBJECT
  public:
    explicit Tfrm_selectClient(QWidget* parent = nullptr);

    void FormCreate(QObject* Sender) override;
    // Both empty: Enter reaches the focused control; closing only hides the dialog.
    void FormClose(QObject* Sender, TCloseAction& Action) override {}
    void FormKeyPress(QObject* Sender, QChar& Key) override {}
    virtual void RzBitBtn1Click(QObject* Sender);
    virtual void RzCheckBox1Click(QObject* Sender);
    virtual void cxGrid1DBTableView1DblClick(QObject* Sender);

    TRemoteUdpDataSet* Goods_Table;
    morvane::ui::DBTickGrid* cxGrid1DBTableView1;
    QFrame* RzPanel1;  // search controls
    QFrame* RzPanel2;  // tick-all box and buttons
    QComboBox* com_Mathod;
    QComboBox* Com_priceType;
    QComboBox* com_Grad;
    QLineEdit* edit_fcode;
    QLineEdit* edit_fabbrev;
    QPushButton* RzBitBtn1;
    QCheckBox* RzCheckBox1;
    QPushButton* RzBitBtn6;
    QPushButton* RzBitBtn7;
};
