// The pivot export: the laid-out grid as a sheet (golden), zeros as 0 under
// the zero-blanking handler, expansion forced for the export only, and the
// written files read back by the independent readers.
#include "WorkbookTestSupport.h"

#include "platform/pivot/MemorySource.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/workbook/PivotExport.h"
#include "platform/workbook/WorkbookFile.h"
#include "platform/workbook/XlsReader.h"

#include <gtest/gtest.h>

namespace morvane::workbook {
namespace {

using pivot::Area;
using pivot::PivotEngine;
using pivot::Value;
using namespace test;

// Receipts and sales of two shops: 店铺 (shop), 类型 (type), 货号 (goods),
// 数量 (quantity), 金额 (amount), 周 (week, from 0). Goods 002 sells 3 and takes 3 back in
// shop A, so its quantity there sums to 0.
std::shared_ptr<pivot::MemorySource> shopRows() {
    auto s = std::make_shared<pivot::MemorySource>();
    s->addColumn(QStringLiteral("店铺"), pivot::ValueType::Text);
    s->addColumn(QStringLiteral("类型"), pivot::ValueType::Text);
    s->addColumn(QStringLiteral("货号"), pivot::ValueType::Text);
    s->addColumn(QStringLiteral("数量"), pivot::ValueType::Integer);
    s->addColumn(QStringLiteral("金额"), pivot::ValueType::Real);
    s->addColumn(QStringLiteral("周"), pivot::ValueType::Integer);
    auto t = [](const char* v) { return Value::text(QString::fromUtf8(v)); };
    auto i = [](std::int64_t v) { return Value::integer(v); };
    auto r = [](double v) { return Value::real(v); };
    s->appendRow({t("A"), t("1进"), t("001"), i(5), r(50.5), i(0)});
    s->appendRow({t("A"), t("2销"), t("001"), i(2), r(30), i(1)});
    s->appendRow({t("A"), t("2销"), t("002"), i(3), r(45.25), i(0)});
    s->appendRow({t("A"), t("2销"), t("002"), i(-3), r(-45.25), i(1)});
    s->appendRow({t("B"), t("1进"), t("002"), i(4), r(0.1), i(1)});
    s->appendRow({t("B"), t("1进"), t("002"), i(1), r(0.2), i(1)});
    return s;
}

QString render(const Sheet& s) {
    return renderSheet(s, QLatin1Char('|'), true);
}

class PivotExport : public TempFolderTest {
  protected:
    void SetUp() override {
        grid.setSource(shopRows());
        grid.createAllFields();
        // The windows blank zeros on screen.
        for (int i = 0; i < grid.fieldCount(); ++i)
            grid.field(i).setOnGetDisplayText(
                [](const pivot::PivotField&, const pivot::DisplayTextInfo&, QString& text) {
                    if (text == QLatin1String("0"))
                        text.clear();
                });
    }
    void place(const char* name, Area area) {
        ASSERT_TRUE(grid.setFieldArea(QString::fromUtf8(name), area));
    }
    PivotEngine grid;
};

TEST_F(PivotExport, OneColumnFieldZerosAsNumbersGrandTotalLast) {
    place("店铺", Area::Column);
    place("货号", Area::Row);
    place("数量", Area::Data);
    ASSERT_EQ(grid.cellText(1, 0), QString()) << "the screen blanks the zero";

    const Workbook wb = pivotWorkbook(grid);
    EXPECT_EQ(render(wb.sheet(0)), QStringLiteral("|s:A|s:B|s:Grand Total\n"
                                                  "s:001|n:7||n:7\n"
                                                  "s:002|n:0|n:5|n:5\n"
                                                  "s:Grand Total|n:7|n:5|n:12\n"));
    EXPECT_TRUE(wb.sheet(0).merges().empty());
}

TEST_F(PivotExport, NestedColumnsAndTwoDataFieldsGiveThreeHeaderRowsAndMerges) {
    place("店铺", Area::Column);
    place("类型", Area::Column);
    place("货号", Area::Row);
    place("数量", Area::Data);
    place("金额", Area::Data);
    // Collapsed on screen; the export expands every group.
    grid.fieldByName(QStringLiteral("店铺"))->setExpanded(false);
    const int screenColumns = grid.columnCount();

    const Workbook wb = pivotWorkbook(grid);
    const Sheet& s = wb.sheet(0);
    EXPECT_EQ(
        render(s),
        QStringLiteral("|s:A||||s:A Total||s:B||s:Grand Total|\n"
                       "|s:1进||s:2销||||s:1进|||\n"
                       "|s:数量|s:金额|s:数量|s:金额|s:数量|s:金额|s:数量|s:金额|s:数量|s:金额\n"
                       "s:001|n:5|n:50.5|n:2|n:30|n:7|n:80.5|||n:7|n:80.5\n"
                       "s:002|||n:0|n:0|n:0|n:0|n:5|n:0.3|n:5|n:0.3\n"
                       "s:Grand Total|n:5|n:50.5|n:2|n:30|n:7|n:80.5|n:5|n:0.3|n:12|n:80.8\n"));
    // B has one type only: no total column of its own.
    EXPECT_EQ(grid.columnCount(), screenColumns) << "the grid keeps its collapsed group";

    // Spanning headers are merged; the cells they cover are formatted blanks.
    const std::vector<CellRange> expected = {{0, 1, 0, 4},  {0, 5, 1, 6}, {0, 7, 0, 8},
                                             {0, 9, 1, 10}, {1, 1, 1, 2}, {1, 3, 1, 4},
                                             {1, 7, 1, 8}};
    std::vector<CellRange> merges = s.merges();
    std::sort(merges.begin(), merges.end(), [](const CellRange& a, const CellRange& b) {
        return std::tie(a.firstRow, a.firstColumn) < std::tie(b.firstRow, b.firstColumn);
    });
    EXPECT_EQ(merges, expected);
    ASSERT_NE(s.cell(0, 2), nullptr);
    EXPECT_EQ(s.cell(0, 2)->kind, Cell::Kind::Blank);
}

TEST_F(PivotExport, WrittenFilesMatchTheExportedSheetInEveryReader) {
    place("店铺", Area::Column);
    place("类型", Area::Column);
    place("货号", Area::Row);
    place("数量", Area::Data);
    grid.applyBestFit();
    const Workbook wb = pivotWorkbook(grid);
    ASSERT_GT(wb.sheet(0).columnWidth(0), 0);

    exportPivotToFile(grid, path("pivot.xls"));
    exportPivotToFile(grid, path("pivot.xlsx"));
    expectSheetMatches(wb, 0, readWithXlrd(path("pivot.xls"), true), true, 1.0 / 256);
    expectSheetMatches(wb, 0, readWithOpenpyxl(path("pivot.xlsx"), true), true, 0.75);
    expectSameContent(wb.sheet(0), readXls(path("pivot.xls")).sheet(0));
}

TEST_F(PivotExport, NumericGroupValuesAreNumbersAndZeroIsNotBlanked) {
    place("周", Area::Row);
    place("店铺", Area::Column);
    place("数量", Area::Data);
    ASSERT_EQ(grid.rowHeader(0, 0).text, QString()) << "the screen blanks week 0";
    const Workbook wb = pivotWorkbook(grid);
    EXPECT_EQ(render(wb.sheet(0)), QStringLiteral("|s:A|s:B|s:Grand Total\n"
                                                  "n:0|n:8||n:8\n"
                                                  "n:1|n:-1|n:5|n:4\n"
                                                  "s:Grand Total|n:7|n:5|n:12\n"));
}

TEST_F(PivotExport, RowsHoldingTheDataCaptionsAndNoColumnFields) {
    place("货号", Area::Row);
    place("数量", Area::Data);
    place("金额", Area::Data);
    grid.setDataFieldArea(Area::Row);
    const Workbook wb = pivotWorkbook(grid);
    EXPECT_EQ(render(wb.sheet(0)), QStringLiteral("||s:Grand Total\n"
                                                  "s:001|s:数量|n:7\n"
                                                  "|s:金额|n:80.5\n"
                                                  "s:002|s:数量|n:5\n"
                                                  "|s:金额|n:0.3\n"
                                                  "s:Grand Total|s:数量|n:12\n"
                                                  "|s:金额|n:80.8\n"));
}

}  // namespace
}  // namespace morvane::workbook
