#pragma once
// Tfrm_SelectKnufe "裁床单选择": the modal dialog in which the user chooses cutting bills (the
// cutting room's production documents) for the production reports. It lists the bills of a
// date range (the last 30 days, today included, when it opens), optionally narrowed by part of
// a style number and by an exact cut number, each with its total cut quantity. The rows are
// copied into the memory table dxMem_Master, where the ticks live; every search starts afresh
// with nothing ticked.
//
// The caller chooses the mode before it shows the dialog:
//   - many bills (tick column shown): after OK it keeps fbillid of each row whose fcheckid is
//     true;
//   - one bill (tick column hidden): after OK it takes fbillid of the focused row.
// OK (cxButton1, enabled once the first search has run) gives 1, cancel 2. Enter moves to the
// next control. Closing only hides the dialog; the caller releases it.

#include "forms/unt_basefrmTop.h"

class QCheckBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class KnufeMemoryRows;
class TRemoteUdpConnection;
class TRemoteUdpDataSet;
namespace morvane::ui {
class DBTickGrid;
}

class Tfrm_SelectKnufe : public Tbase_frmTop {
    Q_OBJECT
  public:
    explicit Tfrm_SelectKnufe(QWidget* parent = nullptr);

    // Base creation, the dates (today minus 30 days .. today), then the search.
    void FormCreate(QObject* Sender) override;
    void FormClose(QObject* Sender, TCloseAction& Action) override {}
    virtual void cxButton3Click(QObject* Sender);

    // The search statement from the filter box as it stands.
    QString SearchSQL() const;

    // The tick column cxColumnsFlag: shown for many bills, hidden for one.
    bool ColumnsFlagVisible() const { return flagVisible_; }
    void SetColumnsFlagVisible(bool visible);

    // For scripts: in many-bills mode ticks the listed bills named; in one-bill mode focuses the
    // one bill named. A bill that is not listed, or more or fewer than one bill in one-bill
    // mode, is refused: the error display says why and the dialog closes with cancel, so that
    // the caller keeps its choice.
    QStringList ScriptTick(const QStringList& codes) override;

    QGroupBox* cxGroupBox1;
    QCheckBox* cxCheckBox1;  // "日期:"
    QDateEdit* cxDateEdit1;
    QLabel* cxLabel3;  // "至"
    QDateEdit* cxDateEdit2;
    QLabel* cxLabel1;  // "款号:"
    QLineEdit* edit_goodsid;
    QLabel* cxLabel2;  // "床次:"
    QLineEdit* edit_fcutno;
    QPushButton* cxButton3;  // "查找"
    morvane::ui::DBTickGrid* cxGrid1DBTableView1;
    QFrame* RzPanel1;
    QPushButton* cxButton1;  // "确定"
    QPushButton* cxButton2;  // "取消"

    TRemoteUdpDataSet* ads_main;  // the search's rows, from the database
    // fcheckid, fbillid, fbilldate, fmanualid, fcutno, fgoodsid, goodsname (texts cut to 20
    // bytes of the Chinese code page), fqty.
    TRemoteUdpDataSet* dxMem_Master;

  private:
    // Empties dxMem_Master and copies ads_main's rows into it, unticked.
    void copyRows();
    // What keeps the script from choosing the bills ("" when nothing does); chooses them.
    QString scriptChoose(const QStringList& codes);

    TRemoteUdpConnection* memory_;  // dxMem_Master's own connection: its rows, nothing else
    KnufeMemoryRows* memoryRows_;   // owned by memory_
    bool flagVisible_ = true;
};
