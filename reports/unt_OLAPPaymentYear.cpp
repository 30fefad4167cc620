#include "reports/unt_OLAPPaymentYear.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPPaymentYear* frm_OLAPPaymentYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPPaymentYear, "frm_OLAPPaymentYear", "销售回款年度分析总表",
                        frm_OLAPPaymentYear)

namespace {

TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("客户编号"), QStringLiteral("客户简称"), QStringLiteral("客户性质")};
    d.columns = {QStringLiteral("月份")};
    d.data = {QStringLiteral("金额")};
    d.filterArea = false;
    return d;
}

}  // namespace

Tfrm_OLAPPaymentYear::Tfrm_OLAPPaymentYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, pfClient, QString(), Design(), parent) {
    SetCaption(QStringLiteral("销售回款年度分析总表"));
}

void Tfrm_OLAPPaymentYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPPaymentYear = nullptr;
}

QString Tfrm_OLAPPaymentYear::GetDataSQL() {
    const QString y = YearText();
    QString sql =
        "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad "
        "客户等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.sumto  金额 from (" +
        kCR +
        "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from "
        "V_MonthList)b" +
        kCR + "where fcode in(select fclientcode from d_payment)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fcode"));
    sql += ")a left join" + kCR +
           "(select a.fclientcode,month(a.fbilldate) as fmonth,sum(isnull(a.famount,0)) sumto" +
           kCR + " from d_payment a where a.fposted=1 and year(a.fbilldate)=" + y + kCR;
    sql += CodeListClause(QStringLiteral("a.fclientcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fclientcode"));
    sql += "group by a.fclientcode,a.fbilldate)b" + kCR +
           "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + kCR + MonthOrderText();
    return sql;
}
