// morvane-host: a small stand-in for the host application. Signs in, shows the report menu and
// opens the plug-in's windows through CreateDLLForm, as the real host does.
//
//   morvane-host [--db FILE | --odbc CONNSTR] [--user NO] [--library LIB]
//                [--open WINDOW]... [--set CONTROL=VALUE]... [--pick EDIT=CODES]...
//                [--get-data] [--print] [--maximize] [--press EDIT] [--screenshot FILE.png [--at MS]]
//
// --set sets a control of each window opened with --open (as `morvane run --set` does); --pick
// presses an edit's button and answers its picker with the codes (as `morvane run --pick` does);
// --get-data then presses the window's get-data action with those filters; --print then presses
// its print button; --maximize maximizes it in the main window, as the user would to see a wide
// pivot. --press presses the button of an edit of the last window opened (its picker opens and
// stays open). With --screenshot the host takes a picture of its main window (or of the dialog in
// front: the print preview, the picker) and ends; message boxes and errors then go to standard
// error instead of waiting for a click.

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "host/GuiRunner.h"
#include "host/MainWindow.h"
#include "host/MessageErrorDisplay.h"
#include "host/SignInDialog.h"
#include "hostkit/HostSession.h"
#include "hostkit/MenuTable.h"
#include "hostkit/Translations.h"
#include "hostkit/WindowDriver.h"
#include "platform/io/AtomicFile.h"

using namespace morvane::host;

namespace {

constexpr const char* kUsage =
    "usage: morvane-host [--db FILE | --odbc CONNSTR] [--user NO] [--library LIB]\n"
    "                    [--open WINDOW]... [--set CONTROL=VALUE]... [--pick EDIT=CODES]...\n"
    "                    [--get-data] [--print] [--maximize] [--press EDIT]\n"
    "                    [--screenshot FILE.png [--at MS]]\n"
    "\n"
    "  --db FILE          the SQLite database (default: $MORVANE_DB, else demo.db)\n"
    "  --odbc CONNSTR     an ODBC connection string (SQL Server) instead of --db\n"
    "  --user NO          sign in as this user (else the sign-in dialog asks)\n"
    "  --library LIB      the plug-in library (default: libmorvane.so beside the program)\n"
    "  --open WINDOW      open a report window (repeatable; see: morvane windows)\n"
    "  --set CONTROL=VAL  set a control of the windows opened (morvane run WINDOW --controls\n"
    "                     lists them)\n"
    "  --pick EDIT=CODES  press the edit's button and answer its picker with the codes\n"
    "  --get-data         press 统计 in the windows opened\n"
    "  --print            press 打印 in the windows opened (after --get-data)\n"
    "  --maximize         maximize the windows opened\n"
    "  --press EDIT       press the button of an edit of the last window opened (its picker\n"
    "                     opens)\n"
    "  --screenshot FILE  save a picture of the host (or of its print preview) and end;\n"
    "                     message boxes go to standard error instead of waiting\n"
    "  --at MS            take the picture MS milliseconds after start, whatever runs then\n"
    "  --help             this text\n";

struct HostOptions {
    QString db;
    QString odbc;
    QString user;
    QString plugin;
    QStringList open;
    QList<std::pair<QString, QString>> sets;  // control, value
    QList<std::pair<QString, QStringList>> picks;  // edit, codes
    bool getData = false;
    bool print = false;
    bool maximize = false;
    QString press;
    QString screenshot;
    int at = -1;  // milliseconds after start; -1: once the windows are ready
    bool help = false;
};

// Reads the arguments before any display is needed, so that --help and mistakes are answered
// without one.
bool parse(int argc, char** argv, HostOptions& o, QString& problem) {
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        auto value = [&](QString& target) {
            if (i + 1 >= argc) {
                problem = a + " needs a value";
                return false;
            }
            target = QString::fromLocal8Bit(argv[++i]);
            return true;
        };
        QString text;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--db") {
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
        } else if (a == "--at") {
            if (!value(text))
                return false;
            bool ok = false;
            o.at = text.toInt(&ok);
            if (!ok || o.at < 0) {
                problem = "--at takes milliseconds (0 or more), not '" + text + "'";
                return false;
            }
        } else if (a == "--get-data") {
            o.getData = true;
        } else if (a == "--print") {
            o.print = true;
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
            if (!value(text))
                return false;
            o.open << text;
        } else {
            problem = "unknown argument " + a;
            return false;
        }
    }
    if (o.at >= 0 && o.screenshot.isEmpty()) {
        problem = "--at goes with --screenshot";
        return false;
    }
    return true;
}

// Saves a picture of what the user sees in front (a modal dialog such as the print preview,
// else the main window) and ends the application with 0, or 2 when it cannot be written.
bool pictureTaken = false;

