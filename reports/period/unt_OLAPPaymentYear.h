#pragma once
// frm_OLAPPaymentYear: payments received from clients, month by month over one year.

#include "framework/PeriodReport.h"

class Tfrm_OLAPPaymentYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentYear* frm_OLAPPaymentYear;
