#include "reports/clientemp/unt_OLAPClientMonth.h"

#include "forms/WindowClasses.h"
#include "reports/clientemp/ClientPeriodDesign.h"
#include "reports/clientemp/ClientPeriodSql.h"

MORVANE_WINDOW(Tfrm_OLAPClientMonth, frm_OLAPClientMonth)

Tfrm_OLAPClientMonth::Tfrm_OLAPClientMonth(QWidget* parent)
    : Tbase_PeriodReport(Month, pfClient, morvane::reports::ClientCompositeDesign("日期", -1),
                         parent) {}

QString Tfrm_OLAPClientMonth::GetDataSQL() {
    return morvane::reports::ClientMonthSQL(ReportYear(), ReportMonth(), sel_client);
}
