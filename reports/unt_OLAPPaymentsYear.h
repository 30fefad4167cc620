#pragma once
// Tfrm_OLAPPaymentsYear (frm_OLAPPaymentsYear): "采购付款年度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPPaymentsYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentsYear(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentsYear* frm_OLAPPaymentsYear;
