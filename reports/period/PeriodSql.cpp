#include "reports/period/PeriodSql.h"

#include "session/StatementText.h"

namespace morvane::reports {

using namespace morvane::sql;

QString MonthOrderText() {
    return "order by a.fcode," + MonthLabel("a.fmonth");
}

// clang-format off
QString ClientDocumentYearSQL(const QString& label, const QString& head, const QString& detail,
                              int year, const QString& clients, const QString& houses,
                              const QString& goods) {
    return "select a.fcode " + label + "编号,a.fabbrev " + label + "简称,a.fmathod " + label + "性质,a.fgrad " + label + "等级," + MonthLabel("a.fmonth") + " as 月份,b.qty 数量,b.sumto 金额 from (" + CR +
           "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,(select * from V_MonthList)b" + CR +
           "where fcode in(select fclientcode from " + head + ")" + CR +
           InList("a.fcode", clients) + ScopeClause("a.fcode", Scope::Client) +
           ")a left join" + CR +
           "(select b.fclientcode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto" + CR +
           " from " + detail + " a join " + head + " b on a.fbillid=b.fbillid where b.fposted=1 and year(b.fbilldate)=" + QString::number(year) + CR +
           InList("b.fclientcode", clients) + ScopeClause("b.fclientcode", Scope::Client) +
           InList("b.fhousecode", houses) + InList("a.fgoodsid", goods) +
           "group by b.fclientcode,b.fbilldate)b" + CR +
           "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + CR +
           MonthOrderText();
}
// clang-format on

}  // namespace morvane::reports
