#pragma once
// frm_OLAPRetailMonth: shop retail sales, day by day over one month.

#include "framework/PeriodReport.h"

class Tfrm_OLAPRetailMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRetailMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRetailMonth* frm_OLAPRetailMonth;
