#pragma once
// frm_OLAPClientYear "加盟商综合分析年度总表": per franchise client and month of a year, orders,
// sales, returns, net shipments, deposits received and carried over, payments and other
// charges side by side. The client picker is the only filter besides the year; data cells are
// drawn in the grid's default way (no share column).

#include "reports/PeriodReport.h"

class Tfrm_OLAPClientYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPClientYear(QWidget* parent = nullptr);
    // Base close, then frm_OLAPClientYear is cleared.
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    // Empty: no share painting.
    void OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                      morvane::pivot::CellDrawInfo& AViewInfo) override {}

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPClientYear* frm_OLAPClientYear;
