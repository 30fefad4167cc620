#include "reports/clientemp/ClientPeriodSql.h"

#include "session/StatementText.h"

namespace morvane::reports {

using namespace morvane::sql;

namespace {

// The period the composite statements group by: month of a year or day of a month.
struct Period {
    QString unit;   // month / day
    QString key;    // fmonth / fday
    QString label;  // 月 / 日
    int year;
    int month;  // 0 for a whole year

    QString Label() const { return PeriodLabel("a." + key, label); }
    QString DateFilter(const QString& alias) const {
        QString text = "where " + alias + ".fposted=1 and year(" + alias +
                       ".fbilldate)=" + QString::number(year);
        if (month > 0)
            text += " and month(" + alias + ".fbilldate)=" + QString::number(month);
        return text;
    }
};

// The seven joined sums in join order: documents with detail lines (quantity and settled
// amount, from head b joined to lines a) and single-table documents (amount, from a).
struct Sum {
    const char* alias;
    const char* source;  // the head/detail join, or the single table
    bool detail;
};

// clang-format off
const Sum kSums[] = {
    {"b", "from d_saledetail a join d_sale b on a.fbillid=b.fbillid", true},
    {"c", "from d_orderdetail a join d_order b on a.fbillid=b.fbillid", true},
    {"d", " from d_salereturndetail a join d_salereturn b on a.fbillid=b.fbillid", true},
    {"e", "d_payment", false},
    {"f", "d_charges", false},
    {"g", "d_subsreceipt", false},
    {"h", "d_subsreceipt_flag", false},
};

QString ClientSQL(const Period& p, const QString& crossing, const QString& firstJoin, const QString& selClient) {
    QString sql = "select a.fcode 客户编号,a.fabbrev 客户简称,a.fmathod 客户性质,a.fgrad 客户等级," + p.Label() + (p.month > 0 ? " 日期," : " 月份,") + CR +
                  "c.qty 订货数量,c.sumto 订货金额,b.qty 销售数量,b.sumto 销售金额,d.qty 退货数量,d.sumto 退货金额," + CR +
                  "isnull(b.qty,0)-isnull(d.qty,0) 净出货数量,isnull(b.sumto,0)-isnull(d.sumto,0) 净出货金额," + CR +
                  "g.famount 订金收入,h.famount 订金结转,e.famount 回款金额,f.famount 其它费用" + CR +
                  crossing + CR +
                  "where a.fmathod not in('自营','专柜')" + CR +
                  InList("a.fcode", selClient) + ScopeClause("a.fcode", Scope::Client) +
                  firstJoin + CR;
    for (const Sum& s : kSums) {
        const QString alias = QString::fromLatin1(s.alias);
        const QString head = s.detail ? "b" : "a";
        if (alias != "b")
            sql += "left join" + CR;
        if (s.detail)
            sql += "(select b.fclientcode," + p.unit + "(b.fbilldate) " + p.key + ",sum(a.qty) qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto" + CR +
                   s.source + CR;
        else
            sql += "(select a.fclientcode," + p.unit + "(a.fbilldate) " + p.key + ",sum(a.famount) famount  from " + s.source + " a" + CR;
        sql += p.DateFilter(head);
        // The yearly window runs the carried-over deposits' filter straight into its grouping.
        if (!(alias == "h" && p.month == 0))
            sql += CR;
        sql += "group by " + head + ".fclientcode," + p.unit + "(" + head + ".fbilldate))" + alias + CR +
               "on a.fcode=" + alias + ".fclientcode and a." + p.key + "=" + alias + "." + p.key + CR;
    }
    return sql + "order by a.fcode," + p.Label();
}

}  // namespace

QString ClientYearSQL(int year, const QString& selClient) {
    return ClientSQL({"month", "fmonth", "月", year, 0},
                     "from (select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from V_MonthList)b",
                     ")a left join", selClient);
}

QString ClientMonthSQL(int year, int month, const QString& selClient) {
    const QString firstDay = QString::number(year) + "-" + QString::number(month) + "-1";
    return ClientSQL({"day", "fday", "日", year, month},
                     "from (select a.fcode,a.fabbrev,a.fmathod,a.fgrad,day(b.fbilldate) fday from dt_client a,(select fbilldate from fn_monthday('" + firstDay + "'))b",
                     ")a" + CR + "left join", selClient);
}

QString EmpSaleYearSQL(int year, const QString& shopCode) {
    return "select " + MonthLabel("a.fmonth") + " 月份,b.femployeeid 营业员编号,g.fnamech 营业员姓名,b.fqty 数量,b.fsumto 金额,比例=NULL" + CR +
           " from V_MonthList a left join" + CR +
           "(select a.femployeeid,month(a.fbilldate) fmonth,sum(isnull(b.qty,0)) fqty,sum(isnull(b.qty,0)*isnull(b.fbalancprice,0)) fsumto" + CR +
           "from d_s_sale a join d_s_saledetail  b on a.fbillid=b.fbillid" + CR +
           "where a.fclientcode=" + Quoted(shopCode) + " and year(a.fbilldate)=" + QString::number(year) + CR +
           "group by a.femployeeid,month(a.fbilldate))b" + CR +
           "on a.fmonth=b.fmonth" + CR +
           "left join v_employee g on b.femployeeid=g.fcode" + CR +
           "order by " + MonthLabel("a.fmonth");
}

QString EmpSaleMonthSQL(int year, int month, const QString& shopCode) {
    const QString y = QString::number(year), m = QString::number(month);
    return "select " + PeriodLabel("a.fday", "日") + " 日期,b.femployeeid 营业员编号,g.fnamech 营业员姓名,b.fqty 数量,b.fsumto 金额,比例=NULL from" + CR +
           "(select day(fbilldate) as fday from FN_MonthDay('" + y + "-" + m + "-01'))a" + CR +
           "left join" + CR +
           "(select a.femployeeid,day(a.fbilldate) fday,sum(isnull(b.qty,0)) fqty,sum(isnull(b.qty,0)*isnull(b.fbalancprice,0)) fsumto" + CR +
           "from d_s_sale a join d_s_saledetail  b on a.fbillid=b.fbillid" + CR +
           "where a.fclientcode=" + Quoted(shopCode) + " and year(a.fbilldate)=" + y + " and month(a.fbilldate)=" + m + CR +
           "group by a.femployeeid,day(a.fbilldate))b on a.fday=b.fday" + CR +
           "left join v_employee g on b.femployeeid=g.fcode";
}

QString EmpSaleShopListSQL() {
    const QString scope = ScopeCodes(Scope::Client);
    return "select fcode,fabbrev,fmathod from dt_client where fcode in(select distinct(fclientcode) from d_s_sale)" +
           (scope.isEmpty() ? QString() : " and fcode in(" + scope + ")");
}
// clang-format on

}  // namespace morvane::reports
