// SQL Server's value rules as the runtime implements them, without SQLite.
// The cases that statements reach are in data/execution/results.txt; these
// are the boundaries beyond them.

#include <gtest/gtest.h>

#include "platform/tsql/TsqlValues.h"

namespace morvane::tsql::values {
namespace {

TEST(ParseDate, AcceptsTheTextFormsOfTheStatementsAndData) {
    auto d = parseDate("2026-3-01");
    ASSERT_TRUE(d);
    EXPECT_EQ(formatDate(*d), "2026-03-01");
    EXPECT_EQ(formatDate(*parseDate("2026-3-1")), "2026-03-01");
    EXPECT_EQ(formatDate(*parseDate("2026/12/31")), "2026-12-31");
    EXPECT_EQ(formatDate(*parseDate("20260305")), "2026-03-05");
    EXPECT_EQ(formatDate(*parseDate(" 2026-03-05 10:30:15 ")), "2026-03-05 10:30:15");
    EXPECT_EQ(formatDate(*parseDate("2026-03-05T10:30")), "2026-03-05 10:30:00");
    EXPECT_EQ(formatDate(*parseDate("2026-03-05 10:30:15.123")), "2026-03-05 10:30:15");
    EXPECT_EQ(formatDate(*parseDate("2024-02-29")), "2024-02-29");
}

TEST(ParseDate, RejectsWhatSqlServerCannotConvert) {
    for (const char* bad :
         {"", "2026", "2026-13-01", "2026-02-29", "2026-04-31", "2026-00-10", "26-03-01",
          "2026-03-01x", "2026-03-01 25:00", "1700-01-01", "abc", "2026-03/01"}) {
        EXPECT_FALSE(parseDate(bad)) << bad;
    }
}

TEST(Calendar, DaysInMonthAndCivilDays) {
    EXPECT_EQ(daysInMonth(2026, 2), 28);
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2026, 4), 30);
    EXPECT_EQ(daysInMonth(2026, 12), 31);
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    DateTime d = civilFromDays(daysFromCivil(2026, 3, 5) + 27);
    EXPECT_EQ(formatDate(d), "2026-04-01");
    EXPECT_EQ(formatDate(dateFromSerial(0)), "1900-01-01");
    EXPECT_EQ(formatDate(dateFromSerial(59)), "1900-03-01");  // 1900 is no leap year
}

TEST(DateDiff, CountsBoundaries) {
    auto diff = [](const char* part, const char* a, const char* b) {
        return *dateDiff(part, *parseDate(a), *parseDate(b));
    };
    EXPECT_EQ(diff("day", "2026-03-02 23:59:59", "2026-03-03 00:00:00"), 1);
    EXPECT_EQ(diff("month", "2025-11-15", "2026-02-01"), 3);
    EXPECT_EQ(diff("quarter", "2026-03-31", "2026-04-01"), 1);
    // 2026-03-07 is a Saturday, 2026-03-08 a Sunday.
    EXPECT_EQ(diff("week", "2026-03-07", "2026-03-08"), 1);
    EXPECT_EQ(diff("week", "2026-03-08", "2026-03-14"), 0);
    EXPECT_EQ(diff("hour", "2026-03-01 10:59:00", "2026-03-01 11:00:00"), 1);
    EXPECT_EQ(diff("minute", "2026-03-01 10:59:59", "2026-03-01 11:00:00"), 1);
    EXPECT_EQ(diff("second", "2026-03-01", "2026-03-02"), 86400);
    EXPECT_FALSE(dateDiff("weekday", *parseDate("2026-03-01"), *parseDate("2026-03-02")));
}

TEST(DateAdd, ClampsToTheEndOfTheMonthAndKeepsTheForm) {
    auto add = [](const char* part, std::int64_t n, const char* d) {
        return formatDate(*dateAdd(part, n, *parseDate(d)));
    };
    EXPECT_EQ(add("month", -1, "2026-03-31"), "2026-02-28");
    EXPECT_EQ(add("month", 13, "2026-01-15"), "2027-02-15");
    EXPECT_EQ(add("quarter", 1, "2026-11-30"), "2027-02-28");
    EXPECT_EQ(add("day", 1, "2026-02-28"), "2026-03-01");
    EXPECT_EQ(add("week", -1, "2026-03-01"), "2026-02-22");
    EXPECT_EQ(add("day", 1, "2026-02-28 10:00:00"), "2026-03-01 10:00:00");
    EXPECT_EQ(add("hour", 27, "2026-02-28"), "2026-03-01 03:00:00");
    EXPECT_FALSE(dateAdd("year", 8000, *parseDate("2026-01-01")));
}

