#pragma once
// Tfrm_selectgoods "货号选择": the modal dialog in which the user ticks the goods (style
// numbers) a report is restricted to. It opens empty. The user narrows the goods by ticking
// attribute values in the check tree (the goods attributes offered in ba_fieldremark, with
// their values from ba_fieldvalues) and by part of a goods number, searches fn_checkgoods
// within the user's brand scope, and ticks rows (checkid, kept locally). A double click
// toggles the current row's tick. The caller reads goodsid of the ticked rows after OK (1).

#include "forms/unt_basefrmTop.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TRemoteUdpDataSet;
class TRzCheckTree;
namespace morvane::ui {
class DBTickGrid;
}

class Tfrm_selectgoods : public Tbase_frmTop {
    Q_OBJECT
  public:
    explicit Tfrm_selectgoods(QWidget* parent = nullptr);

    void FormCreate(QObject* Sender) override;
    void FormClose(QObject* Sender, TCloseAction& Action) override {}
    void FormKeyPress(QObject* Sender, QChar& Key) override {}
    virtual void RzBitBtn1Click(QObject* Sender);
    virtual void edit_goodsKeyPress(QObject* Sender, QChar& Key);
    virtual void CheckBox1Click(QObject* Sender);
    virtual void cxGrid1DBTableView1DblClick(QObject* Sender);

    TRemoteUdpDataSet* Goods_Table;
    TRemoteUdpDataSet* ads_temp;  // field-name look-ups of the search
    QFrame* RzPanel1;             // left: the tree and the goods-number search
    TRzCheckTree* tree;
    QFrame* RzPanel3;
    QLabel* RzLabel1;
    QLineEdit* edit_goods;
    QPushButton* RzBitBtn1;
    morvane::ui::DBTickGrid* cxGrid1DBTableView1;
    QCheckBox* CheckBox1;
    QPushButton* RzBitBtn6;
    QPushButton* RzBitBtn7;

  protected:
    QString PickCodeColumn() const override { return QStringLiteral("goodsid"); }
    // A scripted pick searches with the dialog's inputs first, as the user would.
    void PrepareScriptedPick() override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildTree();
};
