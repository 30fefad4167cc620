#pragma once
// frm_OLAPorderDis: how the ordered goods and colours spread over the clients.

#include "reports/order/OrderReport.h"

class Tfrm_OLAPorderDis : public Tbase_OrderReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPorderDis(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPorderDis* frm_OLAPorderDis;
