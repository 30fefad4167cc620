#pragma once
// frm_SalPBchargesDay: posted expenses per business date and expense item over the date range (all posted documents while the date box is unchecked).

#include "reports/charges/ChargesReport.h"

class Tfrm_SalPBchargesDay : public Tbase_ChargesReport {
    Q_OBJECT
  public:
    explicit Tfrm_SalPBchargesDay(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SalPBchargesDay* frm_SalPBchargesDay;
