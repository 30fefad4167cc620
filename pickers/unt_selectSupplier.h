#pragma once
// Tfrm_selectSupplier "供应商选择": the modal dialog in which the user ticks suppliers. It
// lists fn_checksupplier (no user scope), narrowed by part of the code and of the short name
// whenever either edit is confirmed; ticks stay local (checkid). The caller reads fcode of the
// ticked rows after OK (result 1); cancel gives 2. A double click does nothing.

#include "forms/unt_basefrmTop.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TRemoteUdpDataSet;
namespace morvane::ui {
class DBTickGrid;
}

class Tfrm_selectSupplier : public Tbase_frmTop {
    Q_OBJECT
  public:
    explicit Tfrm_selectSupplier(QWidget* parent = nullptr);

    void FormCreate(QObject* Sender) override;
    void FormClose(QObject* Sender, TCloseAction& Action) override {}
    void FormKeyPress(QObject* Sender, QChar& Key) override {}
    virtual void cxButton1Click(QObject* Sender);
    virtual void edit_codePropertiesValidate(QObject* Sender);
    virtual void edit_abbrevPropertiesValidate(QObject* Sender);
    virtual void CheckBox1Click(QObject* Sender);

    TRemoteUdpDataSet* Goods_Table;
    QFrame* RzPanel1;  // search bar
    QLabel* RzLabel1;
    QLineEdit* edit_code;
    QLabel* RzLabel2;
    QLineEdit* edit_abbrev;
    QPushButton* cxButton1;  // hidden; the search runs through it
    morvane::ui::DBTickGrid* cxGrid1DBTableView1;
    QCheckBox* CheckBox1;
    QPushButton* RzBitBtn6;
    QPushButton* RzBitBtn7;
};
