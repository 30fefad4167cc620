#include <gtest/gtest.h>
#include <QStringList>

#include "hostkit/MenuTable.h"

using morvane::host::MenuTable;

TEST(MenuTable, TheBuiltInMenuHasEveryWindowOnceGroupedByFamily) {
    const MenuTable menu = MenuTable::Load();
    ASSERT_EQ(menu.Entries().size(), 43u);
    QStringList windows, families;
    for (const auto& e : menu.Entries()) {
        EXPECT_FALSE(windows.contains(e.window)) << e.window.toStdString();
        windows << e.window;
        EXPECT_EQ(e.listName, e.caption);
        if (families.isEmpty() || families.last() != e.family) {
            EXPECT_FALSE(families.contains(e.family)) << "family split: " << e.family.toStdString();
            families << e.family;
        }
    }
    EXPECT_EQ(families.first(), "库存分析");
    ASSERT_NE(menu.Find("FRM_SHOPGOODSTOTAL"), nullptr);
    EXPECT_EQ(menu.Find("frm_ShopGoodsTotal")->caption, "店铺货品综合分析表");
    EXPECT_EQ(menu.Find("frm_nothing"), nullptr);
}

TEST(MenuTable, ListNamesFromTheFileAndMalformedLines) {
    const MenuTable menu = MenuTable::Parse(
        "# comment\r\nfrm_OLAPSaleMonth\t清单A\r\nFRM_OLAPSALEYEAR\t\nfrm_OLAPSale\n\n");
    EXPECT_EQ(menu.Find("frm_OLAPSaleMonth")->listName, "清单A");
    EXPECT_EQ(menu.Find("frm_OLAPSaleYear")->listName, "销售出仓年度分析总表");
    EXPECT_EQ(menu.Find("frm_OLAPSale")->listName, "销售出仓分析表");
    EXPECT_EQ(menu.Find("frm_OLAPAllStock")->listName, "商品库存分布报表");  // not in the text
    const std::pair<const char*, const char*> bad[] = {
        {"frm_OLAPSale\ta\tb\n", "menu table line 1: needs a window name and a list name"},
        {"\n\tlist\n", "menu table line 2: needs a window name and a list name"},
        {"frm_nothing\tx\n", "menu table line 1: no window frm_nothing"},
    };
    for (const auto& [text, message] : bad) {
        try {
            MenuTable::Parse(QString::fromUtf8(text));
            ADD_FAILURE() << text;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}
