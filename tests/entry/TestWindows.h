#pragma once
// Small windows made for the spine tests, registered for rows of the window table the way
// report units register theirs:
//   frm_OLAPSaleMonth -> Tfrm_TestReport "测试报表": an MDI report with a client picker
//                        button, a posted check box, a date edit, a note edit, a get-data
//                        action over dt_client and its result as TSV.
//   frm_OLAPSale      -> Tfrm_TestQuote "测试'报表": the same window under a caption with a
//                        quote, which the usage log cannot insert.
//   frm_OLAPorder     -> Tfrm_TestBroken "测试故障": its creation handler fails after the base.
// Tfrm_TestPicker "测试选择" is the client picker (Goods_Table over dt_client with checkid).

#include <QString>

#include "framework/unt_basefrmTop.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class TcxButtonEdit;
class TRemoteUdpDataSet;

class Tfrm_TestPicker : public Tbase_frmTop {
    Q_OBJECT
  public:
    Tfrm_TestPicker();
    void FormCreate(QObject* Sender) override;
    void FormClose(QObject* Sender, TCloseAction& Action) override {}
    void FormKeyPress(QObject* Sender, QChar& Key) override {}

    TRemoteUdpDataSet* Goods_Table;
    QLineEdit* edit_fcode;
};

class Tfrm_TestReport : public Tbase_frm {
    Q_OBJECT
  public:
    Tfrm_TestReport();
    ~Tfrm_TestReport() override;
    void FormCreate(QObject* Sender) override;
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    virtual void ac_GetDataExecute();
    virtual void edit_clientPropertiesButtonClick();
    QString ResultText() const override;

    TRemoteUdpDataSet* UDPDB_Report;
    QAction* ac_GetData;
    TcxButtonEdit* edit_client;
    QCheckBox* postedcheck;
    QDateEdit* bill_date1;
    QLineEdit* edit_note;
    QString sel_client;

  protected:
    // The instance variable the window's close handler clears.
    virtual void ClearInstance();
};

class Tfrm_TestQuote : public Tfrm_TestReport {
    Q_OBJECT
  public:
    Tfrm_TestQuote();
    void ClearInstance() override;
};

class Tfrm_TestBroken : public Tfrm_TestReport {
    Q_OBJECT
  public:
    Tfrm_TestBroken();
    void FormCreate(QObject* Sender) override;
    void ClearInstance() override;
};

extern Tfrm_TestReport* frm_TestReport;
extern Tfrm_TestQuote* frm_TestQuote;
extern Tfrm_TestBroken* frm_TestBroken;
