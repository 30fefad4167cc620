#pragma once
// frm_OLAPPaymentsYear: payments made to suppliers, month by month over one year, with each month's
// share.

#include "framework/PeriodReport.h"

class Tfrm_OLAPPaymentsYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentsYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentsYear* frm_OLAPPaymentsYear;
