// The view read by the grid, the windows' handlers and the export; fields across results; widths.
#include "SampleRows.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morvane::pivot {
namespace {

using test::loadSample;
using test::place;
using test::render;

QString u(const char* text) {
    return QString::fromUtf8(text);
}
const auto lines = u;

// The report windows' three text rules, written against the engine the way
// the windows write them: zero blanking, the share column, total captions.
void attachWindowRules(PivotEngine& grid) {
    for (int i = 0; i < grid.fieldCount(); ++i)
        grid.field(i).setOnGetDisplayText(
            [](const PivotField&, const DisplayTextInfo&, QString& text) {
                if (text == QLatin1String("0"))
                    text.clear();
            });
    grid.setOnCustomDrawCell([](PivotEngine& g, CellDrawInfo& info) {
        if (!info.dataField || info.dataField->caption() != QStringLiteral("比例"))
            return;
        const QString left = g.cellText(info.row, info.column - 1);
        const QString total = g.cellText(info.row, g.columnCount() - 2);
        if (left.isEmpty() || total.isEmpty() || total.startsWith(QLatin1Char('0')))
            return;
        const double share = std::nearbyint(left.toDouble() / total.toDouble() * 10000) / 100;
        info.text = QString::number(share, 'g', 15) + QLatin1Char('%');
    });
    auto captions = [](PivotEngine&, HeaderDrawInfo& info) {
        if (info.text == kGrandTotalCaption)
            info.text = QStringLiteral("合计");
        else if (info.text.indexOf(QLatin1String("Total")) > 0)
            info.text.replace(QLatin1String("Total"), QStringLiteral("小计"));
    };
    grid.setOnCustomDrawColumnHeader(captions);
    grid.setOnCustomDrawRowHeader(captions);
}

TEST(PivotHandlers, WindowRulesReplaceTextsAsShownButNotAsExported) {
    PivotEngine grid;
    loadSample(grid);
    place(grid, {"品牌", "货号"}, {"店铺"}, {"数量", "比例"});
    attachWindowRules(grid);
    EXPECT_EQ(render(grid), lines("||S1||S2||合计|\n"
                                  "品牌|货号|数量|比例|数量|比例|数量|比例\n"
                                  "|n1|1|100%|||1|100%\n"
                                  "A|a1|5|62.5%|3|37.5%|8|100%\n"
                                  "|a2|2|100%|||2|100%\n"
                                  "A 小计||7|70%|3|30%|10|100%\n"
                                  "B|b1|7|100%|||7|100%\n"
                                  "C|c1||||||\n"
                                  "合计||15|83.33%|3|16.67%|18|100%\n"));
    // The export takes display texts only and shows zeros once the zero
    // blanking is detached.
    for (int i = 0; i < grid.fieldCount(); ++i)
        grid.field(i).setOnGetDisplayText({});
    EXPECT_EQ(render(grid, MatrixOptions{.customDraw = false, .fieldCaptions = false}),
              lines("||S1||S2||Grand Total|\n"
                    "||数量|比例|数量|比例|数量|比例\n"
                    "|n1|1||||1|\n"
                    "A|a1|5||3||8|\n"
                    "|a2|2||||2|\n"
                    "A Total||7||3||10|\n"
                    "B|b1|7||||7|\n"
                    "C|c1|||0||0|\n"
                    "Grand Total||15||3||18|\n"));
}

TEST(PivotHandlers, CustomDrawSeesKindsAndReportsColourAndDone) {
    PivotEngine grid;
    loadSample(grid);
    place(grid, {"品牌", "货号"}, {}, {"数量"});
    ViewStyles st;
    st.total = 0xFFFFEEDD;
    grid.setStyles(st);
    std::vector<CellKind> kinds;
    grid.setOnCustomDrawCell([&](PivotEngine&, CellDrawInfo& info) {
        kinds.push_back(info.kind);
        if (info.kind == CellKind::GrandTotal) {
            info.color = 0xFF00FF00;
            info.done = true;
        }
    });
    const PivotMatrix m = grid.layoutMatrix();
    // n1, a1, a2, A Total, b1, c1, Grand Total.
    EXPECT_EQ(kinds, (std::vector<CellKind>{CellKind::Data, CellKind::Data, CellKind::Data,
                                            CellKind::Total, CellKind::Data, CellKind::Data,
                                            CellKind::GrandTotal}));
    EXPECT_EQ(m.at(1 + 3, 2).color, 0xFFFFEEDDu);
    EXPECT_EQ(m.at(1 + 6, 2).color, 0xFF00FF00u);
    EXPECT_EQ(m.at(1 + 0, 2).color, st.content);
    const CellDrawInfo info = grid.drawCell(6, 0);
    EXPECT_TRUE(info.done);
    EXPECT_EQ(info.value, Value::integer(18));
    EXPECT_FALSE(grid.drawCell(5, 0).done);
}

TEST(PivotHandlers, DisplayTextOfGroupValuesFeedsTotalCaptions) {
    PivotEngine grid;
    loadSample(grid);
    place(grid, {"品牌", "货号"}, {}, {"数量"});
    grid.fieldByName(u("品牌"))->setOnGetDisplayText(
        [](const PivotField& f, const DisplayTextInfo& info, QString& t) {
            EXPECT_EQ(info.target, DisplayTextInfo::Target::GroupValue);
            EXPECT_EQ(f.name(), QStringLiteral("品牌"));
            t = info.value.isNull() ? QStringLiteral("(无)") : QStringLiteral("品牌") + t;
        });
    EXPECT_EQ(grid.rowHeader(3, 0).text, QStringLiteral("品牌A Total"));
    EXPECT_EQ(grid.rowHeader(0, 0).text, QStringLiteral("(无)"));
    EXPECT_EQ(grid.rowGroupText(2, *grid.fieldByName(u("品牌"))), QStringLiteral("品牌A"));
}

TEST(PivotView, CellsHeadersAndGroupItems) {
    PivotEngine grid;
    loadSample(grid);
    place(grid, {"品牌", "货号"}, {"店铺"}, {"数量"});
    ASSERT_EQ(grid.rowCount(), 7);
    ASSERT_EQ(grid.columnCount(), 3);
    EXPECT_EQ(grid.rowLevelCount(), 2);
    EXPECT_EQ(grid.columnLevelCount(), 1);
    EXPECT_EQ(grid.cellText(1, 0), QStringLiteral("5"));
    EXPECT_EQ(grid.cellValue(3, 2), Value::integer(10));
    EXPECT_EQ(grid.cellKind(3, 0), CellKind::Total);
    EXPECT_EQ(grid.cellKind(1, 2), CellKind::GrandTotal);
    EXPECT_EQ(grid.cellText(99, 0), QString());

    // A spans a1 and a2; "A Total" spans both row levels.
    const HeaderCell a = grid.rowHeader(2, 0);
    EXPECT_EQ(a.kind, HeaderKind::Value);
    EXPECT_EQ(a.anchorItem, 1);
    EXPECT_EQ(a.itemSpan, 2);
    EXPECT_EQ(a.value, Value::text("A"));
    const HeaderCell at = grid.rowHeader(3, 1);
    EXPECT_EQ(at.kind, HeaderKind::Total);
    EXPECT_EQ(at.anchorLevel, 0);
    EXPECT_EQ(at.levelSpan, 2);
    EXPECT_EQ(at.text, QStringLiteral("A Total"));
    EXPECT_EQ(grid.columnHeader(2, 0).kind, HeaderKind::GrandTotal);
    EXPECT_EQ(grid.rowLevelField(1), grid.fieldByName(u("货号")));

    const PivotField& goods = *grid.fieldByName(u("货号"));
    const PivotField& brand = *grid.fieldByName(u("品牌"));
    EXPECT_EQ(grid.rowGroupText(2, goods), QStringLiteral("a2"));
    EXPECT_EQ(grid.rowGroupValue(3, brand), Value::text("A"));
    EXPECT_FALSE(grid.rowGroupValue(3, goods).has_value());  // A's total row
    EXPECT_FALSE(grid.rowGroupValue(6, brand).has_value());  // grand total
    EXPECT_EQ(grid.columnGroupText(1, *grid.fieldByName(u("店铺"))), QStringLiteral("S2"));

    grid.setFocusedCell(2, 1);
    EXPECT_EQ(grid.focusedRow(), 2);
    EXPECT_EQ(grid.focusedColumn(), 1);
    grid.setFocusedCell(50, -3);
    EXPECT_EQ(grid.focusedRow(), 6);
    EXPECT_EQ(grid.focusedColumn(), 0);
    // Fewer rows after a filter (one brand: no grand total row): the focus
    // stays inside the view.
    grid.fieldByName(u("品牌"))->setFilter({FieldFilter::Mode::Included, {Value::text("B")}});
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.focusedRow(), 0);
}

