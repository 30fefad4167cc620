#pragma once
// frm_RationSort: allocations to clients per client, goods attributes and price band.

#include "reports/order/OrderReport.h"

class Tfrm_RationSort : public Tbase_OrderReport {
    Q_OBJECT
  public:
    explicit Tfrm_RationSort(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_RationSort* frm_RationSort;
