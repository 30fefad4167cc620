#pragma once
// frm_OLAPRetailYear: shop retail sales, month by month over one year.

#include "framework/PeriodReport.h"

class Tfrm_OLAPRetailYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRetailYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRetailYear* frm_OLAPRetailYear;