TEST(PivotFields, CreateAllFieldsAreasAndOrder) {
    PivotEngine grid;
    loadSample(grid);
    ASSERT_EQ(grid.fieldCount(), 7);
    EXPECT_EQ(grid.field(3).name(), QStringLiteral("日"));
    EXPECT_EQ(grid.field(3).caption(), QStringLiteral("日"));
    EXPECT_EQ(grid.field(3).area(), Area::None);
    EXPECT_EQ(grid.fieldByName(u("不存在")), nullptr);
    EXPECT_FALSE(grid.setFieldArea(u("不存在"), morvane::pivot::Area::Row));

    for (const char* n : {"店铺", "品牌", "货号"})
        grid.setFieldArea(u(n), morvane::pivot::Area::Row);
    auto names = [&](Area a) {
        QStringList out;
        for (const PivotField* f : grid.fieldsInArea(a))
            out << f->name();
        return out.join(QLatin1Char(','));
    };
    EXPECT_EQ(names(Area::Row), u("店铺,品牌,货号"));
    grid.fieldByName(u("货号"))->setAreaIndex(0);
    EXPECT_EQ(names(Area::Row), u("货号,店铺,品牌"));
    EXPECT_EQ(grid.fieldByName(u("品牌"))->areaIndex(), 2);
    // Moving to another area appends there.
    grid.setFieldArea(u("日"), morvane::pivot::Area::Column);
    grid.setFieldArea(u("店铺"), morvane::pivot::Area::Column);
    EXPECT_EQ(names(Area::Column), u("日,店铺"));
    EXPECT_EQ(names(Area::Row), u("货号,品牌"));
    grid.setFieldArea(u("日"), morvane::pivot::Area::None);
    EXPECT_EQ(grid.fieldByName(u("日"))->area(), Area::None);
    EXPECT_EQ(grid.fieldByName(u("日"))->areaIndex(), -1);

    grid.deleteAllFields();
    EXPECT_EQ(grid.fieldCount(), 0);
    EXPECT_EQ(render(grid), lines("|Grand Total\nGrand Total|\n"));
}

