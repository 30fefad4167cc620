#pragma once
// frm_SalpBchargesMonth: posted expenses per day of one month and expense item; every day of the month is a row (01日 to the last), also a day without expenses.

#include "reports/charges/ChargesReport.h"

class Tfrm_SalpBchargesMonth : public Tbase_ChargesReport {
    Q_OBJECT
  public:
    explicit Tfrm_SalpBchargesMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SalpBchargesMonth* frm_SalpBchargesMonth;
