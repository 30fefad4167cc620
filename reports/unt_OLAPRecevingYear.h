#pragma once
// Tfrm_OLAPRecevingYear (frm_OLAPRecevingYear): "厂商到货年度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPRecevingYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRecevingYear(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRecevingYear* frm_OLAPRecevingYear;
