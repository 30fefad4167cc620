#pragma once
// frm_SaLp_ShopSort: posted shop retail per shop and goods category (one row per unit price),
// shops grouped by their kind; the category is chosen in com_sort.

#include "reports/ranking/RankingReport.h"

class Tfrm_SaLp_ShopSort : public Tbase_RankingReport {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_ShopSort(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SaLp_ShopSort* frm_SaLp_ShopSort;
