// The pivot grid under mouse and keyboard, its painting, and scrolling through a large pivot.
#include "GridTestSupport.h"

#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/MemorySource.h"
#include "platform/ui/PivotFilterPopup.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotGridStyles.h"
#include "platform/ui/TcxStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using morvane::pivot::Area;
using morvane::pivot::MemorySource;
using morvane::pivot::PivotField;
using morvane::pivot::Value;
using morvane::pivot::ValueType;
using morvane::ui::PivotHitZone;

namespace {

std::shared_ptr<MemorySource> salesRows() {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(u("地区"), ValueType::Text);
    src->addColumn(u("客户"), ValueType::Text);
    src->addColumn(u("月份"), ValueType::Text);
    src->addColumn(u("数量"), ValueType::Integer);
    src->addColumn(u("金额"), ValueType::Real);
    auto row = [&](const char* a, const char* b, const char* m, int q, double v) {
        src->appendRow({Value::text(u(a)), Value::text(u(b)), Value::text(u(m)), Value::integer(q),
                        Value::real(v)});
    };
    row("华东", "A01", "01", 10, 100.5);
    row("华东", "A01", "02", 5, 50);
    row("华东", "A02", "01", 3, 30);
    row("华北", "B01", "01", 7, 70);
    row("华北", "B01", "02", 0, 0);
    return src;
}

void send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

// Presses at `from`, moves in steps to `to` and releases there, as a user dragging.
void dragTo(QWidget* w, QPoint from, QPoint to) {
    send(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= 6; ++i)
        send(w, QEvent::MouseMove, from + (to - from) * i / 6, Qt::LeftButton);
    send(w, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

void click(QWidget* w, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    send(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, mods);
    send(w, QEvent::MouseButtonRelease, pos, Qt::NoButton, mods);
}

std::vector<QString> namesIn(TcxDBPivotGrid& grid, Area area) {
    std::vector<QString> out;
    for (PivotField* f : grid.ViewData().fieldsInArea(area))
        out.push_back(f->name());
    return out;
}

// The windows' zero blanking: a sum of 0 shows empty.
void blankZeros(TcxDBPivotGrid& grid) {
    for (int i = 0; i < grid.FieldCount(); ++i)
        grid.Fields(i)->setOnGetDisplayText(
            [](const PivotField&, const morvane::pivot::DisplayTextInfo&, QString& text) {
                if (text == QLatin1String("0"))
                    text.clear();
            });
}

class PivotGridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid = std::make_unique<TcxDBPivotGrid>();
        grid->resize(900, 500);
        grid->SetSource(salesRows());
        grid->BeginUpdate();
        grid->CreateAllFields();
        place(*grid, {"地区", "客户"}, {"月份"}, {"数量"});
        grid->EndUpdate();
        grid->show();
        vp = grid->viewport();
    }
    PivotField* field(const char* name) { return grid->GetFieldByName(u(name)); }
    std::vector<QString> areaNames(Area area) { return namesIn(*grid, area); }
    // Centre of the cell (row, column) in the viewport.
    QPoint cellCenter(int row, int column) {
        return grid->Geometry().cellRect(row, column).center();
    }
    // The painted colour just inside the cell's top left corner.
    QColor pixel(int row, int column) {
        return QColor(vp->grab().toImage().pixel(grid->Geometry().cellRect(row, column).topLeft() +
                                                 QPoint(2, 2)));
    }

    std::unique_ptr<TcxDBPivotGrid> grid;
    QWidget* vp = nullptr;
};

TEST_F(PivotGridTest, HitTestFindsEveryHeaderArea) {
    const auto& g = grid->Geometry();
    // Rows: 华东 A01, A02, 华东 Total, 华北 B01 (no total for one customer), Grand Total;
    // columns 01, 02, Grand Total.
    ASSERT_EQ(grid->ViewData().rowCount(), 5);
    ASSERT_EQ(grid->ViewData().columnCount(), 3);

    const auto month = grid->HitTest(grid->FieldHeaderCenter(field("月份")));
    EXPECT_EQ(month.area, Area::Column);
    const QRect monthButton = g.buttons()[static_cast<size_t>(month.button)].rect;
    const QRect customer = g.rowHeaderRect(1, 1, 1, 1);
    // 华东 (rows 0 to 2) has its expand box at its top left.
    const QRect east = g.rowHeaderRect(0, 0, 3, 1);
    const std::pair<QPoint, PivotHitZone> zones[] = {
        {g.filterArea().center(), PivotHitZone::FilterArea},
        {QPoint(g.dataArea().right() - 2, g.dataArea().center().y()), PivotHitZone::DataArea},
        {QPoint(g.columnFieldArea().right() - 5, g.columnFieldArea().center().y()),
         PivotHitZone::ColumnFieldArea},
        {QPoint(monthButton.right() - 3, monthButton.center().y()),
         PivotHitZone::FieldFilterButton},
        {morvane::ui::PivotGridGeometry::expandBoxRect(east, g.rowHeight()).center(),
         PivotHitZone::ExpandButton},
        {QPoint(g.levelX(1), customer.center().y()), PivotHitZone::RowLevelResize}};
    for (const auto& [point, zone] : zones)
        EXPECT_EQ(grid->HitTest(point).zone, zone) << point.x() << "," << point.y();

    const auto region = grid->HitTest(grid->FieldHeaderCenter(field("地区")));
    EXPECT_EQ(region.zone, PivotHitZone::FieldHeader);
    EXPECT_EQ(region.area, Area::Row);
    EXPECT_EQ(grid->HitTest(grid->FieldHeaderCenter(field("数量"))).area, Area::Data);

    const auto cell = grid->HitTest(cellCenter(3, 1));
    EXPECT_EQ(cell.zone, PivotHitZone::Cell);
    EXPECT_EQ(cell.row, 3);
    EXPECT_EQ(cell.column, 1);

    const QRect col1 = g.columnHeaderRect(1, 0, 1, 1);
    const auto header = grid->HitTest(col1.center());
    EXPECT_EQ(header.zone, PivotHitZone::ColumnHeader);
    EXPECT_EQ(header.column, 1);
    const auto edge = grid->HitTest(QPoint(col1.right(), col1.center().y()));
    EXPECT_EQ(edge.zone, PivotHitZone::ColumnResize);
    EXPECT_EQ(edge.column, 1);

    const auto rowHeader = grid->HitTest(customer.center());
    EXPECT_EQ(rowHeader.zone, PivotHitZone::RowHeader);
    EXPECT_EQ(rowHeader.row, 1);
    EXPECT_EQ(rowHeader.level, 1);
}

TEST_F(PivotGridTest, DraggingFieldHeadersMovesFieldsBetweenAndWithinAreas) {
    // 客户 from the rows to the columns, after 月份.
    const auto& g = grid->Geometry();
    const QPoint target(g.columnFieldArea().right() - 20, g.columnFieldArea().center().y());
    dragTo(vp, grid->FieldHeaderCenter(field("客户")), target);
    EXPECT_EQ(areaNames(Area::Row), std::vector<QString>{u("地区")});
    EXPECT_EQ(areaNames(Area::Column), (std::vector<QString>{u("月份"), u("客户")}));
    EXPECT_EQ(grid->ViewData().columnLevelCount(), 2);

    // 客户 back into the rows, before 地区.
    const QPoint region = grid->FieldHeaderCenter(field("地区"));
    dragTo(vp, grid->FieldHeaderCenter(field("客户")),
           region - QPoint(grid->Geometry().levelWidth(0) / 2 - 4, 0));
    EXPECT_EQ(areaNames(Area::Row), (std::vector<QString>{u("客户"), u("地区")}));

    // 金额 from nowhere is not shown; 地区 into the filter area, then into the data area.
    dragTo(vp, grid->FieldHeaderCenter(field("地区")), grid->Geometry().filterArea().center());
    EXPECT_EQ(areaNames(Area::Filter), std::vector<QString>{u("地区")});
    EXPECT_EQ(grid->FieldHeaderCenter(field("金额")), QPoint(-1, -1));

    // A short press without moving is a click: it turns the sort order, nothing moves.
    const QPoint month = grid->FieldHeaderCenter(field("月份"));
    click(vp, month);
    EXPECT_EQ(field("月份")->area(), Area::Column);
    EXPECT_EQ(field("月份")->sortOrder(), morvane::pivot::SortOrder::Descending);
    EXPECT_EQ(grid->ViewData().columnHeader(0, 0).text, u("02"));

    // Escape during a drag drops it.
    const QPoint customer = grid->FieldHeaderCenter(field("客户"));
    send(vp, QEvent::MouseButtonPress, customer, Qt::LeftButton);
    send(vp, QEvent::MouseMove, customer + QPoint(0, 10), Qt::LeftButton);
    send(vp, QEvent::MouseMove, grid->Geometry().filterArea().center(), Qt::LeftButton);
    QTest::keyClick(grid.get(), Qt::Key_Escape);
    send(vp, QEvent::MouseButtonRelease, grid->Geometry().filterArea().center(), Qt::NoButton);
    EXPECT_EQ(field("客户")->area(), Area::Row);

    // Dropped outside every area, a header goes back where it was.
    dragTo(vp, grid->FieldHeaderCenter(field("月份")), grid->Geometry().bodyArea().center());
    EXPECT_EQ(field("月份")->area(), Area::Column);
}

TEST_F(PivotGridTest, DataFieldHeaderMovesBetweenColumnsAndRows) {
    grid->SetFieldArea(u("金额"), morvane::pivot::Area::Data);
    auto& e = grid->ViewData();
    ASSERT_EQ(e.dataFieldArea(), Area::Column);
    const QPoint items = grid->FieldHeaderCenter(nullptr);
    ASSERT_NE(items, QPoint(-1, -1));
    EXPECT_EQ(grid->Geometry().buttons()[static_cast<size_t>(grid->HitTest(items).button)].text,
              u("项目"));
    // Onto the row field headers, between 地区 and 客户.
    const auto& g = grid->Geometry();
    const QPoint between(g.levelX(1) + 3, g.bodyTop() - g.rowHeight() / 2);
    dragTo(vp, items, between);
    EXPECT_EQ(e.dataFieldArea(), Area::Row);
    EXPECT_EQ(e.dataFieldAreaIndex(), 1);
    EXPECT_TRUE(e.rowLevelIsData(1));
    EXPECT_EQ(grid->OptionsDataField().Area, dfaRow);
    // The data-field header refuses the filter area.
    dragTo(vp, grid->FieldHeaderCenter(nullptr), grid->Geometry().filterArea().center());
    EXPECT_EQ(e.dataFieldArea(), Area::Row);
}

TEST_F(PivotGridTest, FilterDropDownSetsTheValueFilter) {
    const auto& g = grid->Geometry();
    const auto month = grid->HitTest(grid->FieldHeaderCenter(field("月份")));
    const QRect r = g.buttons()[static_cast<size_t>(month.button)].rect;
    click(vp, QPoint(r.right() - 3, r.center().y()));
    morvane::ui::PivotFilterPopup* popup = grid->FilterPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(&popup->Field(), field("月份"));
    ASSERT_EQ(popup->LoadedCount(), 2);
    EXPECT_EQ(popup->AllBox()->checkState(), Qt::Checked);
    popup->SetChecked(1, false);  // "02"
    EXPECT_EQ(popup->AllBox()->checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(popup->OkButton(), Qt::LeftButton);
    const auto& f = field("月份")->filter();
    EXPECT_TRUE(f.active());
    EXPECT_FALSE(f.allows(Value::text(u("02"))));
    EXPECT_TRUE(f.allows(Value::text(u("01"))));
    EXPECT_EQ(grid->ViewData().columnCount(), 1);  // 01 alone: no grand total column of one
}

TEST(PivotFilterPopupTest, PagesOfValuesAndTheAllTick) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(QStringLiteral("code"), ValueType::Integer);
    src->addColumn(QStringLiteral("qty"), ValueType::Integer);
    for (int i = 0; i < 400; ++i)
        src->appendRow({Value::integer(i), Value::integer(1)});
    TcxDBPivotGrid grid;
    grid.SetSource(src);
    grid.CreateAllFields();
    place(grid, {"code"}, {}, {"qty"});
    PivotField* code = grid.GetFieldByName(QStringLiteral("code"));
    code->setFilter({morvane::pivot::FieldFilter::Mode::Excluded, {Value::integer(399)}});

    auto* popup = grid.ShowFilterPopup(code);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->LoadedCount(), 150);
    EXPECT_TRUE(popup->MoreButton()->isEnabled());
    popup->LoadMore();
    popup->LoadMore();
    EXPECT_EQ(popup->LoadedCount(), 400);
    EXPECT_FALSE(popup->MoreButton()->isEnabled());
    EXPECT_FALSE(popup->IsChecked(399));  // the filter in force shows
    popup->close();

