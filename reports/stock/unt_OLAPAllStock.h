#pragma once
// frm_OLAPAllStock: the stock of every place at once - warehouses, own shops and counters,
// franchisees - per goods and colour, with its own size switch cxCheckBox1 that spreads the
// quantity over the sizes of the size table (read through ads_temp at every get data).

#include "reports/stock/StockReport.h"

class QCheckBox;

class Tfrm_OLAPAllStock : public Tbase_StockReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPAllStock(QWidget* parent = nullptr);

    // With the sizes shown the data cells are drawn the grid's way; without them the base
    // painting applies.
    void OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                      morvane::pivot::CellDrawInfo& AViewInfo) override;

    QCheckBox* cxCheckBox1;       // "显示尺码明细", in place of the base sizecheck
    TRemoteUdpDataSet* ads_temp;  // the sizes of the size class holding the highest position

  protected:
    QString GetDataSQL() override;
    // The measures: one per size name of ads_temp and 合计, or 数量, 吊牌金额 and 比例.
    void SetFieldAreas() override;

  private:
    bool sizesShown_ = false;  // the form of the statement last sent
};

extern Tfrm_OLAPAllStock* frm_OLAPAllStock;
