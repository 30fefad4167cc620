#include "reports/clientemp/unt_OLAPEmpSaleYear.h"

#include "forms/WindowClasses.h"
#include "reports/clientemp/ClientPeriodSql.h"

MORVANE_WINDOW(Tfrm_OLAPEmpSaleYear, frm_OLAPEmpSaleYear)

Tfrm_OLAPEmpSaleYear::Tfrm_OLAPEmpSaleYear(QWidget* parent)
    : Tbase_EmpSaleReport(Year, "月份", parent) {}

QString Tfrm_OLAPEmpSaleYear::GetDataSQL() {
    const QString shop = ChosenShop();
    if (shop.isNull())
        return QString();
    return morvane::reports::EmpSaleYearSQL(ReportYear(), shop);
}
