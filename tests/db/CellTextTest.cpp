#include "platform/db/CellText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morvane::db {
namespace {

TEST(CellText, RealsUseShortestRoundTripPlainText) {
    EXPECT_EQ(formatReal(3.5), "3.5");
    EXPECT_EQ(formatReal(0.6667), "0.6667");
    EXPECT_EQ(formatReal(12.0), "12");
    EXPECT_EQ(formatReal(-0.25), "-0.25");
    EXPECT_EQ(formatReal(-0.0), "0");
    EXPECT_EQ(formatReal(1000000.0), "1000000");  // money, not 1e+06
    EXPECT_EQ(formatReal(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(formatReal(2.0 / 3.0), "0.6666666666666666");
    EXPECT_EQ(formatReal(1e25), "1e+25");
    EXPECT_EQ(formatReal(1.5e-9), "1.5e-09");
    for (double value : {123456.789, 1.0 / 7.0, 99.95, 1e20, 4.35})
        EXPECT_EQ(std::stod(formatReal(value)), value) << formatReal(value);
}

TEST(CellText, NumbersParseOnlyWhenTheWholeTextIsOne) {
    EXPECT_EQ(parseInteger(" 42 "), 42);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("-9223372036854775808"), INT64_MIN);
    EXPECT_FALSE(parseInteger("9223372036854775808"));
    EXPECT_FALSE(parseInteger("3.5"));
    EXPECT_FALSE(parseInteger("12abc"));
    EXPECT_FALSE(parseInteger(""));
    EXPECT_EQ(parseReal("3.5"), 3.5);
    EXPECT_EQ(parseReal("-1e3"), -1000.0);
    EXPECT_FALSE(parseReal("1,5"));
    EXPECT_FALSE(parseReal("abc"));
}

TEST(CellText, BooleansReadFromCommonSpellings) {
    for (const char* text : {"1", "True", "TRUE", "t", "Yes", "y", "2", "-1", "0.5"})
        EXPECT_EQ(parseBoolean(text), true) << text;
    for (const char* text : {"0", "False", "false", "F", "no", "N", "", "  ", "0.0"})
        EXPECT_EQ(parseBoolean(text), false) << text;
    EXPECT_FALSE(parseBoolean("maybe"));
}

}  // namespace
}  // namespace morvane::db
