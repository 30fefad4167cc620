#include "reports/unt_OLAPPaymentMonth.h"

#include "framework/unt_basefrmClasses.h"
#include "platform/ui/PivotGrid.h"

using namespace morvane::reports;

Tfrm_OLAPPaymentMonth* frm_OLAPPaymentMonth = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPPaymentMonth, "frm_OLAPPaymentMonth", "销售回款月度分析总表",
                        frm_OLAPPaymentMonth)

namespace {

// Clients down the rows, days across; the filter area is off, so the columns that are placed
// nowhere (客户等级, fbilldate) are not seen.
TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("客户性质"), QStringLiteral("客户编号"), QStringLiteral("客户简称")};
    d.columns = {QStringLiteral("日期")};
    d.data = {QStringLiteral("回款金额")};
    d.filterArea = false;
    return d;
}

}  // namespace

Tfrm_OLAPPaymentMonth::Tfrm_OLAPPaymentMonth(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Month, pfClient, QString(), Design(), parent) {
    SetCaption(QStringLiteral("销售回款月度分析总表"));
}

void Tfrm_OLAPPaymentMonth::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPPaymentMonth = nullptr;
}

void Tfrm_OLAPPaymentMonth::OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                         morvane::pivot::CellDrawInfo& AViewInfo) {}

void Tfrm_OLAPPaymentMonth::LayoutPivot() {
    Tbase_OLAPreport::LayoutPivot();
}

void Tfrm_OLAPPaymentMonth::SetFieldAreas() {
    SetFieldArea(QStringLiteral("日期"), 0);
    SetFieldArea(QStringLiteral("客户性质"), 1);
    SetFieldArea(QStringLiteral("客户编号"), 1);
    SetFieldArea(QStringLiteral("客户简称"), 1);
    SetFieldArea(QStringLiteral("回款金额"), 3);
}

QString Tfrm_OLAPPaymentMonth::GetDataSQL() {
    const QString y = YearText();
    const QString m = MonthText();
    QString sql =
        "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad "
        "客户等级,a.fbilldate," +
        kCR +
        "right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期,b.sumto 回款金额 from (" +
        kCR +
        "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fbilldate from dt_client a,(select * from "
        "FN_MonthDay('" +
        MonthFirstDay() + "'" + "))b " + kCR +
        "where a.fcode in(select fclientcode from d_payment) " + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fcode"));
    sql += ")a" + kCR +
           "left join (select a.fclientcode,a.fbilldate,sum(isnull(a.famount,0)) sumto" + kCR +
           "from d_payment a where a.fposted=1 and year(a.fbilldate)=" + y +
           " and month(a.fbilldate)=" + m + kCR;
    sql += CodeListClause(QStringLiteral("a.fclientcode"), sel_client);
    sql += ClientScopeClause(QStringLiteral("a.fclientcode"));
    sql +=
        " group by a.fclientcode,a.fbilldate)b on a.fcode=b.fclientcode and "
        "a.fbilldate=b.fbilldate order by a.fbilldate";
    return sql;
}
