#pragma once
// frm_OLAPClientYear: per franchise client and month of a year, orders, sales, returns, net
// shipments, deposits received and carried over, payments and other charges side by side.

#include "framework/PeriodReport.h"

class Tfrm_OLAPClientYear : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPClientYear(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPClientYear* frm_OLAPClientYear;
