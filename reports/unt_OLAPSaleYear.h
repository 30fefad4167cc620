#pragma once
// Tfrm_OLAPSaleYear (frm_OLAPSaleYear): "销售出仓年度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPSaleYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPSaleYear(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPSaleYear* frm_OLAPSaleYear;
