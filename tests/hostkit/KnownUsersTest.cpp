// The demo host's sign-in accepts only a user number the database knows.

#include <gtest/gtest.h>

#include "hostkit/KnownUsers.h"
#include "platform/db/RemoteUdpConnection.h"
#include "tests/support/SpineFixture.h"

using morvane::host::KnownUsers;

TEST(KnownUsers, OnlyANumberOfTheUserTableSignsIn) {
    TRemoteUdpConnection demo;
    demo.OpenSqlite(morvane::test::DemoDb());
    const KnownUsers users = KnownUsers::Load(demo);
    ASSERT_EQ(users.Problem(), "");
    ASSERT_EQ(users.Users().size(), 6u);
    const struct {
        const char* typed;
        const char* number;  // nullptr: refused
        const char* problem;
    } cases[] = {
        {"002", "002", ""},
        {" 004 ", "004", ""},
        {"001  管理员", "001", ""},  // an entry of the list as shown
        {"004' or '1'='1", nullptr, "没有编号为“004' or '1'='1”的用户，请从列表中选择。"},
        {"999", nullptr, "没有编号为“999”的用户，请从列表中选择。"},
        {"", nullptr, "请输入用户编号。"},
    };
    for (const auto& c : cases) {
        QString problem;
        const QString number = users.Resolve(QString::fromUtf8(c.typed), problem);
        EXPECT_EQ(number.isNull(), c.number == nullptr) << c.typed;
        if (c.number) {
            EXPECT_EQ(number, QString::fromUtf8(c.number));
        }
        EXPECT_EQ(problem, QString::fromUtf8(c.problem)) << c.typed;
    }

    // Without a user table nobody can sign in, and the box says why.
    TRemoteUdpConnection bare;
    bare.OpenSqlite(QStringLiteral(":memory:"));
    const KnownUsers none = KnownUsers::Load(bare);
    QString problem;
    EXPECT_TRUE(none.Resolve(QStringLiteral("001"), problem).isNull());
    EXPECT_TRUE(problem.startsWith(QStringLiteral("无法读取用户表 sysuser：")))
        << problem.toStdString();
}
