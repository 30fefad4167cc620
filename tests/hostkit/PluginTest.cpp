// The plug-in library as a host loads it.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

#include "hostkit/HostSession.h"
#include "hostkit/RecordedErrors.h"
#include "hostkit/ScriptedRunner.h"
#include "tests/support/SpineFixture.h"

using namespace morvane::host;

namespace {

QStringList dynamicSymbols(const QString& library) {
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", library});
    nm.waitForFinished();
    QStringList names;
    for (const QString& line : QString::fromUtf8(nm.readAllStandardOutput()).split('\n')) {
        const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
        if (parts.size() == 3)
            names << parts[1] + " " + parts[2];
    }
    return names;
}

class Plugin : public ::testing::Test {
  protected:
    void SetUp() override { morvane::test::CreateFixtureDb(db); }
    std::vector<QString> Syslog() { return morvane::test::SpineHost(db).SyslogRows(); }

    QTemporaryDir dir;
    const QString db = dir.filePath("f.db");
    ScriptedRunner runner;
    RecordedErrors errors;
};

}  // namespace

TEST(PluginLibrary, ExportsExactlyCreateDLLForm) {
    EXPECT_EQ(dynamicSymbols(MORVANE_PLUGIN), QStringList{"T CreateDLLForm"});
    EXPECT_EQ(dynamicSymbols(MORVANE_TESTPLUGIN), QStringList{"T CreateDLLForm"});
}

TEST_F(Plugin, ClosingTheMainWindowClosesTheReportWindowsWithTheirHandlers) {
    {
        HostSession session(runner, errors, MORVANE_TESTPLUGIN, dir.filePath("host"));
        session.Connect({db, {}});
        QPointer<QWidget> window = session.OpenWindow("frm_OLAPSaleMonth", "U1", "测试报表");
        ASSERT_FALSE(window.isNull());
        session.MainForm().show();
        EXPECT_TRUE(session.MainForm().close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_TRUE(session.MainForm().OpenWindowList().Items().isEmpty());
    }
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(Syslog(), (std::vector<QString>{"U1|测试报表|进入", "U1|测试报表|离开"}));
}

TEST(PluginLibrary, AMissingLibraryIsReported) {
    EXPECT_THROW(PluginLoader("/nonexistent/libmorvane.so"), std::runtime_error);
}

TEST_F(Plugin, WindowsOpenAndCloseThroughTheLoadedExport) {
    QPointer<QWidget> first;
    {
        HostSession session(runner, errors, MORVANE_TESTPLUGIN, dir.filePath("host"));
        session.Connect({db, {}});
        first = session.OpenWindow("Frm_OlapSaleMonth", "U1", "测试报表");
        ASSERT_FALSE(first.isNull());
        EXPECT_EQ(session.OpenWindow("frm_OLAPSaleMonth", "U1", "测试报表"), first.data());
        EXPECT_EQ(session.OpenWindow("frm_OLAPAllStock", "U1", "x"), nullptr);
        auto* frame = qobject_cast<QMdiSubWindow*>(first->parentWidget());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->mdiArea(), session.MainForm().MdiArea());
        EXPECT_EQ(session.MainForm().OpenWindowList().Items(), QStringList{"测试报表"});

        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(first.isNull());
        EXPECT_TRUE(session.MainForm().OpenWindowList().Items().isEmpty());
        QWidget* second = session.OpenWindow("frm_OLAPSaleMonth", "U2", "测试报表");
        ASSERT_NE(second, nullptr);
    }
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    // The session closed the second window with the main window, without its close event.
    EXPECT_EQ(Syslog(),
              (std::vector<QString>{"U1|测试报表|进入", "U1|测试报表|离开", "U2|测试报表|进入"}));
}