TEST(PivotFields, ChangeNotificationsWaitForTheOutermostEndUpdate) {
    PivotEngine grid;
    loadSample(grid);
    int calls = 0;
    grid.setOnChanged([&] { ++calls; });
    grid.beginUpdate();
    grid.beginUpdate();
    grid.setFieldArea(u("品牌"), morvane::pivot::Area::Row);
    grid.setFieldArea(u("数量"), morvane::pivot::Area::Data);
    grid.endUpdate();
    EXPECT_EQ(calls, 0);
    grid.endUpdate();
    EXPECT_EQ(calls, 1);
    grid.fieldByName(u("品牌"))->setSortOrder(SortOrder::Descending);
    EXPECT_EQ(calls, 2);
}

TEST(PivotFields, DesignTimeFieldsKeepTheUsersArrangementAcrossResults) {
    PivotEngine grid;
    PivotField& brand = grid.addField(u("品牌"));
    PivotField& qty = grid.addField(u("数量"));
    PivotField& note = grid.addField(u("备注"));  // not in the first result
    EXPECT_EQ(&grid.addField(u("数量")), &qty);
    brand.setArea(Area::Row);
    qty.setArea(Area::Data);
    note.setArea(Area::Data);
    qty.setCaption(u("件数"));
    grid.setSource(test::sampleRows());
    EXPECT_EQ(note.sourceColumn(), -1);
    // The user's own changes.
    brand.setSortOrder(SortOrder::Descending);
    brand.setFilter({FieldFilter::Mode::Excluded, {Value::text("C")}});
    EXPECT_EQ(render(grid), lines("品牌|件数|备注\n"
                                  "B|7|\n"
                                  "A|10|\n"
                                  "|1|\n"
                                  "Grand Total|18|\n"));

    // A new result with the columns in another order, and 备注 present.
    auto next = std::make_shared<MemorySource>();
    next->addColumn(u("品牌"), ValueType::Text);
    next->addColumn(u("备注"), ValueType::Integer);
    next->addColumn(u("其他"), ValueType::Text);
    next->addColumn(u("数量"), ValueType::Integer);
    next->appendRow({Value::text("A"), Value::integer(1), Value::text("x"), Value::integer(2)});
    next->appendRow({Value::text("C"), Value::integer(5), Value::text("y"), Value::integer(5)});
    next->appendRow({Value::text("D"), Value(), Value::text("z"), Value::integer(3)});
    grid.setSource(next);
    EXPECT_EQ(grid.fieldCount(), 3);
    EXPECT_EQ(qty.sourceColumn(), 3);
    EXPECT_EQ(note.areaIndex(), 1);
    EXPECT_EQ(render(grid), lines("品牌|件数|备注\n"
                                  "D|3|\n"
                                  "A|2|1\n"
                                  "Grand Total|5|1\n"));
    // A row field whose column is missing groups everything under one empty value.
    grid.setSource(test::sampleRows());
    note.setArea(Area::Row);
    EXPECT_EQ(render(grid), lines("品牌|备注|Grand Total\n"
                                  "B||7\n"
                                  "A||10\n"
                                  "||1\n"
                                  "Grand Total||18\n"));
}

