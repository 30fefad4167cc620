#pragma once
// frm_OLAPSaleYear: wholesale shipments per client, month by month over one year.

#include "framework/PeriodReport.h"

class Tfrm_OLAPSaleYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPSaleYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPSaleYear* frm_OLAPSaleYear;
