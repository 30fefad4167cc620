#pragma once
// frm_OLAPSaleMonth: wholesale shipments per client, day by day over one month.

#include "framework/PeriodReport.h"

class Tfrm_OLAPSaleMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPSaleMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPSaleMonth* frm_OLAPSaleMonth;
