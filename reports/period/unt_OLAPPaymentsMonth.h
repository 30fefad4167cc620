#pragma once
// frm_OLAPPaymentsMonth: payments made to suppliers, day by day over one month.

#include "framework/PeriodReport.h"

class Tfrm_OLAPPaymentsMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentsMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentsMonth* frm_OLAPPaymentsMonth;
