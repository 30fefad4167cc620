#include "reports/clientemp/unt_OLAPClientYear.h"

#include "forms/WindowClasses.h"
#include "reports/clientemp/ClientPeriodDesign.h"
#include "reports/clientemp/ClientPeriodSql.h"

MORVANE_WINDOW(Tfrm_OLAPClientYear, frm_OLAPClientYear)

Tfrm_OLAPClientYear::Tfrm_OLAPClientYear(QWidget* parent)
    : Tbase_PeriodReport(Year, pfClient, morvane::reports::ClientCompositeDesign("月份", 2),
                         parent) {}

QString Tfrm_OLAPClientYear::GetDataSQL() {
    return morvane::reports::ClientYearSQL(ReportYear(), sel_client);
}
