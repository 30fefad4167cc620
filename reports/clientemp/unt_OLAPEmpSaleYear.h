#pragma once
// frm_OLAPEmpSaleYear: for the shop chosen in Com_client, the retail quantity and amount per shop
// assistant and month of a year, with each assistant's share of the month's amount.

#include "reports/clientemp/ClientPeriodEmpSale.h"

class Tfrm_OLAPEmpSaleYear : public Tbase_EmpSaleReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPEmpSaleYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPEmpSaleYear* frm_OLAPEmpSaleYear;