TEST(PivotFields, FilterDropDownOffersDistinctValuesByPages) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(u("n"), ValueType::Integer);
    for (int i = 0; i < 400; ++i)
        src->appendRow({Value::integer(i * 7 % 400)});
    src->appendRow({Value()});
    PivotEngine grid;
    grid.setSource(src);
    grid.createAllFields();
    PivotField& n = grid.field(0);
    EXPECT_EQ(grid.distinctValueCount(n), 401);
    const auto first = grid.distinctValues(n, 0);
    ASSERT_EQ(first.size(), 150u);
    EXPECT_TRUE(first[0].isNull());
    EXPECT_EQ(first[1], Value::integer(0));
    EXPECT_EQ(first[149], Value::integer(148));
    const auto last = grid.distinctValues(n, 300);
    ASSERT_EQ(last.size(), 101u);
    EXPECT_EQ(last.back(), Value::integer(399));
    n.setSortOrder(SortOrder::Descending);
    EXPECT_EQ(grid.distinctValues(n, 0, 2),
              (std::vector<Value>{Value::integer(399), Value::integer(398)}));
    EXPECT_TRUE(grid.distinctValues(n, 400, 5).at(0).isNull());
    EXPECT_TRUE(grid.distinctValues(n, 401).empty());
}

TEST(PivotWidths, BestFitFromTextsNeverBelowMinimum) {
    PivotEngine grid;
    loadSample(grid);
    place(grid, {"货号"}, {"店铺"}, {"金额"});
    grid.fieldByName(u("店铺"))->setMinWidth(120);
    grid.applyBestFit(7, 10);
    // Goods: the caption 货号 is 4 units wide, the values 2; "Grand Total" is 11.
    EXPECT_EQ(grid.rowLevelWidth(0), 11 * 7 + 10);
    // The widest amount is 38.55 / 31.05 / 21.05 (5 characters).
    EXPECT_EQ(grid.fieldByName(u("金额"))->width(), 5 * 7 + 10);
    // Column S1: its header needs the column field's minimum width.
    EXPECT_EQ(grid.columnWidth(0), 120);
    EXPECT_EQ(grid.columnWidth(2), 11 * 7 + 10);
    // From some rows only: the first (a1, amounts up to 16.5), then the grand total.
    const std::vector<int> first{0}, total{grid.rowCount() - 1};
    grid.applyBestFit(7, 10, &first);
    EXPECT_EQ(grid.rowLevelWidth(0), 4 * 7 + 10);
    EXPECT_EQ(grid.fieldByName(u("金额"))->width(), 4 * 7 + 10);
    grid.applyBestFit(7, 10, &total);
    EXPECT_EQ(grid.rowLevelWidth(0), 11 * 7 + 10);
    EXPECT_EQ(grid.fieldByName(u("金额"))->width(), 5 * 7 + 10);
    grid.fieldByName(u("货号"))->setMinWidth(200);
    grid.applyBestFit(7, 10);
    EXPECT_EQ(grid.rowLevelWidth(0), 200);
}

