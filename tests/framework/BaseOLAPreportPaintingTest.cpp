// The shared painting rules: zero blanking, the share text and the total captions.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>

#include "framework/OlapPainting.h"
#include "framework/unt_BaseOLAPreport.h"
#include "framework/unt_SaleOlAP.h"
#include "platform/pivot/MemorySource.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"

using morvane::framework::BlankZeroText;
using morvane::framework::ShareText;
using morvane::framework::TotalCaption;

namespace {

QString Blanked(QString text) {
    BlankZeroText(text);
    return text;
}

TEST(OlapPainting, OnlyAPlainZeroIsBlanked) {
    for (const char* kept : {"0.0", "00", "10", " 0"})
        EXPECT_EQ(Blanked(kept), kept);
    EXPECT_EQ(Blanked("0"), "");
}

// Rounded half to even, written shortest; nothing for empty, zero or foreign texts.
TEST(OlapPainting, ShareText) {
    const std::tuple<const char*, const char*, std::optional<QString>> cases[] = {
        {"25", "100", "25%"}, {"1", "3", "33.33%"}, {"2", "3", "66.67%"},
        {"100", "100", "100%"}, {"100", "400", "25%"}, {"12.5", "50", "25%"},
        {"1", "32", "3.12%"},  // 0.03125 and 0.09375: exact halves at the fifth decimal
        {"3", "32", "9.38%"}, {"-1", "4", "-25%"}, {"1", "300000", "0%"},
        {"", "100", std::nullopt}, {"5", "", std::nullopt}, {"5", "0", std::nullopt},
        {"5", "0.5", std::nullopt}, {"5", "0.00", std::nullopt}, {"abc", "100", std::nullopt},
        {"5", "1,000", std::nullopt}, {"5", "12%", std::nullopt}};
    for (const auto& [part, whole, shown] : cases)
        EXPECT_EQ(ShareText(part, whole), shown) << part << "/" << whole;
}

TEST(OlapPainting, TotalCaptionsBecomeChinese) {
    struct Case {
        const char* header;
        const char* shown;
    };
    const Case cases[] = {
        // Exactly "Grand Total" is the grand total.
        {"Grand Total", "合计"},
        // A subtotal: a value, a blank and "Total".
        {"A01 Total", "A01 小计"},
        {"红 Total", "红 小计"},
        // "Total" anywhere after the first character: every occurrence is replaced, also in a
        // caption that merely contains "Grand Total" or "Total" inside a word.
        {"XGrand Total Y", "XGrand 小计 Y"},
        {"Grand Total ", "Grand 小计 "},
        {"Grand Total 2026", "Grand 小计 2026"},
        {"SubTotalSum", "Sub小计Sum"},
        {"xTotalTotal", "x小计小计"},
        {"A Total B Total", "A 小计 B 小计"},
        // Starting with "Total" (even with a later one), without it, or in another case: as is.
        {"Total", "Total"},
        {"Total A", "Total A"},
        {"Total Total", "Total Total"},
        {"A01 total", "A01 total"},
        {"Grand TOTAL", "Grand TOTAL"},
        {"Tota", "Tota"},
        {"红", "红"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TotalCaption(QString::fromUtf8(c.header)), QString::fromUtf8(c.shown))
            << c.header;
}

// Rows laid out by the window's own pivot steps, from memory instead of a statement.
template <class Base>
class PaintingWindow : public Base {
  public:
    QString Show(std::shared_ptr<morvane::pivot::MemorySource> rows) {
        this->PivotGrid()->SetSource(std::move(rows));
        this->LayoutPivot();
        return this->PivotGrid()->ViewData().layoutMatrix().toTsv();
    }

  protected:
    QString GetDataSQL() override { return QString(); }
    void SetFieldAreas() override {
        this->SetFieldArea(QStringLiteral("颜色"), 1);
        this->SetFieldArea(QStringLiteral("尺码"), 0);
        this->SetFieldArea(QStringLiteral("数量"), 3);
    }
};

// In the window, zeros are blanked in data cells only: a row or column value 0 (a size, a month
// number) is a header and keeps its text. The caption rule reaches row values too. Both pivot
// bases paint alike.
TEST(OlapPainting, EachBaseBlanksZeroCellsAndTranslatesEveryHeader) {
    using morvane::pivot::Value;
    using morvane::pivot::ValueType;
    auto rows = std::make_shared<morvane::pivot::MemorySource>();
    rows->addColumn(QStringLiteral("颜色"), ValueType::Text);
    rows->addColumn(QStringLiteral("尺码"), ValueType::Integer);
    rows->addColumn(QStringLiteral("数量"), ValueType::Integer);
    const auto row = [&](const char* colour, int size, int qty) {
        rows->appendRow(
            {Value::text(QString::fromUtf8(colour)), Value::integer(size), Value::integer(qty)});
    };
    row("红", 0, 0);
    row("红", 1, 2);
    row("XGrand Total Y", 0, 3);
    row("Total蓝", 1, 0);
    // The size 0 header stays; the zero cells, the 0 total of Total蓝 included, are empty.
    const std::string shown =
        "颜色\t0\t1\t合计\n"
        "Total蓝\t\t\t\n"
        "XGrand 小计 Y\t3\t\t3\n"
        "红\t\t2\t2\n"
        "合计\t3\t2\t5";
    EXPECT_EQ(PaintingWindow<Tbase_OLAPreport>().Show(rows).toStdString(), shown);
    EXPECT_EQ(PaintingWindow<Tbase_SaleOlAP>().Show(rows).toStdString(), shown);
}

}  // namespace
