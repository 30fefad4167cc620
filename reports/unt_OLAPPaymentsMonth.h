#pragma once
// Tfrm_OLAPPaymentsMonth (frm_OLAPPaymentsMonth): "采购付款月度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPPaymentsMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentsMonth(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentsMonth* frm_OLAPPaymentsMonth;
