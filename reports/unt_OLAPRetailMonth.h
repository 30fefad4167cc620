#pragma once
// Tfrm_OLAPRetailMonth (frm_OLAPRetailMonth): "店铺零售月度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPRetailMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRetailMonth(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRetailMonth* frm_OLAPRetailMonth;
