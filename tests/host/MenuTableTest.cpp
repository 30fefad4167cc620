#include <gtest/gtest.h>
#include <QStringList>

#include "host/MenuTable.h"

using morvane::host::MenuTable;

TEST(MenuTable, TheBuiltInMenuHasEveryWindowOnceWithItsCaptionAsListName) {
    const MenuTable menu = MenuTable::Load();
    ASSERT_EQ(menu.Entries().size(), 43u);
    QStringList windows;
    for (const auto& e : menu.Entries()) {
        EXPECT_FALSE(windows.contains(e.window)) << e.window.toStdString();
        windows << e.window;
        EXPECT_EQ(e.listName, e.caption);
    }
    ASSERT_NE(menu.Find("FRM_SHOPGOODSTOTAL"), nullptr);
    EXPECT_EQ(menu.Find("frm_ShopGoodsTotal")->caption, "店铺货品综合分析表");
    EXPECT_EQ(menu.Find("frm_nothing"), nullptr);
}

TEST(MenuTable, ExplicitListNamesAndMalformedLines) {
    const MenuTable menu =
        MenuTable::Parse("# comment\r\n甲\tfrm_A\t报表A\t清单A\r\n乙\tfrm_B\t报表B\n\n");
    ASSERT_EQ(menu.Entries().size(), 2u);
    EXPECT_EQ(menu.Entries()[0].listName, "清单A");
    EXPECT_EQ(menu.Entries()[1].listName, "报表B");
    EXPECT_EQ(menu.Entries()[1].family, "乙");
    try {
        MenuTable::Parse("甲\tfrm_A\t报表A\n乙\tfrm_B\n");
        ADD_FAILURE();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "menu table line 2: needs family, window name and caption");
    }
}
