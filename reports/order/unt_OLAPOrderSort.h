#pragma once
// frm_OLAPOrderSort: client orders per client, goods attributes and price band.

#include "reports/order/OrderReport.h"

class Tfrm_OLAPOrderSort : public Tbase_OrderReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPOrderSort(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPOrderSort* frm_OLAPOrderSort;
