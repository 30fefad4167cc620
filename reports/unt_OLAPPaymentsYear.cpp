#include "reports/unt_OLAPPaymentsYear.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPPaymentsYear* frm_OLAPPaymentsYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPPaymentsYear, "frm_OLAPPaymentsYear", "采购付款年度分析总表",
                        frm_OLAPPaymentsYear)

namespace {

// 比例 is the last data field, after the amount whose share of the row it shows.
TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("厂商编号"), QStringLiteral("厂商名称")};
    d.columns = {QStringLiteral("月份")};
    d.data = {QStringLiteral("金额"), QStringLiteral("比例")};
    d.filterArea = false;
    return d;
}

}  // namespace

// Suppliers: no client scope.
Tfrm_OLAPPaymentsYear::Tfrm_OLAPPaymentsYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, pfSupplier, QStringLiteral("厂商选择："), Design(),
                         parent) {
    SetCaption(QStringLiteral("采购付款年度分析总表"));
}

void Tfrm_OLAPPaymentsYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPPaymentsYear = nullptr;
}

QString Tfrm_OLAPPaymentsYear::GetDataSQL() {
    const QString y = YearText();
    QString sql =
        "select a.fcode 厂商编号,a.fabbrev 厂商名称,right('0'+convert(varchar(2),a.fmonth)+'月',3) "
        "as 月份,b.sumto 金额,比例=NULL from (" +
        kCR + "select a.fcode,a.fabbrev,b.fmonth from dt_supplier a,(select * from V_MonthList)b" +
        kCR + "where fcode in(select fsuppliercode from d_payments)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_supplier);
    // The sums are not filtered: the join to the listed suppliers limits them.
    sql += ")a" + kCR + "left join" + kCR +
           "(select a.fsuppliercode,month(a.fbilldate) as fmonth,sum(isnull(a.famount,0)) sumto" +
           kCR + " from d_payments a where a.fposted=1 and year(a.fbilldate)=" + y + kCR +
           "group by a.fsuppliercode,a.fbilldate)b" + kCR +
           "on a.fcode=b.fsuppliercode and a.fmonth=b.fmonth" + kCR + MonthOrderText();
    return sql;
}
