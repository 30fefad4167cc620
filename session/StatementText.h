#pragma once
// The pieces every statement is built from. Statements are T-SQL text put together by
// concatenation, one carriage return per line break, and reach SQL Server byte for byte.
//
// One rule holds for every value spliced into a statement, wherever it comes from (typed by the
// user, read from a picker row or a scope table, the user number, a list name, a category
// label, a search text): it passes through Escaped()/Quoted(), which double its apostrophes. An
// ordinary code comes out unchanged; a value holding an apostrophe can never end its literal.

#include <QString>
#include <QStringList>

namespace morvane::sql {

// The line break of every statement.
inline const QString CR = QStringLiteral("\r");

// The text with each apostrophe doubled, for use inside a literal ('%...%' searches).
QString Escaped(const QString& text);
// The text as one literal: 'text', apostrophes doubled.
QString Quoted(const QString& text);

// A code list: each code quoted and joined by "," without blanks ('A01','A02'); "" for none.
QString CodeList(const QStringList& codes);
// " and <column> in(<list>)" and a line break, or "" for the empty list (no filter).
QString InList(const QString& column, const QString& codeList);

// The signed-in user's data scope.
enum class Scope { Client, House, Brand };
// The code list a restricted user's statements add: the scope's codes while its "all" flag is
// false; "" when the user is unrestricted or the list is empty.
QString ScopeCodes(Scope scope);
// InList(column, ScopeCodes(scope)).
QString ScopeClause(const QString& column, Scope scope);

// Two-digit period labels: right('0'+convert(varchar(2),<n>)+'<unit>',3), e.g. "03日".
QString PeriodLabel(const QString& number, const QString& unit);
// The day of a date column as "DD日".
QString DayLabel(const QString& dateColumn);
// A month number column as "MM月".
QString MonthLabel(const QString& monthColumn);

}  // namespace morvane::sql
