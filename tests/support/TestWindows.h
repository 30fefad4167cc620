#pragma once
// Small windows made for the spine tests, registered for rows of the window table the way
// report units register theirs:
//   frm_OLAPSaleMonth -> Tfrm_TestReport "测试报表": an MDI report with a client picker
//                        button, a posted check box, a date edit, a note edit, a get-data
//                        action over dt_client and its result as TSV.
//   frm_OLAPSale      -> Tfrm_TestQuote "测试'报表": the same window under a caption with a
//                        quote, which the usage log cannot insert.
//   frm_OLAPorder     -> Tfrm_TestBroken "测试故障": its creation handler fails after the base.
//   frm_OLAPSaleYear  -> Tfrm_TestGoodsSale "测试批发销售": a pivot report on Tbase_OLAPreport
//                        over the demo database's wholesale sale lines, with all four pickers
//                        shown, a typed brand filter and 货号 in the row area (for F7).
// Tfrm_TestPicker "测试选择" is the client picker (Goods_Table over dt_client with checkid).

#include <QPoint>
#include <QString>
#include <QStringList>

#include "forms/WindowClasses.h"
#include "forms/unt_basefrmTop.h"
#include "framework/unt_BaseOLAPreport.h"

// Registers a test window class for a row of the window table, under its own caption.
#define MORVANE_TEST_WINDOW(Class, row, caption, instance)                               \
    namespace {                                                                          \
    const bool registered_##instance = ::morvane::forms::RegisterWindowClassOf<Class>(   \
        QStringLiteral(row), QStringLiteral(#Class), instance, QStringLiteral(caption)); \
    }

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
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

class Tfrm_TestGoodsSale : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    Tfrm_TestGoodsSale();
    void FormClose(QObject* Sender, TCloseAction& Action) override;

    QLabel* RzLabel6;       // "供应商选择："
    QLineEdit* edit_brand;  // part of a brand name, typed by the user

    // Probes for tests that drive OLAP_PivotGrid with the mouse, in its viewport's pixels:
    // the centre of a field's header button ((-1,-1) when it shows none), a point of an
    // area's header band where a dropped header goes last (0 column, 1 row, 2 filter, 3 data),
    // the centre of a body cell, and the names of the fields in an area in their order.
    Q_INVOKABLE QPoint FieldHeaderPos(const QString& field);
    Q_INVOKABLE QPoint AreaDropPos(int area);
    Q_INVOKABLE QPoint CellPos(int row, int column);
    Q_INVOKABLE QStringList AreaFields(int area) const;

  protected:
    QString GetDataSQL() override;
    void SetFieldAreas() override;
};

extern Tfrm_TestReport* frm_TestReport;
extern Tfrm_TestQuote* frm_TestQuote;
extern Tfrm_TestBroken* frm_TestBroken;
extern Tfrm_TestGoodsSale* frm_TestGoodsSale;
