#pragma once
// frm_OLAPEmpSaleMonth: the assistants' retail of one shop per day of one month, with their shares.

#include "reports/clientemp/ClientPeriodEmpSale.h"

class Tfrm_OLAPEmpSaleMonth : public Tbase_EmpSaleReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPEmpSaleMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPEmpSaleMonth* frm_OLAPEmpSaleMonth;
