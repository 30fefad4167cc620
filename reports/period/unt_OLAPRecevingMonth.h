#pragma once
// frm_OLAPRecevingMonth: purchase receipts per supplier, day by day over one month.

#include "framework/PeriodReport.h"

class Tfrm_OLAPRecevingMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRecevingMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRecevingMonth* frm_OLAPRecevingMonth;
