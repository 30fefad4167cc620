#pragma once
// frm_OLAPSale: wholesale shipments per client, document, goods and colour, price and
// discount, with year, month and day labels, over a date range.

#include "reports/order/OrderReport.h"

class Tfrm_OLAPSale : public Tbase_OrderReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPSale(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPSale* frm_OLAPSale;
