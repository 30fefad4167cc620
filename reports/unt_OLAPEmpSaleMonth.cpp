#include "reports/unt_OLAPEmpSaleMonth.h"

#include "framework/unt_basefrmClasses.h"
#include "reports/ClientPeriodSql.h"

Tfrm_OLAPEmpSaleMonth* frm_OLAPEmpSaleMonth = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPEmpSaleMonth, "frm_OLAPEmpSaleMonth", "营业员销售月度分析表",
                        frm_OLAPEmpSaleMonth)

Tfrm_OLAPEmpSaleMonth::Tfrm_OLAPEmpSaleMonth(QWidget* parent)
    : Tbase_EmpSaleReport(TPeriod::Month, QStringLiteral("日期"), parent) {
    SetCaption(QStringLiteral("营业员销售月度分析表"));
}

void Tfrm_OLAPEmpSaleMonth::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_EmpSaleReport::FormClose(Sender, Action);
    frm_OLAPEmpSaleMonth = nullptr;
}

QString Tfrm_OLAPEmpSaleMonth::GetDataSQL() {
    const QString shop = ChosenShop();
    if (shop.isNull())
        return QString();
    return morvane::reports::EmpSaleMonthSQL(YearText().toInt(), MonthText().toInt(), shop);
}