    // Cancel keeps the filter.
    popup = grid.ShowFilterPopup(code);
    popup->SetAllChecked(true);
    popup->Reject();
    EXPECT_FALSE(code->filter().allows(Value::integer(399)));

    // Clearing all and ticking one value keeps that value only, loaded page or not.
    popup = grid.ShowFilterPopup(code);
    popup->SetAllChecked(false);
    EXPECT_FALSE(popup->OkButton()->isEnabled());
    popup->SetChecked(7, true);
    EXPECT_TRUE(popup->OkButton()->isEnabled());
    popup->Accept();
    EXPECT_EQ(code->filter().mode, morvane::pivot::FieldFilter::Mode::Included);
    EXPECT_EQ(code->filter().values, std::vector<Value>{Value::integer(7)});
    EXPECT_EQ(grid.ViewData().rowCount(), 1);  // one code, no grand total row of one
}

TEST_F(PivotGridTest, KeyboardMovesTheFocusedCell) {
    auto& e = grid->ViewData();
    grid->setFocus();
    grid->SetFocusedCell(0, 0);
    const Qt::KeyboardModifier none = Qt::NoModifier, ctrl = Qt::ControlModifier;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifier mod;
        int row, column;
    } steps[] = {{Qt::Key_Down, none, 1, 0}, {Qt::Key_Right, none, 1, 1},
                 {Qt::Key_End, none, 1, 2},  {Qt::Key_Right, none, 1, 2},  // stays at the edge
                 {Qt::Key_Home, none, 1, 0}, {Qt::Key_End, ctrl, 4, 2},
                 {Qt::Key_Home, ctrl, 0, 0}, {Qt::Key_PageDown, none, 4, 0},  // page holds all
                 {Qt::Key_Up, none, 3, 0},   {Qt::Key_PageUp, none, 0, 0}};
    for (const auto& s : steps) {
        QTest::keyClick(grid.get(), s.key, s.mod);
        EXPECT_EQ(QPoint(e.focusedColumn(), e.focusedRow()), QPoint(s.column, s.row)) << s.key;
    }
    // Shift extends the selection from where it started.
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), QRect(0, 0, 2, 2));
    QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->Selection(), QRect(1, 2, 1, 1));
    QTest::keyClick(grid.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), QRect(0, 0, 3, 5));
    EXPECT_EQ(e.focusedRow(), 0);
    EXPECT_EQ(e.focusedColumn(), 0);
}

