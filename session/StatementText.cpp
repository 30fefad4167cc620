#include "session/StatementText.h"

#include "session/totalpub1.h"

namespace morvane::sql {

QString Escaped(const QString& text) {
    QString out = text;
    return out.replace(QLatin1Char('\''), QLatin1String("''"));
}

QString Quoted(const QString& text) {
    return QLatin1Char('\'') + Escaped(text) + QLatin1Char('\'');
}

QString CodeList(const QStringList& codes) {
    QStringList quoted;
    quoted.reserve(codes.size());
    for (const QString& code : codes)
        quoted << Quoted(code);
    return quoted.join(QLatin1Char(','));
}

QString InList(const QString& column, const QString& codeList) {
    if (codeList.isEmpty())
        return QString();
    return " and " + column + " in(" + codeList + ")" + CR;
}

QString ScopeCodes(Scope scope) {
    switch (scope) {
        case Scope::Client:
            return pub_clientall ? QString() : pub_clientcodes;
        case Scope::House:
            return pub_houseall ? QString() : pub_housecodes;
        case Scope::Brand:
            return pub_brandall ? QString() : pub_brandcodes;
    }
    return QString();
}

QString ScopeClause(const QString& column, Scope scope) {
    return InList(column, ScopeCodes(scope));
}

QString PeriodLabel(const QString& number, const QString& unit) {
    return "right('0'+convert(varchar(2)," + number + ")+'" + unit + "',3)";
}

QString DayLabel(const QString& dateColumn) {
    return PeriodLabel("day(" + dateColumn + ")", QStringLiteral("日"));
}

QString MonthLabel(const QString& monthColumn) {
    return PeriodLabel(monthColumn, QStringLiteral("月"));
}

}  // namespace morvane::sql
