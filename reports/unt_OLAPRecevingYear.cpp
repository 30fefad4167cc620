#include "reports/unt_OLAPRecevingYear.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPRecevingYear* frm_OLAPRecevingYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPRecevingYear, "frm_OLAPRecevingYear", "厂商到货年度分析总表",
                        frm_OLAPRecevingYear)

namespace {

TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("厂商编号"), QStringLiteral("厂商名称")};
    d.columns = {QStringLiteral("月份")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    d.filterArea = false;
    return d;
}

}  // namespace

// Suppliers: no client scope.
Tfrm_OLAPRecevingYear::Tfrm_OLAPRecevingYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, pfSupplier | pfGoods | pfHouse,
                         QStringLiteral("厂商选择："), Design(), parent) {
    SetCaption(QStringLiteral("厂商到货年度分析总表"));
}

void Tfrm_OLAPRecevingYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPRecevingYear = nullptr;
}

QString Tfrm_OLAPRecevingYear::GetDataSQL() {
    const QString y = YearText();
    QString sql =
        "Select a.fcode 厂商编号,a.fabbrev 厂商名称,right('0'+convert(varchar(2),a.fmonth)+'月',3) "
        "as 月份,b.qty 数量,b.sumto 金额 from (" +
        kCR + "select a.fcode,a.fabbrev,b.fmonth from dt_supplier a,(select * from V_MonthList)b" +
        kCR + "where fcode in(select fsuppliercode from d_receving)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_supplier);
    sql += ")a left join" + kCR +
           "(select b.fsuppliercode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,"
           "sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto" +
           kCR +
           " from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid where b.fposted=1 "
           "and year(b.fbilldate)=" +
           y + kCR;
    sql += CodeListClause(QStringLiteral("b.fsuppliercode"), sel_supplier);
    sql += CodeListClause(QStringLiteral("b.fhousecode"), sel_house);
    sql += CodeListClause(QStringLiteral("a.fgoodsid"), sel_goods);
    sql += "group by b.fsuppliercode,b.fbilldate)b" + kCR +
           "on a.fcode=b.fsuppliercode and a.fmonth=b.fmonth" + kCR + MonthOrderText();
    return sql;
}