TEST_F(PivotGridTest, CopyPutsTheSelectedTextsOnTheClipboard) {
    // Zero blanking and a custom-draw handler that rewrites total cells, as windows attach them.
    blankZeros(*grid);
    grid->SetOnCustomDrawCell([](morvane::pivot::PivotEngine&, morvane::pivot::CellDrawInfo& info) {
        if (info.kind == morvane::pivot::CellKind::GrandTotal)
            info.text = u("合") + info.text;
    });
    // Rows 华东 Total (13, 5, 18) and 华北 B01 (7, 0 shown empty, 7).
    click(vp, cellCenter(2, 0));
    click(vp, cellCenter(3, 2), Qt::ShiftModifier);
    EXPECT_EQ(grid->Selection(), QRect(0, 2, 3, 2));
    QApplication::clipboard()->clear();
    QTest::keyClick(grid.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), u("13\t5\t合18\n7\t\t合7"));

    // Dragging selects as well; the grand-total row.
    dragTo(vp, cellCenter(4, 2), cellCenter(4, 0));
    EXPECT_EQ(grid->SelectionText(), u("合20\t合5\t合25"));
}

TEST_F(PivotGridTest, ExpandBoxesCollapseAndExpandGroups) {
    auto& e = grid->ViewData();
    const auto& g = grid->Geometry();
    // 华东 spans rows 0..2 (A01, A02, Total).
    const QRect east = g.rowHeaderRect(0, 0, 3, 1);
    const QPoint box = morvane::ui::PivotGridGeometry::expandBoxRect(east, g.rowHeight()).center();
    click(vp, box);
    ASSERT_EQ(e.rowCount(), 3);
    EXPECT_EQ(e.rowHeader(0, 0).text, u("华东"));
    EXPECT_FALSE(e.rowHeader(0, 0).expanded);
    EXPECT_EQ(e.cellText(0, 2), u("18"));
    EXPECT_EQ(e.rowHeader(1, 1).text, u("B01"));
    click(vp, morvane::ui::PivotGridGeometry::expandBoxRect(
                  grid->Geometry().rowHeaderRect(0, 0, 1, 2), g.rowHeight())
                  .center());
    EXPECT_EQ(e.rowCount(), 5);
    EXPECT_TRUE(e.rowHeader(0, 0).expanded);
    // A double click on a group header toggles it too.
    QTest::mouseDClick(vp, Qt::LeftButton, Qt::NoModifier,
                       grid->Geometry().rowHeaderRect(0, 0, 3, 1).center());
    EXPECT_EQ(e.rowCount(), 3);
}

