#pragma once
// frm_OLAPsaleDisc: posted wholesale shipments of goods colours spread over clients, with the
// average unit price and each client's share, within the user's client, brand and warehouse
// scope.

#include "reports/discount/DiscountReport.h"

class Tfrm_OLAPsaleDisc : public Tbase_DiscountReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPsaleDisc(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPsaleDisc* frm_OLAPsaleDisc;
