// The statement-text toolkit: quoting, code lists and clauses, the user's scope, labels.

#include <gtest/gtest.h>

#include "session/StatementText.h"
#include "session/totalpub1.h"

using namespace morvane::sql;

TEST(StatementText, ValuesAreQuotedWithTheirApostrophesDoubled) {
    const struct {
        QString in, escaped, quoted;
    } cases[] = {
        {"A01", "A01", "'A01'"},
        {"", "", "''"},
        {"Q1') or ('1'='1", "Q1'') or (''1''=''1", "'Q1'') or (''1''=''1'"},
        {"''", "''''", "''''''"},
        {"店'铺", "店''铺", "'店''铺'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Escaped(c.in), c.escaped) << c.in.toStdString();
        EXPECT_EQ(Quoted(c.in), c.quoted) << c.in.toStdString();
    }
    EXPECT_EQ(CodeList({"A01", "B'2"}), "'A01','B''2'");
    EXPECT_EQ(CodeList({}), "");
}

TEST(StatementText, ClausesAndTheUsersScope) {
    EXPECT_EQ(InList("a.fcode", "'A','B'"), " and a.fcode in('A','B')\r");
    EXPECT_EQ(InList("a.fcode", ""), "");

    morvane::session::ResetSession();
    pub_clientall = false;
    pub_clientcodes = "'ZY001'";
    pub_houseall = true;
    pub_housecodes = "'CK01'";
    pub_brandall = false;
    EXPECT_EQ(ScopeClause("b.fclientcode", Scope::Client), " and b.fclientcode in('ZY001')\r");
    EXPECT_EQ(ScopeClause("b.fhousecode", Scope::House), "");  // unrestricted, codes or not
    EXPECT_EQ(ScopeClause("g.brand", Scope::Brand), "");       // restricted to nothing listed
    morvane::session::ResetSession();

    EXPECT_EQ(DayLabel("a.fbilldate"), "right('0'+convert(varchar(2),day(a.fbilldate))+'日',3)");
    EXPECT_EQ(MonthLabel("a.fmonth"), "right('0'+convert(varchar(2),a.fmonth)+'月',3)");
}
