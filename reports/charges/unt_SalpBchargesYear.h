#pragma once
// frm_SalpBchargesYear: posted expenses per month of one year and expense item; every month is a column (01月 to 12月), also a month without expenses.

#include "reports/charges/ChargesReport.h"

class Tfrm_SalpBchargesYear : public Tbase_ChargesReport {
    Q_OBJECT
  public:
    explicit Tfrm_SalpBchargesYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SalpBchargesYear* frm_SalpBchargesYear;
