#include "reports/ClientPeriodSql.h"

#include "entry/totalpub1.h"
#include "reports/PeriodReport.h"

namespace morvane::reports {

namespace {

const QString L = QString(QChar(13));

// The period the composite statements group by: month of a year or day of a month.
struct Period {
    QString unit;   // month / day
    QString key;    // fmonth / fday
    QString label;  // 月 / 日
    QString dateFilter(const QString& alias) const;
    int year;
    int month;  // 0 for a whole year
};

QString Period::dateFilter(const QString& alias) const {
    QString text =
        "where " + alias + ".fposted=1 and year(" + alias + ".fbilldate)=" + QString::number(year);
    if (month > 0)
        text += " and month(" + alias + ".fbilldate)=" + QString::number(month);
    return text;
}

// One of the seven joined sums: a document with detail lines (quantity and settled amount)
// or a single-table document (amount).
struct Sum {
    QString alias;
    QString source;  // "head join detail" text for detail documents, else empty
    QString table;   // single-table document, else empty
};

const Sum kSums[] = {
    {"b", "from d_saledetail a join d_sale b on a.fbillid=b.fbillid", ""},
    {"c", "from d_orderdetail a join d_order b on a.fbillid=b.fbillid", ""},
    {"d", " from d_salereturndetail a join d_salereturn b on a.fbillid=b.fbillid", ""},
    {"e", "", "d_payment"},
    {"f", "", "d_charges"},
    {"g", "", "d_subsreceipt"},
    {"h", "", "d_subsreceipt_flag"},
};

QString ClientSQL(const Period& p, const QString& outer, const QString& firstJoin,
                  const QString& selClient, const QString& scopeCodes) {
    QString sql =
        "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级,"
        "right('0'+convert(varchar(2),a." +
        p.key + ")+'" + p.label + "',3) " + (p.month > 0 ? "日期," : "月份,") + L +
        "c.qty 订货数量,c.sumto 订货金额,b.qty 销售数量,b.sumto 销售金额,d.qty 退货数量,d.sumto "
        "退货金额," +
        L +
        "isnull(b.qty,0)-isnull(d.qty,0) 净出货数量,isnull(b.sumto,0)-isnull(d.sumto,0) "
        "净出货金额," +
        L + "g.famount 订金收入,h.famount 订金结转,e.famount 回款金额,f.famount 其它费用" + L +
        outer + L + "where a.fmathod not in('自营','专柜')" + L;
    sql += CodeListClause(QStringLiteral("a.fcode"), selClient);
    sql += CodeListClause(QStringLiteral("a.fcode"), scopeCodes);
    sql += firstJoin + L;

    bool first = true;
    for (const Sum& s : kSums) {
        if (!first)
            sql += "left join" + L;
        first = false;
        const bool detail = s.table.isEmpty();
        const QString head = detail ? "b" : "a";
        if (detail) {
            sql += "(select b.fclientcode," + p.unit + "(b.fbilldate) " + p.key +
                   ",sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" + L + s.source + L;
        } else {
            sql += "(select a.fclientcode," + p.unit + "(a.fbilldate) " + p.key +
                   ",sum(a.famount) famount  from " + s.table + " a" + L;
        }
        sql += p.dateFilter(head);
        // The yearly window runs the carried-over deposits' filter straight into its grouping.
        if (!(s.alias == "h" && p.month == 0))
            sql += L;
        sql += "group by " + head + ".fclientcode," + p.unit + "(" + head + ".fbilldate))" +
               s.alias + L;
        sql += "on a.fcode=" + s.alias + ".fclientcode and a." + p.key + "=" + s.alias + "." +
               p.key + L;
    }
    sql += "order by a.fcode,right('0'+convert(varchar(2),a." + p.key + ")+'" + p.label + "',3)";
    return sql;
}

QString Quoted(QString text) {
    return text.replace(QLatin1Char('\''), QLatin1String("''"));
}

}  // namespace

QString ClientScopeCodes() {
    return pub_clientall ? QString() : pub_clientcodes;
}

QString ClientYearSQL(int year, const QString& selClient, const QString& scopeCodes) {
    const Period p{"month", "fmonth", "月", year, 0};
    return ClientSQL(p,
                     "from (select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client "
                     "a,(select * from V_MonthList)b",
                     ")a left join", selClient, scopeCodes);
}

QString ClientMonthSQL(int year, int month, const QString& selClient, const QString& scopeCodes) {
    const Period p{"day", "fday", "日", year, month};
    const QString d = QString::number(year) + "-" + QString::number(month) + "-1";
    return ClientSQL(p,
                     "from (select a.fcode,a.fabbrev,a.fmathod,a.fgrad,day(b.fbilldate) fday "
                     "from dt_client a,(select fbilldate from fn_monthday('" +
                         d + "'))b",
                     ")a" + L + "left join", selClient, scopeCodes);
}

QString EmpSaleYearSQL(int year, const QString& shopCode) {
    return "select right('0'+convert(varchar(2),a.fmonth)+'月',3) 月份,b.femployeeid "
           "营业员编号,g.fnamech 营业员姓名,b.fqty 数量,b.fsumto 金额,比例=NULL" +
           L + " from V_MonthList a left join" + L +
           "(select a.femployeeid,month(a.fbilldate) fmonth,sum(isnull(b.qty,0)) "
           "fqty,sum(isnull(b.qty,0)*isnull(b.fbalancprice,0)) fsumto" +
           L + "from d_s_sale a join d_s_saledetail  b on a.fbillid=b.fbillid" + L +
           "where a.fclientcode='" + Quoted(shopCode) +
           "' and year(a.fbilldate)=" + QString::number(year) + L +
           "group by a.femployeeid,month(a.fbilldate))b" + L + "on a.fmonth=b.fmonth" + L +
           "left join v_employee g on b.femployeeid=g.fcode" + L +
           "order by right('0'+convert(varchar(2),a.fmonth)+'月',3)";
}

QString EmpSaleMonthSQL(int year, int month, const QString& shopCode) {
    const QString y = QString::number(year);
    const QString m = QString::number(month);
    const QString d = y + "-" + m + "-01";
    return "select right('0'+convert(varchar(2),a.fday)+'日',3) 日期,b.femployeeid "
           "营业员编号,g.fnamech 营业员姓名,b.fqty 数量,b.fsumto 金额,比例=NULL from" +
           L + "(select day(fbilldate) as fday from FN_MonthDay('" + d + "'))a" + L + "left join" +
           L +
           "(select a.femployeeid,day(a.fbilldate) fday,sum(isnull(b.qty,0)) "
           "fqty,sum(isnull(b.qty,0)*isnull(b.fbalancprice,0)) fsumto" +
           L + "from d_s_sale a join d_s_saledetail  b on a.fbillid=b.fbillid" + L +
           "where a.fclientcode='" + Quoted(shopCode) + "' and year(a.fbilldate)=" + y +
           " and month(a.fbilldate)=" + m + L +
           "group by a.femployeeid,day(a.fbilldate))b on a.fday=b.fday" + L +
           "left join v_employee g on b.femployeeid=g.fcode";
}

QString EmpSaleShopListSQL(const QString& scopeCodes) {
    QString sql = QStringLiteral(
        "select fcode,fabbrev,fmathod from dt_client where fcode in(select distinct(fclientcode) "
        "from d_s_sale)");
    if (!scopeCodes.isEmpty())
        sql += " and fcode in(" + scopeCodes + ")";
    return sql;
}

}  // namespace morvane::reports
