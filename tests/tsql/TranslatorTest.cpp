// Translator behaviour beyond single rules: positions of errors across line
// breaks, the statement cache, the function tables.

#include <gtest/gtest.h>

#include <thread>

#include "platform/tsql/FunctionMap.h"
#include "platform/tsql/Translator.h"

namespace morvane::tsql {
namespace {

TranslationError errorOf(std::string_view tsql) {
    try {
        translate(tsql);
    } catch (const TranslationError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for: " << tsql;
    return TranslationError("none", "", {});
}

TEST(TranslationErrors, PositionsCountCrLfAndCrLfPairsAsOneLineBreak) {
    for (const char* lineBreak : {"\r", "\n", "\r\n"}) {
        std::string tsql =
            std::string("select a,") + lineBreak + "\tb" + lineBreak + "from t pivot";
        TranslationError e = errorOf(tsql);
        EXPECT_EQ(e.construct(), "pivot");
        EXPECT_EQ(e.position().line, 3);
        EXPECT_EQ(e.position().column, 8);
        EXPECT_STREQ(e.what(), "unsupported construct 'pivot' at 3:8");
    }
}

TEST(TranslationErrors, CarriageReturnsAreBlanksBetweenTokens) {
    EXPECT_EQ(translate("select\ra\rfrom\rt\rwhere\ra=1"), translate("select a from t where a=1"));
    EXPECT_EQ(translate("select\r\n\ta\n from t"), translate("select a from t"));
    // A line comment ends at a carriage return.
    EXPECT_EQ(translate("select a -- note\rfrom t"), translate("select a from t"));
}

TEST(TranslationErrors, UnknownFunctionAfterAFilterClause) {
    TranslationError e = errorOf("select a from t where 1=1\r and b in('x')\r and soundex(a)='y'");
    EXPECT_EQ(e.construct(), "soundex");
    EXPECT_EQ(e.position().line, 3);
    EXPECT_EQ(e.position().column, 6);
}

TEST(TranslationErrors, DeepNestingIsAnErrorNotACrash) {
    std::string deep = "select " + std::string(5000, '(') + "1" + std::string(5000, ')');
    TranslationError e = errorOf(deep);
    EXPECT_EQ(std::string(e.what()).rfind("expression nested too deeply", 0), 0u);
    std::string minus = "select ";
    for (int i = 0; i < 5000; ++i) {
        minus += "- ";  // "--" would start a comment
    }
    EXPECT_EQ(std::string(errorOf(minus + "1").what()).rfind("expression nested too deeply", 0),
              0u);
    // Ordinary nesting is far below the limit.
    EXPECT_EQ(translate("select " + std::string(30, '(') + "1" + std::string(30, ')') + " x"),
              "SELECT 1 AS \"x\"");
}

TEST(TranslationErrors, ANulByteIsRefusedAndNamedReadably) {
    // SQLite would read the statement only up to the NUL.
    using namespace std::string_literals;
    for (const std::string& tsql : {"select 'a\0b'"s, "select [a\0b]"s, "select a\0"s}) {
        TranslationError e = errorOf(tsql);
        EXPECT_EQ(e.construct(), "\\x00");
        EXPECT_EQ(std::string(e.what()).find('\0'), std::string::npos);
    }
    EXPECT_STREQ(errorOf("select 'a\0b'"s).what(), "unsupported character '\\x00' at 1:10");
}

TEST(TranslationErrors, OversizedTypeLengthIsASyntaxError) {
    TranslationError e = errorOf("select convert(varchar(99999999999),1)");
    EXPECT_EQ(e.position().column, 24);
}

TEST(TranslateCached, ReturnsTheSameTranslationFromTheCache) {
    const std::string tsql = "select top 3 fcode 编号 from dt_client order by fcode";
    const std::string& first = translateCached(tsql);
    const std::string& second = translateCached(tsql);
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(first, translate(tsql));
    EXPECT_NE(&translateCached(tsql + " desc"), &first);
}

TEST(TranslateCached, ErrorsAreRaisedEveryTime) {
    EXPECT_THROW(translateCached("select nosuch(1)"), TranslationError);
    EXPECT_THROW(translateCached("select nosuch(1)"), TranslationError);
}

TEST(TranslateCached, ConcurrentCallersAgree) {
    constexpr int kThreads = 4;
    constexpr int kStatements = 50;
    std::vector<std::vector<const std::string*>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &seen] {
            for (int i = 0; i < kStatements; ++i) {
                seen[t].push_back(&translateCached("select " + std::to_string(i) + " n"));
            }
        });
    }
    for (auto& th : threads) {
        th.join();
    }
    for (int i = 0; i < kStatements; ++i) {
        for (int t = 1; t < kThreads; ++t) {
            EXPECT_EQ(seen[t][i], seen[0][i]);
        }
        EXPECT_EQ(*seen[0][i], "SELECT " + std::to_string(i) + " AS \"n\"");
    }
}

TEST(FunctionMap, LooksUpNamesInLowerCase) {
    ASSERT_NE(findFunction("right"), nullptr);
    EXPECT_EQ(findFunction("right")->sqliteName, "tsql_right");
    EXPECT_EQ(findFunction("isnull")->sqliteName, "ifnull");
    EXPECT_TRUE(findFunction("count")->aggregate);
    EXPECT_EQ(findFunction("RIGHT"), nullptr);
    EXPECT_EQ(findFunction("soundex"), nullptr);
    EXPECT_EQ(findType("numeric")->args, TypeArgs::Precision);
    EXPECT_EQ(findType("varchar")->args, TypeArgs::Length);
    EXPECT_EQ(findType("xml"), nullptr);
    EXPECT_EQ(findDatePart("dd")->canonical, "day");
    EXPECT_EQ(findDatePart("yyyy")->canonical, "year");
    EXPECT_EQ(findDatePart("dw"), nullptr);
    EXPECT_EQ(findTableFunction("fn_monthday")->kind, TableFunctionKind::VirtualTable);
    EXPECT_EQ(findTableFunction("fn_checkclient")->kind, TableFunctionKind::View);
    EXPECT_EQ(findTableFunction("fn_nothing"), nullptr);
}

}  // namespace
}  // namespace morvane::tsql