TEST(DatePart, ReadsEachPart) {
    DateTime d = *parseDate("2026-03-08 14:05:09");
    EXPECT_EQ(*datePart("quarter", d), 1);
    EXPECT_EQ(*datePart("hour", d), 14);
    EXPECT_EQ(*datePart("second", d), 9);
    // 2026-01-01 is a Thursday: week 1 runs to Saturday the 3rd.
    EXPECT_EQ(*datePart("week", *parseDate("2026-01-03")), 1);
    EXPECT_EQ(*datePart("week", *parseDate("2026-01-04")), 2);
}

TEST(Numbers, TextConversions) {
    EXPECT_EQ(*parseInteger(" 12 "), 12);
    EXPECT_EQ(*parseInteger("-7"), -7);
    EXPECT_EQ(*parseInteger(""), 0);
    EXPECT_FALSE(parseInteger("1.5"));
    EXPECT_FALSE(parseInteger("x"));
    EXPECT_FALSE(parseInteger("-"));
    EXPECT_DOUBLE_EQ(*parseNumber("1.5", false), 1.5);
    EXPECT_DOUBLE_EQ(*parseNumber(" -2e3 ", false), -2000.0);
    EXPECT_DOUBLE_EQ(*parseNumber(".5", false), 0.5);
    EXPECT_FALSE(parseNumber("", false));
    EXPECT_DOUBLE_EQ(*parseNumber("", true), 0.0);
    EXPECT_FALSE(parseNumber("1e", false));
    EXPECT_FALSE(parseNumber("1.2.3", false));
}

TEST(Numbers, RoundDecimalWorksOnDecimalDigits) {
    EXPECT_DOUBLE_EQ(roundDecimal(0.5, 0), 1.0);
    EXPECT_DOUBLE_EQ(roundDecimal(-0.5, 0), -1.0);
    EXPECT_DOUBLE_EQ(roundDecimal(0.004, 2), 0.0);
    EXPECT_DOUBLE_EQ(roundDecimal(0.005, 2), 0.01);
    EXPECT_DOUBLE_EQ(roundDecimal(1234.5, -2), 1200.0);
    EXPECT_DOUBLE_EQ(roundDecimal(1250, -2), 1300.0);
    EXPECT_DOUBLE_EQ(roundDecimal(99.99, 1), 100.0);
    EXPECT_DOUBLE_EQ(roundDecimal(0.1 + 0.2, 2), 0.3);
    EXPECT_DOUBLE_EQ(roundDecimal(3.0, 4), 3.0);
}

TEST(Numbers, FormatReal) {
    EXPECT_EQ(formatReal(3.0), "3");
    EXPECT_EQ(formatReal(-0.0), "0");
    EXPECT_EQ(formatReal(2.5), "2.5");
    EXPECT_EQ(formatReal(0.1 + 0.2), "0.3");
}

TEST(Texts, CharactersAndCollation) {
    EXPECT_EQ(charCount("中文ab"), 4u);
    EXPECT_EQ(byteOffset("中文ab", 1), 3u);
    EXPECT_EQ(byteOffset("中文ab", 9), 8u);
    EXPECT_EQ(compareCi("abc", "ABC"), 0);
    EXPECT_EQ(compareCi("abc  ", "ABC"), 0);
    EXPECT_LT(compareCi("ab", "abc"), 0);
    EXPECT_GT(compareCi("B", "a"), 0);
    EXPECT_NE(compareCi(" a", "a"), 0);  // leading blanks count
    EXPECT_NE(compareCi("中", "文"), 0);
    EXPECT_EQ(findCi("xAbC", "abc", 0), 1u);
    EXPECT_EQ(findCi("abcabc", "ABC", 1), 3u);
    EXPECT_EQ(findCi("abc", "", 0), std::string_view::npos);
}

}  // namespace
}  // namespace morvane::tsql::values