TEST_F(PivotGridTest, ColumnsResizeByDraggingAndNeverGoBelowTheMinimum) {
    const int before = grid->ColumnWidth(0);
    const QRect header = grid->Geometry().columnHeaderRect(0, 0, 1, 1);
    const QPoint edge(header.right(), header.center().y());
    dragTo(vp, edge, edge + QPoint(30, 0));
    EXPECT_EQ(grid->ColumnWidth(0), before + 30);
    field("数量")->setMinWidth(60);
    const QRect h2 = grid->Geometry().columnHeaderRect(0, 0, 1, 1);
    dragTo(vp, QPoint(h2.right(), h2.center().y()), QPoint(h2.left() + 5, h2.center().y()));
    EXPECT_EQ(grid->ColumnWidth(0), 60);
    // A width set by the user survives a re-layout that keeps the column.
    field("客户")->setSortOrder(morvane::pivot::SortOrder::Descending);
    EXPECT_EQ(grid->ColumnWidth(0), 60);
}

TEST_F(PivotGridTest, BestFitFitsTheWidestTextAndHonoursMinimumWidths) {
    grid->SetOnCustomDrawCell([](morvane::pivot::PivotEngine&, morvane::pivot::CellDrawInfo& info) {
        if (info.row == 0 && info.column == 1)
            info.text = u("a much longer replacement text");
    });
    field("月份")->setMinWidth(120);
    grid->ApplyBestFit();
    const QFontMetrics fm = grid->fontMetrics();
    EXPECT_GE(grid->ColumnWidth(1), fm.horizontalAdvance(u("a much longer replacement text")));
    EXPECT_GE(grid->ColumnWidth(0), 120);
    EXPECT_LT(grid->ColumnWidth(2), fm.horizontalAdvance(u("a much longer replacement text")));
    EXPECT_GE(grid->ColumnWidth(2), fm.horizontalAdvance(u("Grand Total")));
    // "Grand Total" spans both row levels: together they hold it.
    EXPECT_GE(grid->RowLevelWidth(0) + grid->RowLevelWidth(1),
              fm.horizontalAdvance(u("Grand Total")));
}

// Long client names over two measures each, as the client windows show them.
TEST(PivotGridFitTest, HeadersOverSeveralColumnsShowWholeAndTheFitFollowsTheLayout) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(u("店铺"), ValueType::Text);
    src->addColumn(u("类别"), ValueType::Text);
    src->addColumn(u("数量"), ValueType::Integer);
    src->addColumn(u("金额"), ValueType::Real);
    const char* shops[] = {"上海久光百货旗舰店", "南京新街口百货商店", "一店"};
    for (const char* shop : shops) {
        src->appendRow({Value::text(u(shop)), Value::text(u("一级代理商的长类别名称")),
                        Value::integer(3), Value::real(1.5)});
        src->appendRow({Value::text(u(shop)), Value::text(u("短")), Value::integer(1),
                        Value::real(2)});
    }
    TcxDBPivotGrid grid;
    grid.resize(1200, 400);
    grid.SetSource(src);
    grid.BeginUpdate();
    grid.CreateAllFields();
    place(grid, {}, {"店铺"}, {"数量", "金额"});
    grid.EndUpdate();
    grid.show();
    grid.ApplyBestFit();
    const QFontMetrics fm = grid.fontMetrics();
    morvane::pivot::PivotEngine& e = grid.ViewData();
    // Every header, spanning or not, gets the room of its whole text.
    const auto everyHeaderFits = [&] {
        for (int l = 0; l < e.columnLevelCount(); ++l)
            for (int c = 0; c < e.columnCount(); ++c) {
                const auto h = e.columnHeader(c, l);
                if (!h.isAnchor(c, l) || h.kind == morvane::pivot::HeaderKind::Empty)
                    continue;
                int room = 0;
                for (int k = c; k < c + h.itemSpan; ++k)
                    room += grid.ColumnWidth(k);
                EXPECT_GE(room, fm.horizontalAdvance(e.drawColumnHeader(c, l).text))
                    << e.drawColumnHeader(c, l).text.toStdString();
            }
    };
    everyHeaderFits();

    // A field moved into the columns (as a drag does) is fitted again, whole texts and all.
    grid.GetFieldByName(u("类别"))->setArea(Area::Column);
    ASSERT_EQ(e.columnLevelCount(), 3);
    everyHeaderFits();

    // A width the user set by hand stays through later changes; a double click on the right
    // edge of a header fits that column again.
    const int last = e.columnCount() - 1;  // the grand total's 金额, wherever the sort puts the rest
    grid.SetColumnWidth(last, 200);
    grid.GetFieldByName(u("类别"))->setSortOrder(morvane::pivot::SortOrder::Descending);
    EXPECT_EQ(grid.ColumnWidth(last), 200);
    grid.SetColumnWidth(1, 20);
    const QRect header = grid.Geometry().columnHeaderRect(1, 2, 1, 1);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(header.right(), header.center().y()));
    EXPECT_GE(grid.ColumnWidth(1), fm.horizontalAdvance(e.drawColumnHeader(1, 2).text));
    EXPECT_LT(grid.ColumnWidth(1), 200);
}

