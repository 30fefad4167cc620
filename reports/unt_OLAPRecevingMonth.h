#pragma once
// Tfrm_OLAPRecevingMonth (frm_OLAPRecevingMonth): "采购入库月度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPRecevingMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRecevingMonth(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    // Empty: data cells are drawn the grid's default way (headers keep the shared rules).
    void OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                      morvane::pivot::CellDrawInfo& AViewInfo) override;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRecevingMonth* frm_OLAPRecevingMonth;
