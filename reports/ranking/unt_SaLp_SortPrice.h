#pragma once
// frm_SaLp_SortPrice: posted shop retail per price band and goods category, goods outside
// every band under 其他; the category is chosen in com_sort.

#include "reports/ranking/RankingReport.h"

class Tfrm_SaLp_SortPrice : public Tbase_RankingReport {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_SortPrice(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SaLp_SortPrice* frm_SaLp_SortPrice;
