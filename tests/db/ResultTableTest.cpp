#include "platform/db/ResultTable.h"
#include "tests/db/Fixture.h"

#include <gtest/gtest.h>

namespace morvane::db {
namespace {

using test::columnOf;
using test::tableOf;

TEST(ColumnBuilder, TypeFollowsTheValuesWhenNothingIsDeclared) {
    const ResultTable table = tableOf({columnOf("i", ColumnType::Unknown, {nullptr, 7}),
                                       columnOf("m", ColumnType::Unknown, {2, nullptr, 0.5}),
                                       columnOf("t", ColumnType::Unknown, {1.25, 3, "x", -4}),
                                       columnOf("n", ColumnType::Unknown, {nullptr, nullptr})});

    ASSERT_EQ(table.columnType(0), ColumnType::Integer);
    EXPECT_TRUE(table.isNull(0, 0));
    EXPECT_EQ(table.column(0).integers()[0], 0);  // NULL keeps a zero in the vector
    EXPECT_EQ(table.cell(1, 0).integer, 7);

    ASSERT_EQ(table.columnType(1), ColumnType::Real);
    EXPECT_EQ(table.cell(0, 1).real, 2.0);
    EXPECT_TRUE(table.isNull(1, 1));
    EXPECT_EQ(table.cell(2, 1).real, 0.5);

    ASSERT_EQ(table.columnType(2), ColumnType::Text);
    const char* expected[] = {"1.25", "3", "x", "-4"};
    for (std::size_t row = 0; row < 4; ++row) {
        EXPECT_EQ(table.cell(row, 2).kind, CellKind::Text);
        EXPECT_EQ(table.cell(row, 2).bytes, expected[row]);
    }
    EXPECT_EQ(table.column(2).arena(), "1.253x-4");

    EXPECT_EQ(table.columnType(3), ColumnType::Unknown);
    EXPECT_TRUE(table.isNull(1, 3));
    EXPECT_EQ(table.column(2).size(), 4u);
}

TEST(ColumnBuilder, DeclaredTypesAreKeptUnlessValuesDisagree) {
    ColumnBuilder blob = columnOf("b", ColumnType::Unknown, {"ab"});
    blob.appendBlob(std::string_view("\0\1", 2));
    const ResultTable table = tableOf(
        {columnOf("r", ColumnType::Real, {5}), columnOf("d", ColumnType::Date, {"2026-03-01"}),
         columnOf("dn", ColumnType::Date, {"2026-03-01", 20260302}),
         columnOf("i", ColumnType::Integer, {1, "n/a"}), std::move(blob)});

    EXPECT_EQ(table.columnType(0), ColumnType::Real);
    EXPECT_EQ(table.cell(0, 0).real, 5.0);
    EXPECT_EQ(table.columnType(1), ColumnType::Date);
    EXPECT_EQ(table.cell(0, 1).bytes, "2026-03-01");
    EXPECT_EQ(table.columnType(2), ColumnType::Text);
    EXPECT_EQ(table.cell(1, 2).bytes, "20260302");
    EXPECT_EQ(table.columnType(3), ColumnType::Text);
    EXPECT_EQ(table.cell(0, 3).bytes, "1");
    EXPECT_EQ(table.columnType(4), ColumnType::Blob);
    EXPECT_EQ(table.cell(1, 4).bytes, std::string_view("\0\1", 2));
}

TEST(ColumnBuilder, NullBitmapCrossesWordBoundaries) {
    ColumnBuilder builder("x", ColumnType::Unknown);
    for (int row = 0; row < 200; ++row) {
        if (row % 3 == 0)
            builder.appendNull();
        else
            builder.appendText(std::to_string(row));
    }
    const ResultTable table = tableOf({std::move(builder)});
    ASSERT_EQ(table.rowCount(), 200u);
    for (std::size_t row = 0; row < 200; ++row) {
        ASSERT_EQ(table.isNull(row, 0), row % 3 == 0) << row;
        if (row % 3 != 0) {
            ASSERT_EQ(table.cell(row, 0).bytes, std::to_string(row));
        }
    }
}

TEST(ResultTable, EditsGoInPlaceOrToOverrides) {
    ResultTable table = tableOf({columnOf("checkid", ColumnType::Integer, {0, 0, 0}),
                                 columnOf("name", ColumnType::Text, {"n0", "n1", "n2"})});

    table.setCell(1, 0, CellValue::ofInteger(1));  // the tick of a picker: in place
    EXPECT_FALSE(table.hasOverrides(0));
    EXPECT_EQ(table.column(0).integers()[1], 1);

    table.setCell(2, 0, CellValue::ofText("x"));  // kind differs from the column
    EXPECT_TRUE(table.hasOverrides(0));
    EXPECT_EQ(table.cell(2, 0).kind, CellKind::Text);
    table.setCell(2, 0, CellValue::ofInteger(9));  // back in place, override dropped
    EXPECT_FALSE(table.hasOverrides(0));
    EXPECT_EQ(table.cell(2, 0).integer, 9);

    table.setCell(0, 1, CellValue::ofText("longer text"));
    EXPECT_EQ(table.cell(0, 1).bytes, "longer text");
    EXPECT_EQ(table.cell(1, 1).bytes, "n1");
    table.setCell(1, 1, CellValue::null());
    EXPECT_TRUE(table.isNull(1, 1));
    table.setCell(1, 0, CellValue::null());
    EXPECT_TRUE(table.isNull(1, 0));
    EXPECT_EQ(table.column(0).integers()[1], 0);
}

}  // namespace
}  // namespace morvane::db
