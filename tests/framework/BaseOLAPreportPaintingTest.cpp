// The shared painting rules: zero blanking, the share text and the total captions.

#include <gtest/gtest.h>

#include "framework/OlapPainting.h"

using morvane::framework::BlankZeroText;
using morvane::framework::ShareText;
using morvane::framework::TotalCaption;

namespace {

QString Blanked(QString text) {
    BlankZeroText(text);
    return text;
}

TEST(OlapPainting, OnlyAPlainZeroIsBlanked) {
    EXPECT_EQ(Blanked("0"), "");
    EXPECT_EQ(Blanked("0.0"), "0.0");
    EXPECT_EQ(Blanked("00"), "00");
    EXPECT_EQ(Blanked("10"), "10");
    EXPECT_EQ(Blanked(" 0"), " 0");
}

TEST(OlapPainting, ShareIsRoundedHalfToEvenAndWrittenShortest) {
    EXPECT_EQ(ShareText("25", "100"), "25%");
    EXPECT_EQ(ShareText("1", "3"), "33.33%");
    EXPECT_EQ(ShareText("2", "3"), "66.67%");
    EXPECT_EQ(ShareText("100", "100"), "100%");
    EXPECT_EQ(ShareText("100", "400"), "25%");
    EXPECT_EQ(ShareText("12.5", "50"), "25%");
    // 1/32 = 0.03125 and 3/32 = 0.09375 are exact halves at the fifth decimal.
    EXPECT_EQ(ShareText("1", "32"), "3.12%");
    EXPECT_EQ(ShareText("3", "32"), "9.38%");
    EXPECT_EQ(ShareText("-1", "4"), "-25%");
    EXPECT_EQ(ShareText("1", "300000"), "0%");
}

TEST(OlapPainting, ShareGivesNothingForEmptyZeroOrForeignTexts) {
    EXPECT_EQ(ShareText("", "100"), std::nullopt);
    EXPECT_EQ(ShareText("5", ""), std::nullopt);
    EXPECT_EQ(ShareText("5", "0"), std::nullopt);
    EXPECT_EQ(ShareText("5", "0.5"), std::nullopt);
    EXPECT_EQ(ShareText("5", "0.00"), std::nullopt);
    EXPECT_EQ(ShareText("abc", "100"), std::nullopt);
    EXPECT_EQ(ShareText("5", "1,000"), std::nullopt);
    EXPECT_EQ(ShareText("5", "12%"), std::nullopt);
}

TEST(OlapPainting, TotalCaptionsBecomeChinese) {
    EXPECT_EQ(TotalCaption("Grand Total"), "合计");
    EXPECT_EQ(TotalCaption("A01 Total"), "A01 小计");
    EXPECT_EQ(TotalCaption("XGrand Total Y"), "XGrand 小计 Y");
    EXPECT_EQ(TotalCaption("Grand Total "), "Grand 小计 ");
    EXPECT_EQ(TotalCaption("Total"), "Total");
    EXPECT_EQ(TotalCaption("Total A"), "Total A");
    EXPECT_EQ(TotalCaption("Total Total"), "Total Total");
    EXPECT_EQ(TotalCaption("xTotalTotal"), "x小计小计");
    EXPECT_EQ(TotalCaption("红"), "红");
}

}  // namespace
