#pragma once
// frm_OLAPHouseStockDis: warehouse stock per warehouse, goods and colour, valued at the tag
// price.

#include "reports/stock/StockReport.h"

class Tfrm_OLAPHouseStockDis : public Tbase_StockReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPHouseStockDis(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPHouseStockDis* frm_OLAPHouseStockDis;
