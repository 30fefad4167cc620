#pragma once
// Tfrm_OLAPRetailYear (frm_OLAPRetailYear): "店铺零售年度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPRetailYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRetailYear(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRetailYear* frm_OLAPRetailYear;
