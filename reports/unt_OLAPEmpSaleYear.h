#pragma once
// frm_OLAPEmpSaleYear "营业员业绩年度分析表": for the shop chosen in Com_client, the retail
// quantity and amount per shop assistant and month of a year, with each assistant's share of
// the month's amount.

#include "reports/ClientPeriodEmpSale.h"

class Tfrm_OLAPEmpSaleYear : public Tbase_EmpSaleReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPEmpSaleYear(QWidget* parent = nullptr);
    // Base close, then frm_OLAPEmpSaleYear is cleared.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPEmpSaleYear* frm_OLAPEmpSaleYear;
