#pragma once
// Tfrm_selectHouse "仓库选择": the modal dialog in which the user ticks warehouses. It lists
// fn_checkhouse within the user's warehouse scope; there is no search. Ticks stay local
// (checkid); the caller reads fcode of the ticked rows after OK (result 1); cancel gives 2.

#include "forms/unt_basefrmTop.h"

class QCheckBox;
class QPushButton;
class TRemoteUdpDataSet;
namespace morvane::ui {
class DBTickGrid;
}

class Tfrm_selectHouse : public Tbase_frmTop {
    Q_OBJECT
  public:
    explicit Tfrm_selectHouse(QWidget* parent = nullptr);

    void FormCreate(QObject* Sender) override;
    void FormClose(QObject* Sender, TCloseAction& Action) override {}
    void FormKeyPress(QObject* Sender, QChar& Key) override {}
    virtual void CheckBox1Click(QObject* Sender);

    TRemoteUdpDataSet* Goods_Table;
    morvane::ui::DBTickGrid* cxGrid1DBTableView1;
    QCheckBox* CheckBox1;
    QPushButton* RzBitBtn6;
    QPushButton* RzBitBtn7;
};
