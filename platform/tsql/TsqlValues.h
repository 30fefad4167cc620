#pragma once

// Value rules of SQL Server that the SQLite helpers reproduce, free of
// SQLite so they can be tested and reused on their own: date texts, text to
// number conversion, decimal rounding, character (not byte) counting in UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::tsql::values {

// A date with an optional time of day, as SQL Server reads the texts the
// statements and the demo data use: 'yyyy-m-d', 'yyyy/m/d', 'yyyymmdd',
// each optionally followed by ' hh:mm[:ss[.fff]]' (or 'T' before the time).
struct DateTime {
    int year = 1900;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool hasTime = false;
};

std::optional<DateTime> parseDate(std::string_view text);

// 'yyyy-mm-dd', or 'yyyy-mm-dd hh:mm:ss' when the value has a time of day.
std::string formatDate(const DateTime& d);

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(int y, int m, int d);
DateTime civilFromDays(std::int64_t days);
int daysInMonth(int year, int month);

// SQL Server reads a number as a date: days since 1900-01-01.
DateTime dateFromSerial(std::int64_t days);

// datediff(part, a, b): the number of part boundaries crossed from a to b.
// part is canonical (day, month, year, quarter, week, hour, minute, second).
std::optional<std::int64_t> dateDiff(std::string_view part, const DateTime& a, const DateTime& b);

// dateadd(part, n, d); month-based parts keep the day, clamped to the end of
// the target month. Empty when the result leaves years 1753..9999.
std::optional<DateTime> dateAdd(std::string_view part, std::int64_t n, const DateTime& d);

// datepart(part, d).
std::optional<std::int64_t> datePart(std::string_view part, const DateTime& d);

// Text to int as SQL Server converts it: blanks around an optional sign and
// digits; the empty text is 0.
std::optional<std::int64_t> parseInteger(std::string_view text);

// Text to a decimal or float number (blanks around, optional sign, digits
// with an optional point and exponent). Empty text is 0 when emptyIsZero.
std::optional<double> parseNumber(std::string_view text, bool emptyIsZero);

// Rounds half away from zero to `scale` decimals (negative: tens, hundreds),
// working on the value's 15 significant decimal digits so that 2.345 rounds
// to 2.35 as an exact decimal would. truncate drops the digits instead.
double roundDecimal(double x, int scale, bool truncate = false);

// Number as text for string conversions: integers in full, reals with up to
// 15 significant digits and no trailing zeros.
std::string formatReal(double x);

// Characters of a UTF-8 text, and the byte offset of character `index`
// (0-based; the text's size when index is past the end).
std::size_t charCount(std::string_view s);
std::size_t byteOffset(std::string_view s, std::size_t index);

// SQL Server's default collation on texts: ASCII letters without regard to
// case, other bytes as they are, trailing blanks ignored. <0, 0, >0.
int compareCi(std::string_view a, std::string_view b);

// Byte position of needle in hay at or after `from`, ASCII case ignored.
std::size_t findCi(std::string_view hay, std::string_view needle, std::size_t from);

// `text LIKE pattern` as SQL Server matches under its default collation: %
// any run of characters, _ one character, [abc] [a-c] one character of the
// set or range, [^...] one character outside it (a class holds %, _ and [
// as themselves, so [%] [_] [[] match those literally); letters without
// regard to case; characters, not bytes, of UTF-8. Trailing blanks of the
// text do not count ('abc  ' matches 'abc'), those of the pattern do. A [
// that no ] closes matches nothing.
bool likeMatch(std::string_view text, std::string_view pattern);

}  // namespace morvane::tsql::values
