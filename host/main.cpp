// morvane-host: a small stand-in for the host application. Signs in, shows the report menu and
// opens the plug-in's windows through CreateDLLForm, as the real host does.
//
//   morvane-host [--db FILE | --odbc CONNSTR] [--user NO] [--library LIB]
//                [--open WINDOW]... [--set CONTROL=VALUE]... [--get-data] [--maximize]
//                [--screenshot FILE.png]
//
// --set sets a control of each window opened with --open (as `morvane run --set` does);
// --get-data then presses the window's get-data action; --maximize maximizes it in the main
// window, as the user would to see a wide pivot.

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "host/GuiRunner.h"
#include "host/MainWindow.h"
#include "host/MessageErrorDisplay.h"
#include "host/SignInDialog.h"
#include "hostkit/HostSession.h"
#include "hostkit/MenuTable.h"
#include "hostkit/WindowDriver.h"

using namespace morvane::host;

namespace {

struct HostOptions {
    QString db;
    QString odbc;
    QString user;
    QString plugin;
    QStringList open;
    QList<std::pair<QString, QString>> sets;  // control, value
    bool getData = false;
    bool maximize = false;
    QString screenshot;
};

bool parse(const QStringList& args, HostOptions& o, QString& problem) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& target) {
            if (i + 1 >= args.size()) {
                problem = a + " needs a value";
                return false;
            }
            target = args[++i];
            return true;
        };
        QString opened;
        if (a == "--db") {
            if (!value(o.db))
                return false;
        } else if (a == "--odbc") {
            if (!value(o.odbc))
                return false;
        } else if (a == "--user") {
            if (!value(o.user))
                return false;
        } else if (a == "--library") {
            if (!value(o.plugin))
                return false;
        } else if (a == "--screenshot") {
            if (!value(o.screenshot))
                return false;
        } else if (a == "--get-data") {
            o.getData = true;
        } else if (a == "--maximize") {
            o.maximize = true;
        } else if (a == "--set") {
            QString set;
            if (!value(set))
                return false;
            const qsizetype eq = set.indexOf('=');
            if (eq <= 0) {
                problem = "--set takes CONTROL=VALUE, not " + set;
                return false;
            }
            o.sets.append({set.left(eq), set.mid(eq + 1)});
        } else if (a == "--open") {
            if (!value(opened))
                return false;
            o.open << opened;
        } else {
            problem = "unknown argument " + a;
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Morvane"));
    HostOptions o;
    QString problem;
    if (!parse(QApplication::arguments(), o, problem)) {
        std::fprintf(stderr,
                     "morvane-host: %s\nusage: morvane-host [--db FILE | --odbc CONNSTR] "
                     "[--user NO] [--library LIB] [--open WINDOW]...\n"
                     "                    [--set CONTROL=VALUE]... [--get-data] [--maximize] "
                     "[--screenshot FILE.png]\n",
                     problem.toUtf8().constData());
        return 1;
    }

    GuiRunner runner;
    MessageErrorDisplay errors;
    std::unique_ptr<HostSession> session;
    QString user;
    try {
        const MenuTable menu = MenuTable::Load();
        auto* mainWindowPtr = new MainWindow(menu, [&](const MenuEntry& entry) {
            if (!session->OpenWindow(entry.window, user, entry.listName)) {
                QMessageBox::information(&session->MainForm(), QStringLiteral("系统提示"),
                                         entry.caption + QStringLiteral("：此窗口尚未提供。"));
            }
        });
        std::unique_ptr<HostMainForm> mainWindow(mainWindowPtr);
        runner.SetMainWindow(mainWindowPtr);
        errors.SetParent(mainWindowPtr);
        session = std::make_unique<HostSession>(runner, errors, o.plugin, QString(),
                                                std::move(mainWindow));
        session->Connect({o.db, o.odbc});

        user = o.user;
        if (user.isEmpty()) {
            SignInDialog signIn(session->Connection());
            if (signIn.exec() != QDialog::Accepted)
                return 0;
            user = signIn.UserNo();
        }
        mainWindowPtr->SetSignedIn(user);
        mainWindowPtr->show();
        for (const QString& name : o.open) {
            const MenuEntry* entry = menu.Find(name);
            QWidget* window = session->OpenWindow(name, user, entry ? entry->listName : name);
            for (const auto& [control, value] : o.sets) {
                if (window)
                    SetControl(window, control, value);
            }
            // As the user's click on the window's get-data button; errors reach the error
            // display from the action's handler.
            auto* getData =
                window ? window->findChild<QAction*>(QStringLiteral("ac_GetData")) : nullptr;
            if (o.getData && getData)
                getData->trigger();
            if (auto* frame =
                    window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
                frame && o.maximize)
                frame->showMaximized();
        }
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Morvane"), QString::fromUtf8(e.what()));
        std::fprintf(stderr, "morvane-host: %s\n", e.what());
        return 2;
    }

    if (!o.screenshot.isEmpty()) {
        QTimer::singleShot(800, [&] {
            const bool saved = session->MainForm().grab().save(o.screenshot);
            if (!saved)
                std::fprintf(stderr, "morvane-host: cannot write %s\n",
                             o.screenshot.toUtf8().constData());
            QApplication::exit(saved ? 0 : 2);
        });
    }
    const int status = QApplication::exec();
    session.reset();
    return status;
}
