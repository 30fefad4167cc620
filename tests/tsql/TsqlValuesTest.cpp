// SQL Server's value rules as the runtime implements them, without SQLite.
// The cases that statements reach are in data/execution/results.txt; these
// are the boundaries beyond them.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/tsql/ExactDecimal.h"
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

// The decimal a double stands for, as text; "none" when it has none.
std::string decimalText(double x) {
    const auto d = decimalOf(x);
    return d ? toString(*d) : "none";
}

TEST(ExactDecimal, ARealStandsForItsFifteenSignificantDigits) {
    EXPECT_EQ(decimalText(0.1), "0.1");
    EXPECT_EQ(decimalText(-19.9), "-19.9");
    EXPECT_EQ(decimalText(0.1 + 0.2), "0.3");
    EXPECT_EQ(decimalText(59.699999999999996), "59.7");
    EXPECT_EQ(decimalText(0.6399999999999999), "0.64");  // as the demo data holds some prices
    EXPECT_EQ(decimalText(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(decimalText(1e-7), "0.0000001");
    EXPECT_EQ(decimalText(123456789012345.0), "123456789012345");
    EXPECT_EQ(decimalText(1.5e20), "150000000000000000000");
    EXPECT_EQ(decimalText(-0.0), "0");
    // Beyond 38 digits or not a number: no decimal, the caller computes in binary.
    EXPECT_EQ(decimalText(1e300), "none");
    EXPECT_EQ(decimalText(1e-40), "none");
    EXPECT_EQ(decimalText(1e-30), "0.000000000000000000000000000001");
    EXPECT_EQ(decimalText(2.5e-5), "0.000025");
    EXPECT_EQ(decimalText(std::numeric_limits<double>::infinity()), "none");
    EXPECT_EQ(decimalText(std::nan("")), "none");
}

TEST(ExactDecimal, ArithmeticIsExactWithinThirtyEightDigits) {
    const Decimal a = *decimalOf(0.1), b = *decimalOf(0.2);
    EXPECT_EQ(toDouble(*add(a, b)), 0.3);
    EXPECT_EQ(toString(*subtract(*add(a, b), *decimalOf(0.3))), "0.0");
    EXPECT_EQ(toString(*multiply(*decimalOf(19.9), decimalOf(std::int64_t{3}))), "59.7");
    EXPECT_EQ(toString(*remainder(*decimalOf(-7.5), decimalOf(std::int64_t{2}))), "-1.5");
    EXPECT_EQ(toString(*remainder(*decimalOf(0.3), *decimalOf(0.1))), "0.0");
    // A product of 30 digits is exact, and its double is the nearest one.
    const Decimal x = *decimalOf(1.23456789012345);
    const Decimal square = *multiply(x, x);
    EXPECT_EQ(toString(square), "1.5241578753238669120562399025");
    EXPECT_EQ(toDouble(square), std::strtod("1.5241578753238669120562399025", nullptr));
    // Past 38 digits there is no exact result.
    const Decimal big = *decimalOf(9e18);
    EXPECT_FALSE(multiply(*multiply(big, big), big));
    EXPECT_FALSE(add(Decimal{*multiply(big, big)}, Decimal{1, 30}));
}

TEST(ExactDecimal, SumKeepsIntegersIntegralAndDecimalsExact) {
    DecimalSum ints;
    ints.add(std::int64_t{3});
    ints.add(std::int64_t{-5});
    std::int64_t total = 0;
    EXPECT_TRUE(ints.isInteger());
    EXPECT_TRUE(ints.integer(total));
    EXPECT_EQ(total, -2);

    DecimalSum money;
    for (int i = 0; i < 10; ++i) {
        money.add(0.1);
    }
    money.add(std::int64_t{1});
    EXPECT_FALSE(money.isInteger());
    EXPECT_EQ(money.real(), 2.0);
    EXPECT_EQ(money.count(), 11);
    DecimalSum three;
    for (double v : {1.1, 1.2, 1.3}) {
        three.add(v);
    }
    EXPECT_EQ(three.mean(), 1.2);

    DecimalSum wide;
    wide.add(std::numeric_limits<std::int64_t>::max());
    wide.add(std::int64_t{1});
    EXPECT_FALSE(wide.integer(total));  // left 64 bits: the caller reports the overflow

    DecimalSum huge;
    huge.add(0.5);
    huge.add(1e300);  // no decimal holds it: binary from here on
    EXPECT_EQ(huge.real(), 1e300);
}

TEST(Like, MatchesAsSqlServerDoes) {
    struct Case {
        const char* text;
        const char* pattern;
        bool matches;
    };
    for (const Case& c : {
             Case{"", "", true},
             Case{"", "%", true},
             Case{"", "_", false},
             Case{"abc", "a%%c", true},
             Case{"abc", "%_%_%_%", true},
             Case{"ab", "%_%_%_%", false},
             Case{"中文字", "[中文]%", true},
             Case{"字", "[中文]", false},
             Case{"中", "[^中]", false},
             Case{"b", "[a-c", false},  // a [ that no ] closes matches nothing
             Case{"[a-c", "[a-c", false},
             Case{"a]", "a]", true},
             Case{"x-", "x[a-]", true},
             Case{"B", "[a-c]", true},
             Case{"abc  ", "abc", true},
             Case{"abc ", "abc_", true},
             Case{"abc", "abc_", false},
             Case{"  ", "", true},
             Case{"ab", "ab ", false},
         }) {
        EXPECT_EQ(likeMatch(c.text, c.pattern), c.matches) << c.text << " like " << c.pattern;
    }
    // Many % over a long text that never matches: the greedy match stays
    // linear for each %, rather than trying every split.
    const std::string text(20000, 'a');
    EXPECT_FALSE(likeMatch(text, "%a%a%a%a%a%a%a%a%b"));
    EXPECT_TRUE(likeMatch(text + "b", "%a%a%a%a%a%a%a%a%b"));
}

}  // namespace
}  // namespace morvane::tsql::values
