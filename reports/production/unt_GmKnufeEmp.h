#pragma once
// frm_GmKnufeEmp: the output of one cutting bill per process and worker. The client picker's
// place holds the bill number (edit_client, typed or chosen in the cutting-bill picker, one
// bill); four display-only edits show the bill's cut number, style, style name and pieces cut
// from ads_Knufe. An empty bill number reports over all bills. The print carries the bill's
// line under the window's caption. Data cells are drawn the grid's default way.

#include "framework/unt_BaseOLAPreport.h"

class QLabel;
class QLineEdit;

class Tfrm_GmKnufeEmp : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    explicit Tfrm_GmKnufeEmp(QWidget* parent = nullptr);
    ~Tfrm_GmKnufeEmp() override;

    // The cutting-bill picker in one-bill mode: after OK its focused bill goes into
    // edit_client. Whatever the answer, the bill summary is read again and the report runs.
    void edit_clientPropertiesButtonClick(QObject* Sender, int AButtonIndex) override;

    // The bill summary statement for the bill number in edit_client.
    QString KnufeSummarySQL() const;
    // "生产状况表", a line break, then the bill's 床次/款号/款式名称/实裁数 as the edits show them.
    QString PrintTitle() const override;

    TRemoteUdpDataSet* ads_Knufe;  // fbillid, fgoodsid, goodsname, fcutno, fqty of the bill
    QLabel* cxLabel1;
    QLineEdit* cxDBTextEdit1;  // fcutno
    QLabel* cxLabel2;
    QLineEdit* cxDBTextEdit2;  // fgoodsid
    QLabel* cxLabel3;
    QLineEdit* cxDBTextEdit3;  // goodsname
    QLabel* cxLabel4;
    QLineEdit* cxDBTextEdit4;  // fqty

  protected:
    QString GetDataSQL() override;

  private:
    void showBill();
};

extern Tfrm_GmKnufeEmp* frm_GmKnufeEmp;
