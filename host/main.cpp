// morvane-host: a small stand-in for the host application. Signs in, shows the report menu and
// opens the plug-in's windows through CreateDLLForm, as the real host does.
//
//   morvane-host [--db FILE | --odbc CONNSTR] [--user NO] [--library LIB]
//                [--open WINDOW]... [--set CONTROL=VALUE]... [--get-data] [--maximize]
//                [--press EDIT] [--pick EDIT=CODES]... [--screenshot FILE.png]
//
// --set sets a control of each window opened with --open (as `morvane run --set` does);
// --get-data then presses the window's get-data action; --maximize maximizes it in the main
// window, as the user would to see a wide pivot. --pick presses an edit's button and answers its
// picker with the codes, as `morvane run --pick` does. --press presses the button of an edit of
// the last window opened once the host is running (its picker opens and stays open);
// --screenshot then takes the dialog in front rather than the main window.

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
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
#include "platform/io/AtomicFile.h"

using namespace morvane::host;

namespace {

struct HostOptions {
    QString db;
    QString odbc;
    QString user;
    QString plugin;
    QStringList open;
    QList<std::pair<QString, QString>> sets;  // control, value
    QList<std::pair<QString, QStringList>> picks;  // edit, codes
    bool getData = false;
    bool maximize = false;
    QString press;
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
            if (o.odbc.isEmpty()) {
                problem = "--odbc needs a connection string, not an empty text";
                return false;
            }
        } else if (a == "--user") {
            if (!value(o.user))
                return false;
        } else if (a == "--library") {
            if (!value(o.plugin))
                return false;
        } else if (a == "--screenshot") {
            if (!value(o.screenshot))
                return false;
        } else if (a == "--press") {
            if (!value(o.press))
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
        } else if (a == "--pick") {
            QString pick;
            if (!value(pick))
                return false;
            const qsizetype eq = pick.indexOf('=');
            if (eq <= 0) {
                problem = "--pick takes EDIT=CODES, not " + pick;
                return false;
            }
            o.picks.append({pick.left(eq), pick.mid(eq + 1).split(',', Qt::SkipEmptyParts)});
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
                     "[--press EDIT] [--pick EDIT=CODES]... [--screenshot FILE.png]\n",
                     problem.toUtf8().constData());
        return 1;
    }

    GuiRunner runner;
    MessageErrorDisplay errors;
    std::unique_ptr<HostSession> session;
    QPointer<QWidget> lastOpened;  // the last window opened with --open
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
            lastOpened = window;
            for (const auto& [control, value] : o.sets) {
                if (window)
                    SetControl(window, control, value);
            }
            // As the user's click on the edit's button, the picker answered with the codes.
            for (const auto& [edit, codes] : o.picks) {
                QWidget* button = window ? window->findChild<QWidget*>(edit) : nullptr;
                runner.QueuePick(codes);
                if (!button || !QMetaObject::invokeMethod(button, "PressButton",
                                                          Qt::DirectConnection, Q_ARG(int, 0))) {
                    std::fprintf(stderr, "morvane-host: no button to press on %s\n",
                                 edit.toUtf8().constData());
                }
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

    if (!o.press.isEmpty()) {
        // After the main loop runs, so that the picker's modal loop does not hold up the start.
        QTimer::singleShot(0, [&] {
            QWidget* edit = lastOpened ? lastOpened->findChild<QWidget*>(o.press) : nullptr;
            if (!edit || !QMetaObject::invokeMethod(edit, "PressButton", Qt::DirectConnection,
                                                    Q_ARG(int, 0))) {
                std::fprintf(stderr, "morvane-host: no button to press on %s\n",
                             o.press.toUtf8().constData());
            }
        });
    }
    if (!o.screenshot.isEmpty()) {
        QTimer::singleShot(800, [&] {
            // Encoded first, then replaced whole, as every file the programs write.
            QByteArray image;
            QBuffer buffer(&image);
            buffer.open(QIODevice::WriteOnly);
            const QByteArray format = QFileInfo(o.screenshot).suffix().toLatin1();
            QWidget* front = QApplication::activeModalWidget();
            bool saved = (front ? front : &session->MainForm())->grab().save(
                &buffer, format.isEmpty() ? "PNG" : format.constData());
            std::string problem = "cannot write " + o.screenshot.toStdString() +
                                  ": the picture cannot be encoded as ." + format.toStdString();
            if (saved) {
                try {
                    morvane::io::WriteFileAtomically(o.screenshot, image.toStdString());
                } catch (const morvane::io::FileError& e) {
                    saved = false;
                    problem = e.what();
                }
            }
            if (!saved)
                std::fprintf(stderr, "morvane-host: %s\n", problem.c_str());
            QApplication::exit(saved ? 0 : 2);
        });
    }
    const int status = QApplication::exec();
    session.reset();
    return status;
}
