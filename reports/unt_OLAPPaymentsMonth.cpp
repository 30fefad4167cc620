#include "reports/unt_OLAPPaymentsMonth.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPPaymentsMonth* frm_OLAPPaymentsMonth = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPPaymentsMonth, "frm_OLAPPaymentsMonth", "采购付款月度分析总表",
                        frm_OLAPPaymentsMonth)

namespace {

TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("厂商编号"), QStringLiteral("厂商名称")};
    d.columns = {QStringLiteral("日期")};
    d.data = {QStringLiteral("金额")};
    d.filterArea = false;
    return d;
}

}  // namespace

// Suppliers: no client scope.
Tfrm_OLAPPaymentsMonth::Tfrm_OLAPPaymentsMonth(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Month, pfSupplier, QStringLiteral("厂商选择："), Design(),
                         parent) {
    SetCaption(QStringLiteral("采购付款月度分析总表"));
}

void Tfrm_OLAPPaymentsMonth::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPPaymentsMonth = nullptr;
}

QString Tfrm_OLAPPaymentsMonth::GetDataSQL() {
    const QString y = YearText();
    const QString m = MonthText();
    QString sql =
        "select a.fcode 厂商编号,a.fabbrev "
        "厂商名称,a.fbilldate,right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as "
        "日期,b.sumto 金额 from (" +
        kCR +
        "select a.fcode,a.fabbrev,b.fbilldate from dt_supplier a,(select * from FN_MonthDay('" +
        MonthFirstDay() + "'" + "))b" + kCR +
        "where fcode in(select fsuppliercode from d_payments)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_supplier);
    sql += ")a left join" + kCR +
           "(select a.fsuppliercode,a.fbilldate,sum(isnull(a.famount,0)) sumto" + kCR +
           " from d_payments a where a.fposted=1 and year(a.fbilldate)=" + y +
           " and month(a.fbilldate)=" + m + kCR;
    sql += CodeListClause(QStringLiteral("a.fsuppliercode"), sel_supplier);
    sql += "group by a.fsuppliercode,a.fbilldate)b" + kCR +
           "on a.fcode=b.fsuppliercode and a.fbilldate=b.fbilldate" + kCR +
           "order by a.fcode,b.fbilldate";
    return sql;
}
