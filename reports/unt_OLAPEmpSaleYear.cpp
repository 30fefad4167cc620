#include "reports/unt_OLAPEmpSaleYear.h"

#include "framework/unt_basefrmClasses.h"
#include "reports/ClientPeriodSql.h"

Tfrm_OLAPEmpSaleYear* frm_OLAPEmpSaleYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPEmpSaleYear, "frm_OLAPEmpSaleYear", "营业员业绩年度分析表",
                        frm_OLAPEmpSaleYear)

Tfrm_OLAPEmpSaleYear::Tfrm_OLAPEmpSaleYear(QWidget* parent)
    : Tbase_EmpSaleReport(TPeriod::Year, QStringLiteral("月份"), parent) {
    SetCaption(QStringLiteral("营业员业绩年度分析表"));
}

void Tfrm_OLAPEmpSaleYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_EmpSaleReport::FormClose(Sender, Action);
    frm_OLAPEmpSaleYear = nullptr;
}

QString Tfrm_OLAPEmpSaleYear::GetDataSQL() {
    const QString shop = ChosenShop();
    if (shop.isNull())
        return QString();
    return morvane::reports::EmpSaleYearSQL(YearText().toInt(), shop);
}
