#include "reports/clientemp/unt_OLAPEmpSaleMonth.h"

#include "forms/WindowClasses.h"
#include "reports/clientemp/ClientPeriodSql.h"

MORVANE_WINDOW(Tfrm_OLAPEmpSaleMonth, frm_OLAPEmpSaleMonth)

Tfrm_OLAPEmpSaleMonth::Tfrm_OLAPEmpSaleMonth(QWidget* parent)
    : Tbase_EmpSaleReport(Month, "日期", parent) {}

QString Tfrm_OLAPEmpSaleMonth::GetDataSQL() {
    const QString shop = ChosenShop();
    if (shop.isNull())
        return QString();
    return morvane::reports::EmpSaleMonthSQL(ReportYear(), ReportMonth(), shop);
}
