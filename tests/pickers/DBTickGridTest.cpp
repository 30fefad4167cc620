// The data grid over a dataset: ticks as local edits, the current row shared with the
// dataset, rows that follow the dataset's filter and reopening, incremental search, columns
// that fill the width, the footer.

#include <QHeaderView>
#include <QTest>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "session/totalpub1.h"
#include "tests/pickers/PickerFixture.h"

namespace morvane::test {
namespace {

class DBTickGridTest : public PickerTest {
  protected:
    void SetUp() override {
        PickerTest::SetUp();
        grid.SetColumns({{"checkid", "选择", 40, true, true},
                         {"fcode", "编号", 60, false, false},
                         {"fname", "名称", 100, false, false},
                         {"nosuchfield", "无", 50, false, false}});
        grid.SetDataSet(&ds);
        grid.resize(400, 300);
        OpenQuery(&ds, "select * from fn_checkhouse('') order by fcode");
    }
    ui::DBTickGrid grid;
    TRemoteUdpDataSet ds;
};

TEST_F(DBTickGridTest, TicksAreLocalEditsOfTheDataSetRows) {
    auto* model = grid.Model();
    ASSERT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->index(2, 1).data().toString(), "CK03");
    EXPECT_EQ(model->index(2, 3).data().toString(), "");
    ASSERT_TRUE(model->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(ds.RecNo(), 3);  // the tick moved the dataset to its row
    EXPECT_EQ(ds.FieldByName("checkid")->AsInteger(), 1);
    EXPECT_EQ(ds.State(), dsBrowse);
    // Read-only columns refuse edits.
    EXPECT_FALSE(model->setData(model->index(2, 1), "X", Qt::EditRole));
    EXPECT_EQ(model->index(2, 1).data().toString(), "CK03");

    // Filtered on the ticks: the grid shows the one ticked row; unfiltered again: all six.
    ds.SetFilter("checkid=1");
    ds.SetFiltered(true);
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->index(0, 1).data().toString(), "CK03");
    ds.SetFiltered(false);
    EXPECT_EQ(model->rowCount(), 6);

    ui::SetAllTicks(&ds, "checkid", true);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(model->index(r, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    ui::SetAllTicks(&ds, "checkid", false);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(model->index(r, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

    ds.Close();
    EXPECT_EQ(model->rowCount(), 0);
    ui::SetAllTicks(&ds, "checkid", true);  // closed: nothing to do, no error
}

TEST_F(DBTickGridTest, CurrentRowIsSharedWithTheDataSet) {
    grid.show();
    ds.SetRecNo(4);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    EXPECT_EQ(grid.Model()->headerData(3, Qt::Vertical, Qt::DisplayRole).toString(), "▶");
    EXPECT_EQ(grid.Model()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "");
    const QRect cell = grid.visualRect(grid.Model()->index(1, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.FieldByName("fcode")->AsString(), "CK02");
    // Reopening keeps the grid on the dataset's first row.
    OpenQuery(&ds, "select * from fn_checkhouse('') where fcode>'CK03' order by fcode");
    EXPECT_EQ(grid.Model()->rowCount(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 0);
}

TEST_F(DBTickGridTest, IncrementalSearchInTheFocusedColumn) {
    grid.show();
    grid.setCurrentIndex(grid.Model()->index(0, 1));
    EXPECT_TRUE(grid.IncrementalSearch("ck04"));
    EXPECT_EQ(ds.FieldByName("fcode")->AsString(), "CK04");
    EXPECT_FALSE(grid.IncrementalSearch("ZZ"));
    EXPECT_EQ(ds.RecNo(), 4);
    grid.setCurrentIndex(grid.Model()->index(0, 1));
    QTest::keyClicks(&grid, "CK05");
    EXPECT_EQ(ds.FieldByName("fcode")->AsString(), "CK05");
    grid.SetIncrementalSearch(false);
    grid.setCurrentIndex(grid.Model()->index(0, 1));
    QTest::keyClicks(&grid, "CK05");
    EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(DBTickGridTest, AutoWidthFillsTheGridAndFooterCounts) {
    grid.SetColumnAutoWidth(true);
    grid.show();
    int total = 0;
    for (int c = 0; c < 4; ++c)
        total += grid.columnWidth(c);
    EXPECT_EQ(total, grid.viewport()->width());
    // Proportional to the declared widths: 40 : 100.
    EXPECT_NEAR(double(grid.columnWidth(0)) / grid.columnWidth(2), 0.4, 0.05);

    EXPECT_EQ(grid.FooterText(1), "");
    grid.SetFooterVisible(true);
    grid.SetFooterCount(0, "记录数");
    grid.SetFooterCount(1);
    grid.SetFooterCount(2, "共0条");
    EXPECT_EQ(grid.FooterText(0), "记录数");
    EXPECT_EQ(grid.FooterText(1), "6");
    EXPECT_EQ(grid.FooterText(2), "共6条");
    EXPECT_EQ(grid.FooterText(3), "");
}

}  // namespace
}  // namespace morvane::test