TEST(PivotMatrixRows, StreamedRowsMatchTheMatrixAndAFailingWriterLeavesTheView) {
    PivotEngine grid;
    loadSample(grid);
    place(grid, {"品牌", "货号"}, {"店铺"}, {"数量"});
    grid.collapseAll();
    const PivotMatrix whole = grid.layoutMatrix(MatrixOptions{.expandAll = true});
    int seen = 0;
    const MatrixShape shape = grid.layoutRows(
        MatrixOptions{.expandAll = true},
        [&](const MatrixShape& sh, int row, std::vector<MatrixCell>& cells) {
            EXPECT_EQ(row, seen++);
            ASSERT_EQ(static_cast<int>(cells.size()), sh.columns);
            for (int c = 0; c < sh.columns; ++c) {
                EXPECT_EQ(cells[static_cast<size_t>(c)].text, whole.at(row, c).text);
                EXPECT_EQ(cells[static_cast<size_t>(c)].rowSpan, whole.at(row, c).rowSpan);
            }
        });
    EXPECT_EQ(seen, whole.rowCount());
    EXPECT_EQ(shape.headerRows, 1);
    EXPECT_EQ(shape.headerColumns, 2);
    // Merges: A spans its two goods rows, the corner and values are typed.
    EXPECT_EQ(whole.at(2, 0).rowSpan, 2);
    EXPECT_TRUE(whole.at(3, 0).covered);
    EXPECT_EQ(whole.at(4, 0).colSpan, 2);
    EXPECT_EQ(whole.at(2, 2).value, Value::integer(5));
    EXPECT_EQ(whole.at(2, 2).role, MatrixCell::Role::Cell);
    EXPECT_EQ(whole.at(0, 2).role, MatrixCell::Role::ColumnHeader);

    EXPECT_THROW(grid.layoutRows(MatrixOptions{.expandAll = true},
                                 [](const MatrixShape&, int row, std::vector<MatrixCell>&) {
                                     if (row == 3)
                                         throw std::runtime_error("disk full");
                                 }),
                 std::runtime_error);
    EXPECT_EQ(grid.rowCount(), 5);  // still collapsed
}

}  // namespace
}  // namespace morvane::pivot
