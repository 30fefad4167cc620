#pragma once
// frm_OLAPMyShopStock: stock of the own shops and department-store counters per shop, goods
// and colour, valued at the tag price.

#include "reports/stock/StockReport.h"

class Tfrm_OLAPMyShopStock : public Tbase_StockReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPMyShopStock(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPMyShopStock* frm_OLAPMyShopStock;
