#pragma once
// frm_SaLp_SaleSort: posted wholesale shipments per client and goods category, clients of kind
// 自营 and 专柜 left out; the category is chosen in com_sort (类别 to begin with).

#include "reports/ranking/RankingReport.h"

class Tfrm_SaLp_SaleSort : public Tbase_RankingReport {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_SaleSort(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SaLp_SaleSort* frm_SaLp_SaleSort;
