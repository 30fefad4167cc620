// Opening an exported file with the program a fake XDG desktop associates with its type.
#include "platform/ui/ProgramLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace morvane::ui;

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

void write(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

// A desktop of its own: the XDG variables point into a temporary folder for the test's length.
class LauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* name :
             {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS", "PATH"})
            saved.emplace_back(name, qgetenv(name));
        qputenv("XDG_DATA_HOME", path("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
        qputenv("XDG_DATA_DIRS", path("sysdata").toUtf8());
        qputenv("XDG_CONFIG_DIRS", path("sysconfig").toUtf8());
        // Only our own tools: no xdg-mime unless a test puts one there.
        qputenv("PATH", (path("bin") + u(":/usr/bin:/bin")).toUtf8());
        QDir().mkpath(path("bin"));
        // File types come from the system's MIME database, which lives in the data dirs too.
        QDir().mkpath(path("sysdata"));
        QFile::link(u("/usr/share/mime"), path("sysdata/mime"));
        sheet = path(u8"报表/销售 汇总.xls");
        write(sheet, u("x"));
    }
    void TearDown() override {
        for (const auto& [name, value] : saved)
            qputenv(name, value);
    }
    QString path(const QString& rel) { return root.filePath(rel); }
    QString path(const char* rel) { return root.filePath(u(rel)); }

    QTemporaryDir root;
    std::vector<std::pair<const char*, QByteArray>> saved;
    QString sheet;
};

TEST_F(LauncherTest, ExecLineQuotingAndFieldCodes) {
    const QString desktop = path("data/applications/calc.desktop");
    write(desktop, u("[Desktop Entry]\nName=表格\nIcon=calc-icon\n"
                     "Exec=/opt/calc --view %U \"--title=a \\\\\"b\\\\\" %f\" -k%k %i %c 100%% %d\n"
                     "[Desktop Action new]\nExec=/opt/calc --new\n"));
    const auto cmd = CommandFromDesktopFile(desktop, sheet);
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->program, u("/opt/calc"));
    EXPECT_EQ(cmd->arguments, QStringList({u("--view"), QUrl::fromLocalFile(sheet).toString(),
                                           u("--title=a \"b\" %f"), u("-k") + desktop, u("--icon"),
                                           u("calc-icon"), u("表格"), u("100%")}));

    // No file code: the file goes last; single quotes group as a shell would.
    write(desktop, u("[Desktop Entry]\nExec=sh -c 'cat \"$0\" > /dev/null'\n"));
    const auto plain = CommandFromDesktopFile(desktop, sheet);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->arguments, QStringList({u("-c"), u("cat \"$0\" > /dev/null"), sheet}));

    write(desktop, u("[Desktop Entry]\nName=x\n"));
    EXPECT_FALSE(CommandFromDesktopFile(desktop, sheet));
}

TEST_F(LauncherTest, AssociationsFoundInTheDesktopsOrder) {
    const QString excel = u("application/vnd.ms-excel");
    EXPECT_EQ(DefaultDesktopId(excel), QString());
    EXPECT_FALSE(ResolveOpenCommand(sheet));
    EXPECT_TRUE(NoProgramMessage(sheet).contains(u(".xls")));
    EXPECT_TRUE(NoProgramMessage(sheet).contains(sheet));

    // The system's cache names a program; a vendor-prefixed ID lives in a vendor folder.
    write(path("sysdata/applications/mimeinfo.cache"),
          u("[MIME Cache]\napplication/vnd.ms-excel=gone.desktop;acme-sheet.desktop;\n"));
    write(path("sysdata/applications/acme/sheet.desktop"),
          u("[Desktop Entry]\nExec=acme-sheet %f\n"));
    EXPECT_EQ(DefaultDesktopId(excel), u("acme-sheet.desktop"));
    EXPECT_EQ(FindDesktopFile(u("acme-sheet.desktop")),
              path("sysdata/applications/acme/sheet.desktop"));

    // An added association beats the cache; the user's default beats both, the user's own
    // desktop file beats the system's of the same ID.
    write(path("sysconfig/mimeapps.list"),
          u("[Added Associations]\napplication/vnd.ms-excel=added.desktop\n"));
    write(path("sysdata/applications/added.desktop"), u("[Desktop Entry]\nExec=added\n"));
    EXPECT_EQ(DefaultDesktopId(excel), u("added.desktop"));
    write(path("config/mimeapps.list"),
          u("[Added Associations]\napplication/vnd.ms-excel=other.desktop\n"
            "[Default Applications]\napplication/vnd.ms-excel=missing.desktop;mine.desktop\n"));
    write(path("sysdata/applications/mine.desktop"), u("[Desktop Entry]\nExec=system-mine\n"));
    write(path("data/applications/mine.desktop"), u("[Desktop Entry]\nExec=user-mine --open %F\n"));
    EXPECT_EQ(DefaultDesktopId(excel), u("mine.desktop"));
    const auto cmd = ResolveOpenCommand(sheet);
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->program, u("user-mine"));
    EXPECT_EQ(cmd->arguments, QStringList({u("--open"), QFileInfo(sheet).absoluteFilePath()}));

    // xdg-mime, when installed, is asked first.
    write(path("bin/xdg-mime"), u("#!/bin/sh\necho added.desktop\n"));
    QFile::setPermissions(path("bin/xdg-mime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(DefaultDesktopId(excel), u("added.desktop"));
}

TEST_F(LauncherTest, WaitsForTheProgramWhileEventsRun) {
    // The program writes the file's name to a marker when it ends, 0.3 s after it started.
    const QString marker = path("ended.txt");
    write(path("data/applications/slow.desktop"),
          QStringLiteral("[Desktop Entry]\nExec=sh -c 'sleep 0.3; echo \"$0\" > %1' %f\n")
              .arg(marker));
    write(path("config/mimeapps.list"),
          u("[Default Applications]\napplication/vnd.ms-excel=slow.desktop\n"));
    const auto cmd = ResolveOpenCommand(sheet);
    ASSERT_TRUE(cmd);

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    QString error;
    ASSERT_TRUE(RunAndWait(*cmd, &error)) << error.toStdString();
    QFile ended(marker);
    ASSERT_TRUE(ended.open(QIODevice::ReadOnly)) << "returned before the program ended";
    EXPECT_EQ(QString::fromUtf8(ended.readAll()).trimmed(), QFileInfo(sheet).absoluteFilePath());
    EXPECT_GE(ticks, 3);  // the caller's timers kept running

    LaunchCommand missing{path("bin/no-such-program"), {}, {}};
    EXPECT_FALSE(RunAndWait(missing, &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