void TakeScreenshot(QWidget* mainWindow, const QString& file) {
    if (pictureTaken)
        return;
    pictureTaken = true;
    QWidget* front = QApplication::activeModalWidget();
    QWidget* shown = front ? front : mainWindow;
    // Encoded first, then replaced whole, as every file the programs write.
    QByteArray image;
    QBuffer buffer(&image);
    buffer.open(QIODevice::WriteOnly);
    const QByteArray format = QFileInfo(file).suffix().toLatin1();
    bool saved = shown->grab().save(&buffer, format.isEmpty() ? "PNG" : format.constData());
    std::string problem = "cannot write " + file.toStdString() +
                          ": the picture cannot be encoded as ." + format.toStdString();
    if (saved) {
        try {
            morvane::io::WriteFileAtomically(file, image.toStdString());
        } catch (const morvane::io::FileError& e) {
            saved = false;
            problem = e.what();
        }
    }
    if (!saved)
        std::fprintf(stderr, "morvane-host: %s\n", problem.c_str());
    QApplication::exit(saved ? 0 : 2);
}

}  // namespace

int main(int argc, char** argv) {
    HostOptions o;
    QString problem;
    if (!parse(argc, argv, o, problem)) {
        std::fprintf(stderr, "morvane-host: %s\n%s", problem.toUtf8().constData(), kUsage);
        return 1;
    }
    if (o.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    // A window name the menu lacks is a mistake answered before any display is needed.
    if (!o.open.isEmpty()) {
        QCoreApplication probe(argc, argv);  // the menu table lies beside the program
        try {
            const MenuTable known = MenuTable::Load();
            for (const QString& name : o.open) {
                if (!known.Find(name)) {
                    std::fprintf(stderr,
                                 "morvane-host: --open %s: no such window (morvane windows "
                                 "lists them)\n",
                                 name.toUtf8().constData());
                    return 2;
                }
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "morvane-host: %s\n", e.what());
            return 2;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Morvane"));
    LoadQtTranslations(app);

    const bool unattended = !o.screenshot.isEmpty();
    GuiRunner runner;
    MessageErrorDisplay errors;
    // A picture taken without anyone at the screen must not wait for a click.
    runner.SetUnattended(unattended);
    errors.SetUnattended(unattended);
    std::unique_ptr<HostSession> session;
    QPointer<QWidget> lastOpened;  // the last window opened with --open
    QString user;
    MainWindow* mainWindowPtr = nullptr;
    MenuTable menu;
    try {
        menu = MenuTable::Load();
        mainWindowPtr = new MainWindow(menu, [&](const MenuEntry& entry) {
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
    } catch (const std::exception& e) {
        if (!unattended)
            QMessageBox::critical(nullptr, QStringLiteral("Morvane"), QString::fromUtf8(e.what()));
        std::fprintf(stderr, "morvane-host: %s\n", e.what());
        return 2;
    }

    if (o.at >= 0)
        QTimer::singleShot(o.at, [&] { TakeScreenshot(mainWindowPtr, o.screenshot); });
    // The windows open once the event loop runs, as after the user's choices in the menu.
    int status = 0;
    QTimer::singleShot(0, [&] {
        for (const QString& name : o.open) {
            if (pictureTaken)
                return;
            const MenuEntry* entry = menu.Find(name);
            QWidget* window = session->OpenWindow(name, user, entry ? entry->listName : name);
            if (!window) {
                std::fprintf(stderr, "morvane-host: the plug-in has no window %s\n",
                             name.toUtf8().constData());
                status = 2;
                QApplication::exit(2);
                return;
            }
            try {
                for (const auto& [control, value] : o.sets)
                    SetControl(window, control, value);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "morvane-host: --set: %s\n", e.what());
                status = 2;
                QApplication::exit(2);
                return;
            }
            lastOpened = window;
            // As the user's click on the edit's button, the picker answered with the codes.
            for (const auto& [edit, codes] : o.picks) {
                QWidget* button = window->findChild<QWidget*>(edit);
                runner.QueuePick(codes);
                if (!button || !QMetaObject::invokeMethod(button, "PressButton",
                                                          Qt::DirectConnection, Q_ARG(int, 0))) {
                    std::fprintf(stderr, "morvane-host: no button to press on %s\n",
                                 edit.toUtf8().constData());
                }
            }
            if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
                frame && o.maximize)
                frame->showMaximized();
            // As the user's clicks on the window's buttons; errors reach the error display
            // from the actions' handlers.
            auto action = [window](const char* name) {
                return window->findChild<QAction*>(QString::fromLatin1(name));
            };
            if (o.getData && action("ac_GetData"))
                action("ac_GetData")->trigger();
            if (o.print && action("ac_print")) {
                // The preview is modal: the picture is taken of it while it is open.
                if (unattended && o.at < 0)
                    QTimer::singleShot(800, [&] { TakeScreenshot(mainWindowPtr, o.screenshot); });
                action("ac_print")->trigger();
            }
        }
        if (!o.press.isEmpty()) {
            // After this turn of the loop, so that the picker's modal loop holds up nothing.
            QTimer::singleShot(0, [&] {
                QWidget* edit = lastOpened ? lastOpened->findChild<QWidget*>(o.press) : nullptr;
                if (!edit || !QMetaObject::invokeMethod(edit, "PressButton",
                                                        Qt::DirectConnection, Q_ARG(int, 0))) {
                    std::fprintf(stderr, "morvane-host: no button to press on %s\n",
                                 o.press.toUtf8().constData());
                }
            });
        }
        if (unattended && o.at < 0 && !pictureTaken)
            QTimer::singleShot(800, [&] { TakeScreenshot(mainWindowPtr, o.screenshot); });
    });
    const int result = QApplication::exec();
    session.reset();
    return status != 0 ? status : result;
}
