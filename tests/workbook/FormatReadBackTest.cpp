// What the book reloads: our own .xls and .xlsx readers give back every cell with its format
// as the writers wrote it; number formats as a cell shows them; format changes on a range.
#include "WorkbookTestSupport.h"

#include "platform/workbook/FormatChange.h"
#include "platform/workbook/NumberFormat.h"
#include "platform/workbook/WorkbookFile.h"

#include <gtest/gtest.h>

namespace morvane::workbook {
namespace {

using test::TempFolderTest;

std::string Describe(const CellFormat& f) {
    auto side = [](BorderStyle s) { return std::to_string(static_cast<int>(s)); };
    return f.font.name + " " + std::to_string(f.font.size) + (f.font.bold ? " b" : "") +
           (f.font.italic ? " i" : "") + " c" + std::to_string(f.font.color) + " [" +
           side(f.borders.left) + side(f.borders.right) + side(f.borders.top) +
           side(f.borders.bottom) + "] h" + std::to_string(static_cast<int>(f.halign)) + " v" +
           std::to_string(static_cast<int>(f.valign)) + (f.wrap ? " wrap" : "") + " fill" +
           std::to_string(f.fill) + " " + f.numberFormat;
}

TEST_F(TempFolderTest, OwnReadersGiveBackEveryCellWithItsFormat) {
    const Workbook source = test::sampleWorkbook();
    for (const char* name : {"back.xls", "back.xlsx"}) {
        SCOPED_TRACE(name);
        saveWorkbook(source, path(name));
        const Workbook back = loadWorkbook(path(name));
        ASSERT_EQ(back.sheetCount(), source.sheetCount());
        for (int i = 0; i < source.sheetCount(); ++i) {
            const Sheet& want = source.sheet(i);
            const Sheet& got = back.sheet(i);
            EXPECT_EQ(got.name(), want.name());
            if (QString(name).endsWith(".xls")) {
                test::expectSameContent(want, got);
            } else {
                // .xlsx keeps widths in whole pixels: a seventh of a character.
                EXPECT_EQ(test::renderSheet(got, '|', true), test::renderSheet(want, '|', true));
                EXPECT_EQ(got.merges(), want.merges());
                for (int c = 0; c < want.columnWidthCount(); ++c)
                    if (want.columnWidth(c) > 0)
                        EXPECT_NEAR(got.columnWidth(c), want.columnWidth(c), 1.0 / 7) << c;
                for (int r = 0; r < want.rowCount(); ++r)
                    EXPECT_DOUBLE_EQ(got.rowHeight(r), want.rowHeight(r)) << r;
            }
            for (int r = 0; r < want.rowCount(); ++r)
                for (const Cell& c : want.row(r)) {
                    const Cell* g = got.cell(r, c.column);
                    ASSERT_NE(g, nullptr) << r << "," << c.column;
                    EXPECT_EQ(Describe(back.formats().at(g->format)),
                              Describe(source.formats().at(c.format)))
                        << r << "," << c.column;
                }
        }
    }
}

TEST(NumberFormat, CellsShowTheirNumbersAsTheSpreadsheetProgramsDo) {
    struct Case {
        double value;
        const char* code;
        const char* shown;
    } const cases[] = {
        {12, "General", "12"},   {0.1, "General", "0.1"},
        {-7, "General", "-7"},   {1234567.891, "#,##0.00", "1,234,567.89"},
        {2.5, "0", "3"},         {3.5, "0", "4"},
        {0.125, "0.00", "0.13"}, {0.3333, "0.00%", "33.33%"},
        {0.25, "0%", "25%"},     {0.125, "0.0%", "12.5%"},
        {-0.0001, "0%", "0%"},   {45658, "yyyy-mm-dd", "2025-01-01"},
        {12, "@", "12"},         {3, "0.000\"件\"", "3.000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.code), QString::fromUtf8(c.shown))
            << c.value << " " << c.code;
    EXPECT_EQ(percentFormatFor("25%"), "0%");
    EXPECT_EQ(percentFormatFor("12.5%"), "0.0%");
    EXPECT_EQ(percentFormatFor("33.33%"), "0.00%");
}

TEST(FormatChange, EdgesOfTheRangeTakeTheOutlineAndOnlyWhatChangedIsReplaced) {
    Workbook wb;
    Sheet& s = wb.addSheet("s");
    CellFormat red;
    red.font = {"Arial", 12, false, false, 0xFF0000};
    red.numberFormat = "0.00";
    s.setNumber(1, 1, 5, wb.addFormat(red));
    s.merge({5, 5, 6, 6});
    FormatChange change;
    change.bold = true;
    change.halign = HAlign::Center;
    change.outline = BorderStyle::Medium;
    change.inside = BorderStyle::Thin;
    change.merge = true;
    applyFormatChange(wb, s, {1, 1, 3, 2}, change);

    const CellFormat& kept = wb.formats().at(s.cell(1, 1)->format);
    EXPECT_TRUE(kept.font.bold);
    EXPECT_EQ(kept.font.color, 0xFF0000u);  // untouched attributes stay
    EXPECT_EQ(kept.numberFormat, "0.00");
    EXPECT_EQ(kept.halign, HAlign::Center);
    EXPECT_EQ(kept.borders, (Borders{BorderStyle::Medium, BorderStyle::Thin, BorderStyle::Medium,
                                     BorderStyle::Thin}));
    const CellFormat& corner = wb.formats().at(s.cell(3, 2)->format);
    EXPECT_EQ(corner.borders, (Borders{BorderStyle::Thin, BorderStyle::Medium, BorderStyle::Thin,
                                       BorderStyle::Medium}));
    EXPECT_EQ(s.cell(2, 1)->kind, Cell::Kind::Blank);  // empty cells carry the format
    ASSERT_EQ(s.merges().size(), 2u);
    EXPECT_EQ(s.merges()[1], (CellRange{1, 1, 3, 2}));

    FormatChange unmerge;
    unmerge.merge = false;
    applyFormatChange(wb, s, {2, 2, 5, 5}, unmerge);
    EXPECT_TRUE(s.merges().empty());
}

}  // namespace
}  // namespace morvane::workbook
