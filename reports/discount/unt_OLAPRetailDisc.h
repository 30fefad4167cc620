#pragma once
// frm_OLAPRetailDisc: posted shop retail sales of goods colours spread over shops, with the
// average unit price and each shop's share, within the user's client and brand scope.

#include "reports/discount/DiscountReport.h"

class Tfrm_OLAPRetailDisc : public Tbase_DiscountReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRetailDisc(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRetailDisc* frm_OLAPRetailDisc;
