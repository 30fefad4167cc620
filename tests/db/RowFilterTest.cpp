#include "platform/db/RowFilter.h"

#include "platform/db/DatabaseError.h"
#include "tests/db/Fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane::db {
namespace {

// Columns: checkid (integer), fcode (text), price (real), flag (text '1'/'0'), note (text).
class RowFilterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table_ = test::tableOf(
            {test::columnOf("checkid", ColumnType::Integer, {1, 0, 1, 0}),
             test::columnOf("fcode", ColumnType::Text, {"A01", "a02", "B01", "B02"}),
             test::columnOf("price", ColumnType::Real, {10.5, 20.0, 0.0, -3.0}),
             test::columnOf("flag", ColumnType::Text, {"1", "0", "1", "x"}),
             test::columnOf("note", ColumnType::Text, {"O'Neil", nullptr, "客户", "b"})});
    }

    std::string matching(const std::string& text, RowFilter::Options options = {}) {
        const RowFilter filter(
            text,
            [this](std::string_view name) -> std::optional<std::size_t> {
                for (std::size_t i = 0; i < table_.columnCount(); ++i)
                    if (table_.columnName(i) == name)
                        return i;
                return std::nullopt;
            },
            options);
        std::string rows;
        for (std::size_t row = 0; row < table_.rowCount(); ++row)
            if (filter.matches(table_, row))
                rows += std::to_string(row);
        return rows;
    }

    ResultTable table_;
};

TEST_F(RowFilterTest, ComparesNumbersAndTexts) {
    EXPECT_EQ(matching("checkid=1"), "02");
    EXPECT_EQ(matching("checkid = 1"), "02");
    EXPECT_EQ(matching("checkid<>1"), "13");
    EXPECT_EQ(matching("flag=1"), "02");  // a text column read as a number
    EXPECT_EQ(matching("flag='x'"), "3");
    EXPECT_EQ(matching("price>=10.5"), "01");
    EXPECT_EQ(matching("price<0"), "3");
    EXPECT_EQ(matching("checkid=True"), "02");
    EXPECT_EQ(matching("fcode='A01'"), "0");
    EXPECT_EQ(matching("note='O''Neil'"), "0");
    EXPECT_EQ(matching("note='客户'"), "2");
    EXPECT_EQ(matching("[fcode]>'B'"), "123");  // 'a02' sorts after 'B' by code point
}

TEST_F(RowFilterTest, CombinesWithAndOrNotAndParentheses) {
    EXPECT_EQ(matching("checkid=1 and fcode='B01'"), "2");
    EXPECT_EQ(matching("checkid=1 AND price>5 or fcode='B02'"), "03");
    EXPECT_EQ(matching("checkid=1 and (price>5 or fcode='B02')"), "0");
    EXPECT_EQ(matching("not checkid=1"), "13");
}

TEST_F(RowFilterTest, NullsMatchOnlyNullTests) {
    EXPECT_EQ(matching("note is null"), "1");
    EXPECT_EQ(matching("note IS NOT NULL"), "023");
    EXPECT_EQ(matching("note = null"), "1");
    EXPECT_EQ(matching("note <> 'b'"), "02");  // the NULL row is neither equal nor unequal
}

TEST_F(RowFilterTest, CaseAndPartialCompareOptions) {
    EXPECT_EQ(matching("fcode='A02'"), "");
    EXPECT_EQ(matching("fcode='A02'", {true, true}), "1");
    EXPECT_EQ(matching("fcode='B*'"), "23");
    EXPECT_EQ(matching("fcode='b*'", {true, true}), "23");
    EXPECT_EQ(matching("fcode='B*'", {false, false}), "");
}

TEST_F(RowFilterTest, RejectsBadExpressionsWithAClearMessage) {
    const auto messageOf = [this](const std::string& text) -> std::string {
        try {
            matching(text);
        } catch (const EDatabaseError& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_EQ(messageOf("nosuch=1"), "Field 'nosuch' not found");
    EXPECT_NE(messageOf("checkid=").find("value expected"), std::string::npos);
    EXPECT_NE(messageOf("checkid=1 and").find("field name expected"), std::string::npos);
    EXPECT_NE(messageOf("fcode='A01").find("unterminated text"), std::string::npos);
    EXPECT_NE(messageOf("(checkid=1").find("')' expected"), std::string::npos);
    EXPECT_NE(messageOf("checkid 1").find("operator expected"), std::string::npos);
}

}  // namespace
}  // namespace morvane::db
