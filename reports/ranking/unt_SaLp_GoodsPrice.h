#pragma once
// frm_SaLp_GoodsPrice: from the goods master alone, the number of styles and their average
// tag price per price band, brand, year, season and goods category (类别 to begin with; brand,
// year and season are not offered as categories). Goods outside every band are under 其他.

#include "reports/ranking/RankingReport.h"

class Tfrm_SaLp_GoodsPrice : public Tbase_RankingReport {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_GoodsPrice(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SaLp_GoodsPrice* frm_SaLp_GoodsPrice;
