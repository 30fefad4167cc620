#pragma once
// frm_SaLp_RatialStockSort: per shop and goods category, the retail of the period beside the
// current shop stock, with average prices and the stock-to-sales ratio (a whole-number
// division of the quantities); the category is chosen in com_sort. Its cells are painted the
// grid's default way.

#include "reports/ranking/RankingReport.h"

class Tfrm_SaLp_RatialStockSort : public Tbase_RankingReport {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_RatialStockSort(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SaLp_RatialStockSort* frm_SaLp_RatialStockSort;
