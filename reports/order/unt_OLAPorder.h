#pragma once
// frm_OLAPorder: client orders per client, document, goods and colour, price and discount, over
// a date range.

#include "reports/order/OrderReport.h"

class Tfrm_OLAPorder : public Tbase_OrderReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPorder(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPorder* frm_OLAPorder;
