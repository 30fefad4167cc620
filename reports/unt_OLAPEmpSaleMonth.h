#pragma once
// frm_OLAPEmpSaleMonth "营业员销售月度分析表": for the shop chosen in Com_client, the retail
// quantity and amount per shop assistant and day of one month, with each assistant's share of
// the day's amount. Every day of the month shows, with or without sales.

#include "reports/ClientPeriodEmpSale.h"

class Tfrm_OLAPEmpSaleMonth : public Tbase_EmpSaleReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPEmpSaleMonth(QWidget* parent = nullptr);
    // Base close, then frm_OLAPEmpSaleMonth is cleared.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPEmpSaleMonth* frm_OLAPEmpSaleMonth;