TEST_F(PivotGridTest, BeginUpdateHoldsLayoutUntilEndUpdate) {
    QSignalSpy relaid(grid.get(), &TcxDBPivotGrid::layoutChanged);
    grid->BeginUpdate();
    grid->DeleteAllFields();
    grid->CreateAllFields();
    place(*grid, {"客户"}, {}, {"金额"});
    grid->repaint();
    QApplication::processEvents();
    EXPECT_EQ(relaid.count(), 0);
    EXPECT_TRUE(grid->IsUpdating());
    grid->EndUpdate();
    EXPECT_EQ(relaid.count(), 1);
    EXPECT_EQ(grid->ViewData().rowCount(), 4);  // A01, A02, B01, Grand Total
}

TEST_F(PivotGridTest, TotalsPaintInTheTotalsStyleAndHandlersRecolourCells) {
    TcxStyle totals;
    totals.SetColor(0x00E8F3D3);  // $00BBGGRR
    grid->Styles()->SetValue(TcxPivotGridStyles::psTotal, &totals);
    grid->SetOnCustomDrawCell([](morvane::pivot::PivotEngine&, morvane::pivot::CellDrawInfo& info) {
        if (info.row == 1 && info.column == 0)
            info.color = 0xFFFF0000;
    });
    EXPECT_EQ(pixel(2, 0), QColor(0xD3, 0xF3, 0xE8));  // 华东 Total
    EXPECT_EQ(pixel(4, 1), QColor(0xD3, 0xF3, 0xE8));  // grand total, no grand-total style
    EXPECT_EQ(pixel(3, 2), QColor(0xD3, 0xF3, 0xE8));  // grand-total column
    EXPECT_EQ(pixel(1, 0), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(pixel(3, 0), QColor(255, 255, 255));
    // The style's colour changes show at once; a destroyed style leaves the default.
    totals.SetColor(0x000000FF);
    EXPECT_EQ(pixel(2, 0), QColor(0xFF, 0, 0));
}

TEST_F(PivotGridTest, HiddenHeaderAreasLeaveValuesTotalsAndCells) {
    const int bodyTop = grid->Geometry().bodyTop();
    TcxPivotGridOptionsView o = grid->OptionsView();
    o.FilterFields = o.DataFields = o.RowFields = o.ColumnFields = false;
    grid->SetOptionsView(o);
    const auto& g = grid->Geometry();
    EXPECT_TRUE(g.filterArea().isEmpty());
    EXPECT_TRUE(g.dataArea().isEmpty());
    EXPECT_TRUE(g.columnFieldArea().isEmpty());
    EXPECT_TRUE(g.buttons().empty());
    EXPECT_EQ(g.headerTop(), 0);
    EXPECT_EQ(g.bodyTop(), g.rowHeight());  // one row of column headers (01, 02, Grand Total)
    EXPECT_LT(g.bodyTop(), bodyTop);
    EXPECT_EQ(grid->HitTest(QPoint(5, 2)).zone, PivotHitZone::RowFieldArea);
    EXPECT_EQ(grid->ViewData().rowCount(), 5);
    // Only the data-field headers back: the band returns, without column field headers.
    o.DataFields = true;
    grid->SetOptionsView(o);
    EXPECT_FALSE(grid->Geometry().dataArea().isEmpty());
    EXPECT_TRUE(grid->Geometry().columnFieldArea().isEmpty());
    EXPECT_EQ(grid->FieldHeaderCenter(field("月份")), QPoint(-1, -1));
    EXPECT_NE(grid->FieldHeaderCenter(field("数量")), QPoint(-1, -1));
    // Totals switched off.
    o.RowTotals = false;
    o.ColumnGrandTotals = false;
    grid->SetOptionsView(o);
    EXPECT_EQ(grid->ViewData().rowCount(), 4);
    EXPECT_EQ(grid->ViewData().columnCount(), 2);
}

TEST_F(PivotGridTest, DropTargetsFollowTheHeaderButtons) {
    const auto& g = grid->Geometry();
    const QPoint region = grid->FieldHeaderCenter(field("地区"));
    const QPoint customer = grid->FieldHeaderCenter(field("客户"));
    auto t = g.dropTarget(region - QPoint(10, 0));
    EXPECT_EQ(t.area, Area::Row);
    EXPECT_EQ(t.slot, 0);
    t = g.dropTarget(customer + QPoint(10, 0));
    EXPECT_EQ(t.slot, 2);
    EXPECT_GT(t.indicator.left(), customer.x());
    // Over the body nothing takes the header; over the row headers the row area does.
    EXPECT_FALSE(g.dropTarget(g.bodyArea().center()).valid());
    EXPECT_EQ(g.dropTarget(g.rowHeaderArea().center()).area, Area::Row);
    EXPECT_EQ(g.dropTarget(g.columnHeaderArea().center()).area, Area::Column);
    // While a header is dragged the drop line is painted in the viewport.
    const QImage before = vp->grab().toImage();
    send(vp, QEvent::MouseButtonPress, customer, Qt::LeftButton);
    send(vp, QEvent::MouseMove, customer + QPoint(0, 8), Qt::LeftButton);
    send(vp, QEvent::MouseMove, g.filterArea().center(), Qt::LeftButton);
    const QImage during = vp->grab().toImage();
    const QRect line = g.dropTarget(g.filterArea().center()).indicator;
    EXPECT_NE(during.pixel(line.center()), before.pixel(line.center()));
    send(vp, QEvent::MouseButtonRelease, g.filterArea().center(), Qt::NoButton);
    EXPECT_EQ(field("客户")->area(), Area::Filter);
}

// Twelve data fields with their captions in the rows and one column field: at any width the
// header buttons never overlap, data headers that do not fit over the row headers wrap or push
// the column field headers on, and hit tests and drops follow the buttons where they are.
class PivotGridManyDataFieldsTest : public ::testing::Test {
  protected:
    static constexpr const char* kMeasures[12] = {
        "订货数量",   "订货金额",   "销售数量", "销售金额", "退货数量", "退货金额",
        "净出货数量", "净出货金额", "订金收入", "订金结转", "回款金额", "其它费用"};

    void SetUp() override {
        auto src = std::make_shared<MemorySource>();
        src->addColumn(u("客户"), ValueType::Text);
        src->addColumn(u("月份"), ValueType::Text);
        for (const char* m : kMeasures)
            src->addColumn(u(m), ValueType::Integer);
        for (int i = 0; i < 6; ++i) {
            std::vector<Value> row{
                Value::text(QStringLiteral("C%1").arg(i % 3)),
                Value::text(QStringLiteral("%1").arg(i % 2 + 1, 2, 10, QLatin1Char('0')))};
            for (int m = 0; m < 12; ++m)
                row.push_back(Value::integer(i * 12 + m));
            src->appendRow(std::move(row));
        }
        grid.resize(420, 420);
        grid.SetSource(src);
        grid.BeginUpdate();
        grid.CreateAllFields();
        grid.SetFieldArea(u("客户"), morvane::pivot::Area::Row);
        grid.SetFieldArea(u("月份"), morvane::pivot::Area::Column);
        for (const char* m : kMeasures)
            grid.SetFieldArea(u(m), morvane::pivot::Area::Data);
        TcxPivotGridOptionsDataField o = grid.OptionsDataField();
        o.Area = dfaRow;
        grid.SetOptionsDataField(o);
        grid.EndUpdate();
        grid.show();
    }
    std::vector<const morvane::ui::PivotFieldButton*> buttonsIn(Area area) {
        std::vector<const morvane::ui::PivotFieldButton*> out;
        for (const auto& b : grid.Geometry().buttons())
            if (b.area == area)
                out.push_back(&b);
        return out;
    }
    // Every pair of header buttons is apart, each lies in its area, and the field band ends
    // above the column headers.
    void expectHeadersApart() {
        const auto& g = grid.Geometry();
        const auto& all = g.buttons();
        for (size_t i = 0; i < all.size(); ++i)
            for (size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(all[i].rect.intersects(all[j].rect))
                    << all[i].text.toStdString() << " / " << all[j].text.toStdString();
        for (const auto* b : buttonsIn(Area::Data))
            EXPECT_TRUE(g.dataArea().contains(b->rect)) << b->text.toStdString();
        for (const auto* b : buttonsIn(Area::Column))
            EXPECT_TRUE(g.columnFieldArea().contains(b->rect)) << b->text.toStdString();
        EXPECT_FALSE(g.dataArea().intersects(g.columnFieldArea()));
        EXPECT_LE(g.dataArea().bottom(), g.headerTop() - 1);
        EXPECT_EQ(g.columnFieldArea().height(), g.dataArea().height());
    }

    TcxDBPivotGrid grid;
};

TEST_F(PivotGridManyDataFieldsTest, NarrowGridWrapsTheDataHeadersOntoMoreLines) {
    const auto& g = grid.Geometry();
    const auto data = buttonsIn(Area::Data);
    ASSERT_EQ(data.size(), 12u);
    ASSERT_EQ(buttonsIn(Area::Column).size(), 1u);
    expectHeadersApart();
    // The band holds every line of buttons and the column headers start below it.
    EXPECT_GT(data.back()->line, 0);
    EXPECT_GE(g.dataArea().height(), (data.back()->line + 1) * g.rowHeight());
    EXPECT_GE(g.headerTop(), data.back()->rect.bottom() + 1);
    // Reading order holds: slot by slot left to right, then down a line.
    for (size_t i = 1; i < data.size(); ++i) {
        const auto* a = data[i - 1];
        const auto* b = data[i];
        EXPECT_EQ(b->slot, a->slot + 1);
        EXPECT_TRUE(b->line == a->line ? b->rect.left() > a->rect.right()
                                       : b->line == a->line + 1 && b->rect.top() > a->rect.bottom())
            << b->text.toStdString();
    }
    // Each button is what a click on it finds.
    for (size_t i = 0; i < g.buttons().size(); ++i) {
        const auto hit = grid.HitTest(g.buttons()[i].rect.center());
        EXPECT_EQ(hit.button, static_cast<int>(i)) << g.buttons()[i].text.toStdString();
    }
}

TEST_F(PivotGridManyDataFieldsTest, WideGridKeepsOneLineAndPutsTheColumnFieldsAfterTheData) {
    grid.resize(1500, 420);
    const auto& g = grid.Geometry();
    const auto data = buttonsIn(Area::Data);
    const auto column = buttonsIn(Area::Column);
    ASSERT_EQ(data.size(), 12u);
    ASSERT_EQ(column.size(), 1u);
    expectHeadersApart();
    for (const auto* b : data)
        EXPECT_EQ(b->line, 0) << b->text.toStdString();
    // The data headers are wider than the row headers, so the column field headers move on.
    EXPECT_GT(data.back()->rect.right(), g.rowHeaderWidth());
    EXPECT_GT(column.front()->rect.left(), data.back()->rect.right());
    EXPECT_EQ(g.dataArea().height(), g.rowHeight() + 6);
}

TEST_F(PivotGridManyDataFieldsTest, DropsLandOnTheLineUnderTheMouse) {
    const auto& g = grid.Geometry();
    const auto data = buttonsIn(Area::Data);
    // The first button of the second line.
    const auto it = std::find_if(data.begin(), data.end(), [](auto* b) { return b->line == 1; });
    ASSERT_NE(it, data.end());
    const auto* second = *it;
    auto t = g.dropTarget(second->rect.center() - QPoint(second->rect.width() / 2 - 2, 0));
    EXPECT_EQ(t.area, Area::Data);
    EXPECT_EQ(t.slot, second->slot);
    EXPECT_LT(t.indicator.left(), second->rect.left());
    EXPECT_GE(t.indicator.bottom(), second->rect.bottom());
    EXPECT_LE(t.indicator.top(), second->rect.top());
    t = g.dropTarget(second->rect.center() + QPoint(2, 0));
    EXPECT_EQ(t.slot, second->slot + 1);
    // Past the end of the first line: after its last button, not after the whole area.
    const auto* endOfFirst = *(it - 1);
    t = g.dropTarget(QPoint(g.dataArea().right() - 1, endOfFirst->rect.center().y()));
    EXPECT_EQ(t.area, Area::Data);
    EXPECT_EQ(t.slot, endOfFirst->slot + 1);
    EXPECT_GT(t.indicator.left(), endOfFirst->rect.right());
    EXPECT_LT(t.indicator.top(), endOfFirst->rect.bottom());
    // The column field part of the band, on any line, takes a column field.
    const QRect columns = g.columnFieldArea();
    EXPECT_EQ(g.dropTarget(QPoint(columns.right() - 2, columns.bottom() - 2)).area, Area::Column);
    EXPECT_EQ(grid.HitTest(QPoint(columns.right() - 2, columns.bottom() - 2)).zone,
              PivotHitZone::ColumnFieldArea);

    // Dragged with the mouse: the last data header to the start of the second line.
    QWidget* vp = grid.viewport();
    const QString last = data.back()->text;
    const int target = second->slot;
    dragTo(vp, data.back()->rect.center(),
           second->rect.center() - QPoint(second->rect.width() / 2 - 2, 0));
    const auto names = namesIn(grid, Area::Data);
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names[static_cast<size_t>(target)], last);
    EXPECT_EQ(names[static_cast<size_t>(target) - 1], u(kMeasures[target - 1]));
    EXPECT_EQ(names[static_cast<size_t>(target) + 1], u(kMeasures[target]));
    expectHeadersApart();
}

TEST_F(PivotGridTest, GrandTotalStyleOverridesTheTotalsStyleForGrandTotals) {
    TcxStyle totals, grand;
    totals.SetColor(0x00E8F3D3);
    grand.SetColor(0x00C0C0FF);  // $00BBGGRR: a light red
    grid->Styles()->SetTotal(&totals);
    grid->Styles()->SetGrandTotal(&grand);
    EXPECT_EQ(pixel(2, 1), QColor(0xD3, 0xF3, 0xE8));
    EXPECT_EQ(pixel(4, 1), QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(pixel(3, 2), QColor(0xFF, 0xC0, 0xC0));
    {
        TcxStyle background;
        background.SetColor(0x00FFFF00);
        grid->Styles()->SetBackground(&background);
        EXPECT_EQ(grid->Styles()->Color(TcxPivotGridStyles::psBackground), QColor(0, 0xFF, 0xFF));
    }
    // A destroyed style empties its slot.
    EXPECT_EQ(grid->Styles()->Background(), nullptr);
    EXPECT_EQ(grid->Styles()->Color(TcxPivotGridStyles::psBackground), QColor(255, 255, 255));
}

TEST(PivotGridDataSetTest, FollowsTheBoundDataSetUntilUnbound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("grid.db")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TRemoteUdpConnection connection;
    connection.OpenSqlite(file.fileName());
    TRemoteUdpDataSet ds;
    ds.setSetupUdpParent(&connection);
    ds.SetSQL(u("select 'A' as 品牌,1 as 数量\runion all select 'B',0\runion all select 'A',2"));
    ds.Open();

    TcxDBPivotGrid grid;
    grid.resize(600, 300);
    grid.SetDataSet(&ds);
    EXPECT_EQ(grid.DataSet(), &ds);
    // The get-data sequence of the report windows.
    grid.BeginUpdate();
    grid.DeleteAllFields();
    grid.CreateAllFields();
    ASSERT_EQ(grid.FieldCount(), 2);
    EXPECT_EQ(grid.Fields(0)->name(), u("品牌"));
    blankZeros(grid);
    place(grid, {"品牌"}, {}, {"数量"});
    grid.EndUpdate();
    grid.ApplyBestFit();
    grid.SelectCells(0, 0, 2, 0);
    EXPECT_EQ(grid.SelectionText(), u("3\n\n3"));

    // New rows reach the grid; fields stay.
    ds.Close();
    ds.SetSQL(u("select 'C' as 品牌,5 as 数量"));
    ds.Open();
    EXPECT_EQ(grid.ViewData().rowCount(), 1);
    EXPECT_EQ(grid.ViewData().rowHeader(0, 0).text, u("C"));

    // Unbound, the grid reads nothing more.
    grid.SetDataSet(nullptr);
    EXPECT_EQ(grid.ViewData().source(), nullptr);
    ds.Close();
    ds.SetSQL(u("select 'D' as 品牌,6 as 数量"));
    ds.Open();
    EXPECT_EQ(grid.ViewData().source(), nullptr);
}

// 100,000 goods in two shops (200,000 rows); the quantity follows the goods number.
std::shared_ptr<MemorySource> GoodsInTwoShops(int qtyScale) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(QStringLiteral("goods"), ValueType::Integer);
    src->addColumn(QStringLiteral("shop"), ValueType::Integer);
    src->addColumn(QStringLiteral("qty"), ValueType::Integer);
    src->reserve(200000);
    for (int i = 0; i < 100000; ++i)
        for (int s = 0; s < 2; ++s)
            src->appendRow({Value::integer(i), Value::integer(s), Value::integer(i % 7 * qtyScale)});
    return src;
}

TEST(PivotGridLargeTest, ScrollOffsetsMapToRows) {
    auto src = GoodsInTwoShops(1);
    TcxDBPivotGrid grid;
    grid.resize(800, 600);
    grid.SetSource(src);
    grid.CreateAllFields();
    place(grid, {"goods"}, {"shop"}, {"qty"});
    grid.show();
    const auto& g = grid.Geometry();
    ASSERT_EQ(g.rowCount(), 100001);
    const int h = g.rowHeight();
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 100001 * h - g.bodyHeight());

    grid.verticalScrollBar()->setValue(54321 * h + h / 2);
    EXPECT_EQ(g.firstVisibleRow(), 54321);
    EXPECT_EQ(g.lastVisibleRow(), (54321 * h + h / 2 + g.bodyHeight() - 1) / h);
    const auto hit = grid.HitTest(QPoint(g.bodyArea().left() + 5, g.bodyTop() + h));
    EXPECT_EQ(hit.row, 54322);
    EXPECT_EQ(grid.ViewData().rowHeader(hit.row, 0).text, QStringLiteral("54322"));

    // Dragging a selection past the bottom edge scrolls on, a row per move.
    QWidget* vp = grid.viewport();
    const int last = g.lastVisibleRow();
    const QPoint start(g.bodyArea().left() + 5, g.rowY(last - 1) + h / 2);
    const QPoint below(start.x(), g.bodyArea().bottom() + 20);
    send(vp, QEvent::MouseButtonPress, start, Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        send(vp, QEvent::MouseMove, below, Qt::LeftButton);
    send(vp, QEvent::MouseButtonRelease, below, Qt::NoButton);
    EXPECT_EQ(grid.FocusedRow(), g.lastVisibleRow());
    EXPECT_EQ(grid.FocusedRow(), last + 3);
    EXPECT_EQ(grid.Selection().top(), last - 1);

    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    EXPECT_EQ(g.lastVisibleRow(), 100000);
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->maximum());
    EXPECT_EQ(grid.FocusedRow(), 100000);
}

