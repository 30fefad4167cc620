// The pivot over a dataset's result table: types, NULLs, the dataset's
// filter, local edits and a closed dataset.
#include "SampleRows.h"

#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/DataSetSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace morvane::pivot {
namespace {

class DataSetSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // An empty file is an empty SQLite database.
        QFile file(dir_.filePath(QStringLiteral("pivot.db")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        connection_.OpenSqlite(file.fileName());
        ds_.setSetupUdpParent(&connection_);
        ds_.SetSQL(QString::fromUtf8(
            "select 'B' as 品牌,1 as 数量,2.5 as 金额,'2026-03-02' as 日期,NULL as 比例\r"
            "union all select 'A',4,1.25,'2026-03-01',NULL\r"
            "union all select 'B',NULL,0.5,'2026-03-01',NULL\r"
            "union all select NULL,2,1,'2026-03-02',NULL"));
        ds_.Open();
    }
    void bind() {
        grid_.setSource(DataSetSource::fromDataSet(ds_));
        if (grid_.fieldCount() == 0) {
            grid_.createAllFields();
            test::place(grid_, {"品牌"}, {"日期"}, {"数量", "金额", "比例"});
        }
    }

    QTemporaryDir dir_;
    TRemoteUdpConnection connection_;
    TRemoteUdpDataSet ds_;
    PivotEngine grid_;
};

TEST_F(DataSetSourceTest, ColumnsAndTypesAsTheDataSetHoldsThem) {
    const auto src = DataSetSource::fromDataSet(ds_);
    ASSERT_EQ(src->columnCount(), 5);
    EXPECT_EQ(src->columnName(0), QString::fromUtf8("品牌"));
    EXPECT_EQ(src->columnType(0), ValueType::Text);
    EXPECT_EQ(src->columnType(1), ValueType::Integer);
    EXPECT_EQ(src->columnType(2), ValueType::Real);
    EXPECT_EQ(src->columnType(4), ValueType::Null);
    EXPECT_EQ(src->rowCount(), 4);
    EXPECT_EQ(src->valueAt(0, 1), Value::text("A"));
    EXPECT_TRUE(src->valueAt(1, 2).isNull());
    EXPECT_EQ(src->valueAt(3, 0), Value::text("2026-03-02"));
}

TEST_F(DataSetSourceTest, PivotFollowsFilterAndLocalEdits) {
    bind();
    EXPECT_EQ(test::render(grid_),
              QString::fromUtf8("|2026-03-01|||2026-03-02|||Grand Total||\n"
                                "品牌|数量|金额|比例|数量|金额|比例|数量|金额|比例\n"
                                "||||2|1||2|1|\n"
                                "A|4|1.25|||||4|1.25|\n"
                                "B||0.5||1|2.5||1|3|\n"
                                "Grand Total|4|1.75||3|3.5||7|5.25|\n"));
    ds_.SetFilter(QString::fromUtf8("数量>1"));
    ds_.SetFiltered(true);
    bind();
    EXPECT_EQ(test::render(grid_),
              QString::fromUtf8("|2026-03-01|||2026-03-02|||Grand Total||\n"
                                "品牌|数量|金额|比例|数量|金额|比例|数量|金额|比例\n"
                                "||||2|1||2|1|\n"
                                "A|4|1.25|||||4|1.25|\n"
                                "Grand Total|4|1.25||2|1||6|2.25|\n"));
    ds_.SetFiltered(false);
    ds_.First();
    ds_.Edit();
    ds_.FieldByName(QString::fromUtf8("品牌"))->SetAsString(QString::fromUtf8("甲"));
    ds_.FieldByName(QString::fromUtf8("数量"))->SetAsInteger(10);
    ds_.Post();
    bind();
    EXPECT_EQ(grid_.rowHeader(3, 0).text, QString::fromUtf8("甲"));
    EXPECT_EQ(grid_.cellValue(3, 6), Value::integer(10));
    EXPECT_EQ(grid_.cellValue(4, 6), Value::integer(16));

    ds_.Close();
    bind();
    EXPECT_EQ(grid_.rowCount(), 1);
    EXPECT_TRUE(grid_.cellValue(0, 0).isNull());
}

TEST_F(DataSetSourceTest, ColumnsOfOneNameEachGetTheirOwnField) {
    ds_.Close();
    ds_.SetSQL(QStringLiteral("select 'x' as k, 1 as a, 2 as a\runion all select 'y', 3, 4"));
    ds_.Open();
    grid_.setSource(DataSetSource::fromDataSet(ds_));
    grid_.createAllFields();
    ASSERT_EQ(grid_.fieldCount(), 3);
    EXPECT_EQ(grid_.field(1).name(), QStringLiteral("a"));
    EXPECT_EQ(grid_.field(2).caption(), QStringLiteral("a"));
    EXPECT_EQ(grid_.fieldByName(QStringLiteral("a")), &grid_.field(1));
    // Creating the fields again adds none: each column has its field.
    grid_.createAllFields();
    EXPECT_EQ(grid_.fieldCount(), 3);
    grid_.field(0).setArea(Area::Row);
    grid_.field(1).setArea(Area::Data);
    grid_.field(2).setArea(Area::Data);
    EXPECT_EQ(test::render(grid_), QStringLiteral("k|a|a\n"
                                                  "x|1|2\n"
                                                  "y|3|4\n"
                                                  "Grand Total|4|6\n"));
    // A new result binds the fields again in column order; a field whose
    // column is gone shows nothing.
    ds_.Close();
    ds_.SetSQL(QStringLiteral("select 'x' as k, 5 as a"));
    ds_.Open();
    grid_.setSource(DataSetSource::fromDataSet(ds_));
    EXPECT_EQ(grid_.cellValue(0, 0), Value::integer(5));
    EXPECT_TRUE(grid_.cellValue(0, 1).isNull());
}

// A text column whose texts are all empty has no bytes at all (a report's blank
// 工号 for work nobody signed): its rows group as one empty text.
TEST_F(DataSetSourceTest, ATextColumnOfEmptyTextsGroupsAsOneValue) {
    ds_.Close();
    ds_.SetSQL(QStringLiteral("select '' as k, 1 as a\runion all select '', 2\runion all select NULL, 4"));
    ds_.Open();
    grid_.setSource(DataSetSource::fromDataSet(ds_));
    grid_.createAllFields();
    grid_.field(0).setArea(Area::Row);
    grid_.field(1).setArea(Area::Data);
    EXPECT_EQ(test::render(grid_), QStringLiteral("k|Grand Total\n"
                                                  "|4\n"
                                                  "|3\n"
                                                  "Grand Total|7\n"));
}

}  // namespace
}  // namespace morvane::pivot
