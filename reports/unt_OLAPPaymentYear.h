#pragma once
// Tfrm_OLAPPaymentYear (frm_OLAPPaymentYear): "销售回款年度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPPaymentYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentYear(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentYear* frm_OLAPPaymentYear;
