#pragma once
// frm_OLAPClientMonth "加盟商综合分析月度总表": the composite figures of frm_OLAPClientYear per
// franchise client and day of one month. Data cells are drawn in the grid's default way.

#include "reports/PeriodReport.h"

class Tfrm_OLAPClientMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPClientMonth(QWidget* parent = nullptr);
    // Base close, then frm_OLAPClientMonth is cleared.
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    // Empty: no share painting.
    void OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                      morvane::pivot::CellDrawInfo& AViewInfo) override {}

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPClientMonth* frm_OLAPClientMonth;
