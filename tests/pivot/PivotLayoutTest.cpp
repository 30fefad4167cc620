// Golden layouts: each case arranges the sample rows and compares the whole
// laid-out matrix, rendered one line per row with cells joined by '|'.
#include "SampleRows.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace morvane::pivot {
namespace {

using test::loadSample;
using test::render;

QString lines(const char* text) {
    return QString::fromUtf8(text);
}

class PivotLayout : public ::testing::Test {
  protected:
    void SetUp() override { loadSample(grid); }
    void place(const char* name, Area area) {
        ASSERT_TRUE(grid.setFieldArea(QString::fromUtf8(name), area));
    }
    void place(std::initializer_list<const char*> rows, std::initializer_list<const char*> columns,
               std::initializer_list<const char*> data) {
        for (const auto& [names, area] :
             {std::pair{rows, Area::Row}, {columns, Area::Column}, {data, Area::Data}})
            for (const char* n : names)
                place(n, area);
    }
    PivotField& f(const char* name) { return *grid.fieldByName(QString::fromUtf8(name)); }
    PivotEngine grid;
};

TEST_F(PivotLayout, OneRowFieldNullGroupFirstAndNullValuesIgnored) {
    place({"品牌"}, {}, {"数量"});
    EXPECT_EQ(render(grid), lines("品牌|Grand Total\n"
                                  "|1\n"
                                  "A|10\n"
                                  "B|7\n"
                                  "C|0\n"
                                  "Grand Total|18\n"));
}

TEST_F(PivotLayout, TwoRowFieldsWithSubtotals) {
    place({"品牌", "货号"}, {}, {"数量"});
    // Groups of a single value get no total row of their own.
    EXPECT_EQ(render(grid), lines("品牌|货号|Grand Total\n"
                                  "|n1|1\n"
                                  "A|a1|8\n"
                                  "|a2|2\n"
                                  "A Total||10\n"
                                  "B|b1|7\n"
                                  "C|c1|0\n"
                                  "Grand Total||18\n"));
    ViewOptions o = grid.viewOptions();
    o.totalsForSingleValues = true;
    grid.setViewOptions(o);
    EXPECT_EQ(render(grid), lines("品牌|货号|Grand Total\n"
                                  "|n1|1\n"
                                  " Total||1\n"
                                  "A|a1|8\n"
                                  "|a2|2\n"
                                  "A Total||10\n"
                                  "B|b1|7\n"
                                  "B Total||7\n"
                                  "C|c1|0\n"
                                  "C Total||0\n"
                                  "Grand Total||18\n"));
    o.rowTotals = false;
    o.rowGrandTotals = false;
    grid.setViewOptions(o);
    EXPECT_EQ(render(grid), lines("品牌|货号|Grand Total\n"
                                  "|n1|1\n"
                                  "A|a1|8\n"
                                  "|a2|2\n"
                                  "B|b1|7\n"
                                  "C|c1|0\n"));
}

TEST_F(PivotLayout, RowAndColumnFieldsWithRealSumsAndEmptyCells) {
    place({"品牌"}, {"日"}, {"金额"});
    // Days sort as numbers; 0.1 + 0.2 shows as 0.3.
    EXPECT_EQ(render(grid), lines("品牌|1|2|10|Grand Total\n"
                                  "|2|||2\n"
                                  "A|14.75|6|0.3|21.05\n"
                                  "B|1.5|14||15.5\n"
                                  "C||0||0\n"
                                  "Grand Total|18.25|20|0.3|38.55\n"));
}

TEST_F(PivotLayout, NestedColumnFieldsWithSubtotalColumns) {
    place({"品牌"}, {"店铺", "日"}, {"数量"});
    EXPECT_EQ(render(grid), lines("|S1|||S1 Total|S2||S2 Total|Grand Total\n"
                                  "品牌|1|2|10||1|2||\n"
                                  "|1|||1||||1\n"
                                  "A|7||0|7||3|3|10\n"
                                  "B||7||7||||7\n"
                                  "C||||||0|0|0\n"
                                  "Grand Total|8|7|0|15||3|3|18\n"));
}

TEST_F(PivotLayout, SeveralDataFieldsInColumnsInnermostOrOutermost) {
    place({"品牌"}, {"店铺"}, {"数量", "金额"});
    const struct {
        int index;
        const char* text;
    } cases[] = {{-1,
                  "|S1||S2||Grand Total|\n"
                  "品牌|数量|金额|数量|金额|数量|金额\n"
                  "|1|2|||1|2\n"
                  "A|7|15.05|3|6|10|21.05\n"
                  "B|7|14||1.5|7|15.5\n"
                  "C|||0|0|0|0\n"
                  "Grand Total|15|31.05|3|7.5|18|38.55\n"},
                 {0,
                  "|数量||金额||数量|金额\n"
                  "品牌|S1|S2|S1|S2|Grand Total|Grand Total\n"
                  "|1||2||1|2\n"
                  "A|7|3|15.05|6|10|21.05\n"
                  "B|7||14|1.5|7|15.5\n"
                  "C||0||0|0|0\n"
                  "Grand Total|15|3|31.05|7.5|18|38.55\n"}};
    for (const auto& c : cases) {
        if (c.index >= 0)
            grid.setDataFieldAreaIndex(c.index);
        EXPECT_EQ(render(grid), lines(c.text)) << "data field index " << c.index;
    }
}

TEST_F(PivotLayout, SeveralDataFieldsInRows) {
    place({"品牌"}, {"店铺"}, {"数量", "金额"});
    grid.setDataFieldArea(Area::Row);
    EXPECT_EQ(render(grid), lines("品牌|项目|S1|S2|Grand Total\n"
                                  "|数量|1||1\n"
                                  "|金额|2||2\n"
                                  "A|数量|7|3|10\n"
                                  "|金额|15.05|6|21.05\n"
                                  "B|数量|7||7\n"
                                  "|金额|14|1.5|15.5\n"
                                  "C|数量||0|0\n"
                                  "|金额||0|0\n"
                                  "Grand Total|数量|15|3|18\n"
                                  "|金额|31.05|7.5|38.55\n"));
    // Between the two row fields, with subtotals: a group's total shows
    // every data field, and the goods level repeats under each caption.
    place("货号", Area::Row);
    grid.setDataFieldAreaIndex(1);
    grid.setDataFieldCaption(QStringLiteral("指标"));
    f("品牌").setFilter({FieldFilter::Mode::Included, {Value::text("A")}});
    // The grand total would repeat the only brand: left out by default.
    EXPECT_EQ(render(grid), lines("品牌|指标|货号|S1|S2|Grand Total\n"
                                  "A|数量|a1|5|3|8\n"
                                  "||a2|2||2\n"
                                  "|金额|a1|10.5|6|16.5\n"
                                  "||a2|4.55||4.55\n"
                                  "A Total|数量||7|3|10\n"
                                  "|金额||15.05|6|21.05\n"));
    ViewOptions o = grid.viewOptions();
    o.grandTotalsForSingleValues = true;
    grid.setViewOptions(o);
    EXPECT_EQ(render(grid), lines("品牌|指标|货号|S1|S2|Grand Total\n"
                                  "A|数量|a1|5|3|8\n"
                                  "||a2|2||2\n"
                                  "|金额|a1|10.5|6|16.5\n"
                                  "||a2|4.55||4.55\n"
                                  "A Total|数量||7|3|10\n"
                                  "|金额||15.05|6|21.05\n"
                                  "Grand Total|数量||7|3|10\n"
                                  "|金额||15.05|6|21.05\n"));
}

TEST_F(PivotLayout, NoFieldsOnAnAxis) {
    place({}, {}, {"数量", "金额"});
    EXPECT_EQ(render(grid), lines("|数量|金额\n"
                                  "Grand Total|18|38.55\n"));
    grid.setDataFieldArea(Area::Row);
    place("店铺", Area::Column);
    EXPECT_EQ(render(grid), lines("项目|S1|S2|Grand Total\n"
                                  "数量|15|3|18\n"
                                  "金额|31.05|7.5|38.55\n"));
}

TEST_F(PivotLayout, CollapseAndExpand) {
    place({"品牌", "货号"}, {}, {"数量"});
    const QString expanded = render(grid);
    // Row 1 is A/a1: its brand cell heads the A group.
    ASSERT_EQ(grid.rowHeader(1, 0).text, QStringLiteral("A"));
    ASSERT_TRUE(grid.rowHeader(1, 0).expandable);
    grid.setHeaderExpanded(Axis::Row, 1, 0, false);
    EXPECT_EQ(render(grid), lines("品牌|货号|Grand Total\n"
                                  "|n1|1\n"
                                  "A||10\n"
                                  "B|b1|7\n"
                                  "C|c1|0\n"
                                  "Grand Total||18\n"));
    EXPECT_FALSE(grid.rowHeader(1, 0).expanded);
    // The export lays everything out expanded and leaves the view as it was.
    EXPECT_EQ(render(grid, MatrixOptions{.expandAll = true}), expanded);
    EXPECT_EQ(grid.rowCount(), 5);
    grid.setHeaderExpanded(Axis::Row, 1, 0, true);
    EXPECT_EQ(render(grid), expanded);

    grid.collapseAll();
    EXPECT_EQ(render(grid), lines("品牌|货号|Grand Total\n"
                                  "||1\n"
                                  "A||10\n"
                                  "B||7\n"
                                  "C||0\n"
                                  "Grand Total||18\n"));
    // A collapsed group keeps its state when the rows are filtered.
    grid.expandAll();
    grid.setHeaderExpanded(Axis::Row, 1, 0, false);
    f("品牌").setFilter({FieldFilter::Mode::Excluded, {Value()}});
    EXPECT_EQ(render(grid), lines("品牌|货号|Grand Total\n"
                                  "A||10\n"
                                  "B|b1|7\n"
                                  "C|c1|0\n"
                                  "Grand Total||17\n"));
}

TEST_F(PivotLayout, CollapsedColumnGroup) {
    place({"品牌"}, {"店铺", "日"}, {"数量"});
    f("店铺").setExpanded(false);
    EXPECT_EQ(render(grid), lines("|S1|S2|Grand Total\n"
                                  "品牌|||\n"
                                  "|1||1\n"
                                  "A|7|3|10\n"
                                  "B|7||7\n"
                                  "C||0|0\n"
                                  "Grand Total|15|3|18\n"));
}

TEST_F(PivotLayout, SortDescending) {
    place({"品牌", "货号"}, {"日"}, {"数量"});
    f("品牌").setSortOrder(SortOrder::Descending);
    f("日").setSortOrder(SortOrder::Descending);
    EXPECT_EQ(render(grid), lines("品牌|货号|10|2|1|Grand Total\n"
                                  "C|c1||0||0\n"
                                  "B|b1||7||7\n"
                                  "A|a1||3|5|8\n"
                                  "|a2|0||2|2\n"
                                  "A Total||0|3|7|10\n"
                                  "|n1|||1|1\n"
                                  "Grand Total||0|10|8|18\n"));
}

TEST_F(PivotLayout, ValueFilters) {
    place({"品牌"}, {}, {"数量"});
    place("店铺", Area::Filter);
    // A filter-area field filters the rows before they are summed; B keeps
    // its group although its only S2 quantity is NULL.
    f("店铺").setFilter({FieldFilter::Mode::Included, {Value::text("S2")}});
    EXPECT_EQ(render(grid), lines("品牌|Grand Total\n"
                                  "A|3\n"
                                  "B|\n"
                                  "C|0\n"
                                  "Grand Total|3\n"));
    f("店铺").clearFilter();
    f("品牌").setFilter({FieldFilter::Mode::Excluded, {Value::text("A"), Value()}});
    EXPECT_EQ(render(grid), lines("品牌|Grand Total\n"
                                  "B|7\n"
                                  "C|0\n"
                                  "Grand Total|7\n"));
    // Everything filtered out: the grand total alone, empty.
    f("品牌").setFilter({FieldFilter::Mode::Included, {}});
    EXPECT_EQ(render(grid), lines("品牌|Grand Total\n"
                                  "Grand Total|\n"));
}

TEST_F(PivotLayout, ZeroAndNullCells) {
    place({"品牌"}, {}, {"数量", "比例", "货号"});
    // A column with no value sums to nothing; a text data field counts its
    // values; a zero sum shows 0.
    EXPECT_EQ(render(grid), lines("品牌|数量|比例|货号\n"
                                  "|1||1\n"
                                  "A|10||5\n"
                                  "B|7||2\n"
                                  "C|0||1\n"
                                  "Grand Total|18||9\n"));
}

}  // namespace
}  // namespace morvane::pivot
