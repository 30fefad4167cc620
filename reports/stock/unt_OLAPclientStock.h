#pragma once
// frm_OLAPclientStock: stock of the franchise clients (every kind but 自营 and 专柜) per
// client, goods and colour, valued at the tag price.

#include "reports/stock/StockReport.h"

class Tfrm_OLAPclientStock : public Tbase_StockReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPclientStock(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPclientStock* frm_OLAPclientStock;
