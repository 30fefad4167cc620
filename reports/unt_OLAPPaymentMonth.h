#pragma once
// Tfrm_OLAPPaymentMonth (frm_OLAPPaymentMonth): "销售回款月度分析总表".

#include "reports/PeriodReport.h"

class Tfrm_OLAPPaymentMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPPaymentMonth(QWidget* parent = nullptr);
    // Base close, then the next open creates a new window.
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    // Empty: data cells are drawn the grid's default way (headers keep the shared rules).
    void OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                      morvane::pivot::CellDrawInfo& AViewInfo) override;

  protected:
    // Re-creates the fields at every run (the user's arrangement is not kept).
    void LayoutPivot() override;
    void SetFieldAreas() override;
    QString GetDataSQL() override;
};

extern Tfrm_OLAPPaymentMonth* frm_OLAPPaymentMonth;
