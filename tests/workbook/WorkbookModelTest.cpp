// The in-memory workbook: cell storage, shared formats and strings, merges,
// sheet names.
#include "platform/workbook/Workbook.h"
#include "platform/workbook/WorkbookError.h"

#include <gtest/gtest.h>

namespace morvane::workbook {
namespace {

TEST(WorkbookModel, CellsAreSortedByColumnAndReplacedInPlace) {
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("S"));
    s.setNumber(0, 5, 1);
    s.setText(0, 1, QStringLiteral("一"));
    s.setNumber(0, 3, 2);
    s.setText(0, 3, QStringLiteral("三"));  // replaces the number
    std::vector<int> columns;
    for (const Cell& c : s.row(0))
        columns.push_back(c.column);
    EXPECT_EQ(columns, (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(s.cell(0, 3)->kind, Cell::Kind::Text);
    EXPECT_EQ(s.textAt(0, 3), QStringLiteral("三"));
    EXPECT_EQ(s.cell(0, 4), nullptr);
    EXPECT_EQ(s.cell(7, 0), nullptr);
    EXPECT_EQ(s.cellCount(), 3u);
    EXPECT_EQ(s.rowCount(), 1);
    EXPECT_EQ(s.columnCount(), 6);

    CellFormat wrapped;
    wrapped.wrap = true;
    s.setFormat(0, 5, wb.addFormat(wrapped));
    EXPECT_EQ(s.cell(0, 5)->kind, Cell::Kind::Number) << "a new format keeps the value";
    s.setFormat(2, 2, 1);
    EXPECT_EQ(s.cell(2, 2)->kind, Cell::Kind::Blank);
    EXPECT_EQ(s.rowCount(), 3);
}

TEST(WorkbookModel, FormatsAndStringsAreSharedNotCopiedPerCell) {
    Workbook wb;
    CellFormat bold;
    bold.font.bold = true;
    const FormatId a = wb.addFormat(bold);
    const FormatId b = wb.addFormat(bold);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, 0u);
    EXPECT_EQ(wb.addFormat(CellFormat{}), 0u) << "the default format is id 0";
    bold.borders.bottom = BorderStyle::Thin;
    EXPECT_NE(wb.addFormat(bold), a);
    EXPECT_EQ(wb.formats().size(), 3u);

    Sheet& s = wb.addSheet(QStringLiteral("S"));
    for (int r = 0; r < 1000; ++r)
        s.setText(r, 0, QStringLiteral("同一个文本"), a);
    EXPECT_EQ(wb.strings().size(), 1u);
    EXPECT_EQ(sizeof(Cell), 16u);
}

TEST(WorkbookModel, MergesMayNotOverlapAndMustBeWellFormed) {
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("S"));
    s.merge({0, 0, 1, 3});
    s.merge({2, 0, 2, 3});  // touching is fine
    EXPECT_THROW(s.merge({1, 3, 4, 4}), WorkbookError);
    EXPECT_THROW(s.merge({5, 5, 4, 5}), WorkbookError);
    EXPECT_THROW(s.merge({-1, 0, 0, 0}), WorkbookError);
    EXPECT_EQ(s.merges().size(), 2u);
}

TEST(WorkbookModel, SheetNamesFollowTheSpreadsheetRules) {
    Workbook wb;
    wb.addSheet(QStringLiteral("店铺货品综合分析表"));
    wb.addSheet(QStringLiteral("Data"));
    // Taken (names ignore case), empty, 32 characters, a character names may not hold.
    for (const QString& bad : {QStringLiteral("店铺货品综合分析表"), QStringLiteral("DATA"),
                               QString(), QString(32, QLatin1Char('x')), QStringLiteral("a/b")})
        EXPECT_THROW(wb.addSheet(bad), WorkbookError) << bad.toStdString();
    EXPECT_EQ(wb.sheetCount(), 2);
    EXPECT_EQ(wb.sheetByName(QStringLiteral("Data")), &wb.sheet(1));
}

TEST(WorkbookModel, PositionsOutsideTheSheetAreRefused) {
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("S"));
    EXPECT_THROW(s.setNumber(-1, 0, 1), WorkbookError);
    EXPECT_THROW(s.setNumber(0, Sheet::kMaxColumns, 1), WorkbookError);
    EXPECT_THROW(s.setText(Sheet::kMaxRows, 0, QStringLiteral("x")), WorkbookError);
    EXPECT_THROW(s.setColumnWidth(Sheet::kMaxColumns, 3), WorkbookError);
    EXPECT_EQ(s.cellCount(), 0u);
}

TEST(WorkbookModel, MovedWorkbookKeepsItsSheetsTexts) {
    Workbook wb;
    wb.addSheet(QStringLiteral("S")).setText(0, 0, QStringLiteral("文本"));
    Workbook moved = std::move(wb);
    EXPECT_EQ(moved.sheet(0).textAt(0, 0), QStringLiteral("文本"));
    moved.sheet(0).setText(0, 1, QStringLiteral("新"));
    EXPECT_EQ(moved.strings().size(), 2u);
}

}  // namespace
}  // namespace morvane::workbook
