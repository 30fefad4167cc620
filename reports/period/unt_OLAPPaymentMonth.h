#pragma once
// frm_OLAPPaymentMonth: payments received from clients, day by day over one month.

#include "framework/PeriodReport.h"

class Tfrm_OLAPPaymentMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentMonth* frm_OLAPPaymentMonth;
