#include <gtest/gtest.h>

#include "platform/ui/Colors.h"

using namespace morvane::ui;

TEST(Colors, NamesAreFoundWithoutRegardToCaseAndMatchTheirNumbers) {
    const std::pair<const char*, const char*> same[] = {
        {"clWhite", "$00FFFFFF"},      {"CLRED", "$000000FF"},    {"clblue", "$00FF0000"},
        {"clBtnFace", "$FF00000F"},    {"clInfoBk", "$FF000018"}, {"clWindowText", "-16777208"},
        {"clMoneyGreen", "$00C0DCC0"}, {"clSkyBlue", "15780518"}};
    for (auto [name, number] : same) {
        EXPECT_EQ(StringToColor(name), StringToColor(number)) << name;
    }
}

TEST(Colors, NumbersInEveryWrittenForm) {
    EXPECT_EQ(StringToColor("$00E8F3D3"), 0x00E8F3D3);
    EXPECT_EQ(StringToColor("0x00e8f3d3"), 0x00E8F3D3);
    EXPECT_EQ(StringToColor(" 255"), 255);
    EXPECT_EQ(StringToColor("-1"), -1);
}

TEST(Colors, AnythingElseIsAConversionError) {
    for (const char* bad : {"lightblue", "", "$", "$1FFFFFFFF", "2147483648", "12abc", "cl"}) {
        try {
            StringToColor(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(Colors, ScreenColoursReadBlueGreenRedAndSystemColoursTakeTheDesktopScheme) {
    EXPECT_EQ(ToQColor(0x00E8F3D3), QColor(0xD3, 0xF3, 0xE8));
    EXPECT_EQ(ToQColor(StringToColor("clRed")), QColor(Qt::red));
    EXPECT_EQ(ToQColor(StringToColor("clBtnFace")), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(ToQColor(StringToColor("clInfoBk")), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_FALSE(ToQColor(clNone).isValid());
}
