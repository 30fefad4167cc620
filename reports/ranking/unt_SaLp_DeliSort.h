#pragma once
// frm_SaLp_DeliSort: posted wholesale shipments per goods category and price band, clients of
// kind 自营 and 专柜 left out, goods outside every band under 其他; the category is chosen in
// com_sort (类别 to begin with).

#include "reports/ranking/RankingReport.h"

class Tfrm_SaLp_DeliSort : public Tbase_RankingReport {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_DeliSort(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SaLp_DeliSort* frm_SaLp_DeliSort;
