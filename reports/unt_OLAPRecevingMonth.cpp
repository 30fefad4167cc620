#include "reports/unt_OLAPRecevingMonth.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPRecevingMonth* frm_OLAPRecevingMonth = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPRecevingMonth, "frm_OLAPRecevingMonth", "采购入库月度分析总表",
                        frm_OLAPRecevingMonth)

namespace {

// Days down the rows, suppliers across the columns with the measure captions after them.
TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("日期")};
    d.columns = {QStringLiteral("厂商名称")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    d.filter = {QStringLiteral("厂商编号")};
    d.dataAreaIndex = 1;
    return d;
}

}  // namespace

// Suppliers: no client scope.
Tfrm_OLAPRecevingMonth::Tfrm_OLAPRecevingMonth(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Month, pfSupplier | pfGoods | pfHouse,
                         QStringLiteral("厂商选择："), Design(), parent) {
    SetCaption(QStringLiteral("采购入库月度分析总表"));
}

void Tfrm_OLAPRecevingMonth::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPRecevingMonth = nullptr;
}

void Tfrm_OLAPRecevingMonth::OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                          morvane::pivot::CellDrawInfo& AViewInfo) {
}

QString Tfrm_OLAPRecevingMonth::GetDataSQL() {
    const QString y = YearText();
    const QString m = MonthText();
    QString sql =
        "select a.fcode 厂商编号,a.fabbrev "
        "厂商名称,a.fbilldate,right('0'+convert(varchar(2),day(a.fbilldate))+'日',3) as 日期," +
        kCR +
        "b.qty 数量,b.sumto 金额 from (select a.fcode,a.fabbrev,b.fbilldate from dt_supplier a,"
        "(select * from FN_MonthDay('" +
        MonthFirstDay() + "'" + "))b " + kCR +
        "where a.fcode in(select fsuppliercode from d_receving)" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), sel_supplier);
    sql += ")a left join" + kCR +
           "(select b.fsuppliercode,b.fbilldate,sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) "
           "sumto" +
           kCR + " from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid" + kCR +
           "where b.fposted=1 and year(b.fbilldate)=" + y + " and month(b.fbilldate)=" + m + kCR;
    sql += CodeListClause(QStringLiteral("b.fsuppliercode"), sel_supplier);
    sql += CodeListClause(QStringLiteral("b.fhousecode"), sel_house);
    sql += CodeListClause(QStringLiteral("a.fgoodsid"), sel_goods);
    sql +=
        " group by b.fsuppliercode,b.fbilldate)b on a.fcode=b.fsuppliercode and "
        "a.fbilldate=b.fbilldate order by a.fcode,b.fbilldate";
    return sql;
}
