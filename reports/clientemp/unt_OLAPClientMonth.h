#pragma once
// frm_OLAPClientMonth: the composite figures of frm_OLAPClientYear per franchise client and day of
// one month.

#include "framework/PeriodReport.h"

class Tfrm_OLAPClientMonth : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPClientMonth(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPClientMonth* frm_OLAPClientMonth;