// A pivot too large to measure cell by cell is fitted to what is in view: every text of the
// rows in view fits its column whole (a long one included), and a long text far from the view
// and from the rows sampled for the estimate widens nothing.
TEST(PivotGridLargeTest, BestFitOfALargePivotFitsTheRowsInView) {
    auto src = GoodsInTwoShops(1000);
    TcxDBPivotGrid grid;
    grid.resize(800, 600);
    grid.SetSource(src);
    grid.CreateAllFields();
    place(grid, {"goods"}, {"shop"}, {"qty"});
    const QString longText = u("a much longer replacement text");
    grid.SetOnCustomDrawCell([&](morvane::pivot::PivotEngine&, morvane::pivot::CellDrawInfo& info) {
        if ((info.row == 54325 && info.column == 0) || (info.row == 77777 && info.column == 1))
            info.text = longText;
    });
    grid.show();
    const auto& g = grid.Geometry();
    ASSERT_GT(static_cast<long long>(g.rowCount()) * g.columnCount(),
              TcxDBPivotGrid::kBestFitCellCap);
    grid.verticalScrollBar()->setValue(54321 * g.rowHeight());
    grid.ApplyBestFit();
    ASSERT_EQ(g.firstVisibleRow(), 54321);

    const QFontMetrics fm = grid.fontMetrics();
    EXPECT_GE(grid.ColumnWidth(0), fm.horizontalAdvance(longText));
    EXPECT_LT(grid.ColumnWidth(1), fm.horizontalAdvance(longText));
    for (int r = g.firstVisibleRow(); r <= g.lastVisibleRow(); ++r) {
        EXPECT_LE(fm.horizontalAdvance(grid.ViewData().drawRowHeader(r, 0).text),
                  grid.RowLevelWidth(0));
        for (int c = 0; c < g.columnCount(); ++c)
            EXPECT_LE(fm.horizontalAdvance(grid.ViewData().drawCell(r, c).text),
                      grid.ColumnWidth(c))
                << "row " << r << " column " << c;
    }
}

}  // namespace

int main(int argc, char** argv) {
    return runQtTests(argc, argv);
}
