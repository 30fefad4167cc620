#pragma once
// frm_OLAPRecevingYear: goods received per supplier, month by month over one year.

#include "framework/PeriodReport.h"

class Tfrm_OLAPRecevingYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRecevingYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRecevingYear* frm_OLAPRecevingYear;
