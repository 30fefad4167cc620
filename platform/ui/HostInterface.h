#pragma once
// The objects a host hands to the plug-in through CreateDLLForm, and what the plug-in may do
// with them. The host creates and owns all of them; the plug-in only refers to them for as long
// as the host keeps them alive (the whole session in practice).
//
// These are pure interfaces so that the host and the plug-in, each with its own copy of the
// platform code, agree only on virtual calls across the library boundary.

#include <QString>
#include <cstdint>

class QObject;
class QMdiArea;
class QWidget;
class TRemoteUdpConnection;

namespace morvane::ui {
class ModalRunner;
class ErrorDisplay;
}  // namespace morvane::ui

// The host application object (argument 1 of CreateDLLForm). It becomes the plug-in's
// application object: the owner of the data module, of the shared grid style and of every
// temporary dataset, and the provider of the host's dialogs and of its standard error display.
class THostApplication {
  public:
    virtual ~THostApplication() = default;
    // Parent of the objects the plug-in creates "owned by the application". Lives as long as
    // the host application; freeing it frees the data module and the grid style.
    virtual QObject* Owner() = 0;
    // Full path of the host program. Its folder holds colorConfig.ini and softconfig.ini.
    virtual QString ExeName() const = 0;
    // Modal dialogs, message boxes, the save dialog and the launcher.
    virtual morvane::ui::ModalRunner& Runner() = 0;
    // Where an exception that leaves an event handler is shown.
    virtual morvane::ui::ErrorDisplay& Errors() = 0;
};

// The host's list of open window captions (a string list: add, find, delete).
class THostWindowList {
  public:
    virtual ~THostWindowList() = default;
    // Appends the caption and returns its index.
    virtual int Add(const QString& caption) = 0;
    // Index of the first entry equal to the caption, or -1.
    virtual int IndexOf(const QString& caption) const = 0;
    virtual void Delete(int index) = 0;
    virtual int Count() const = 0;
    virtual QString Strings(int index) const = 0;
};

// The host main window (argument 7 of CreateDLLForm).
class THostMainForm {
  public:
    virtual ~THostMainForm() = default;
    // The MDI area in which report windows open as children. Owned by the main window.
    virtual QMdiArea* MdiArea() = 0;
    // The open-window list in which the report windows register their captions.
    virtual THostWindowList& OpenWindows() = 0;
};

// The plug-in's one export, CreateDLLForm, as the host calls it:
//   1 app         the host application object; becomes the plug-in's application object.
//   2 (unused)    one machine word, accepted and ignored.
//   3 windowName  a window name of the plug-in's window table, compared case-insensitively.
//   4 userNo      the signed-in user's number, null-terminated UTF-8; copied during the call.
//   5 listName    the rights list name of the window, null-terminated UTF-8; copied.
//   6 connection  the host's database connection; every dataset of the plug-in runs on it.
//   7 mainForm    the host main window: MDI area and open-window list.
// Returns the window (newly created, or the one already open under that name, neither shown
// again nor activated), or nullptr when the name is not a window of the table or its window
// class is not part of this plug-in. The window belongs to the host's MDI area; closing it
// frees it. Nothing is thrown: failures are shown on app->Errors().
using TCreateDLLForm = QWidget* (*)(THostApplication* app, std::uintptr_t unused,
                                    const QString& windowName, const char* userNo,
                                    const char* listName, TRemoteUdpConnection* connection,
                                    THostMainForm* mainForm);
inline constexpr const char* kCreateDLLFormSymbol = "CreateDLLForm";
