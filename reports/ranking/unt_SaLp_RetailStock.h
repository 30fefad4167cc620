#pragma once
// frm_SaLp_RetailStock: per shop and goods item, the retail of the period beside the current
// shop stock, with average prices and the stock-to-sales ratio, which its cells show as a
// percentage (1.5 as 150%).

#include "reports/ranking/RankingReport.h"

class Tfrm_SaLp_RetailStock : public Tbase_RankingReport {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_RetailStock(QWidget* parent = nullptr);

    // The base painting, then a "存销比" cell with a text shows that number times 100 and "%".
    void SaLp_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                      morvane::pivot::CellDrawInfo& AViewInfo) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SaLp_RetailStock* frm_SaLp_RetailStock;
