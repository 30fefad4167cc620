#pragma once
// One host session: the plug-in loaded, the host's application object, main window and
// database connection, and the call that opens a window through CreateDLLForm. The GUI host
// and the headless host both open windows through this class.

#include <QString>
#include <memory>

#include "hostkit/HostApplication.h"
#include "hostkit/HostMainForm.h"
#include "hostkit/PluginLoader.h"

class TRemoteUdpConnection;

namespace morvane::host {

struct ConnectionSpec {
    QString sqliteFile;  // used when odbc is empty; empty: $MORVANE_DB, else demo.db
    QString odbc;        // an ODBC connection string: statements go verbatim to the server
};

class HostSession {
  public:
    // Loads the plug-in (PluginLoader::DefaultPath() when `pluginPath` is empty). The runner
    // and error display must outlive the session. Throws std::runtime_error.
    // `mainForm` replaces the plain main window (the GUI host passes its own).
    HostSession(ui::ModalRunner& runner, ui::ErrorDisplay& errors,
                const QString& pluginPath = QString(), const QString& exeName = QString(),
                std::unique_ptr<HostMainForm> mainForm = nullptr);
    ~HostSession();

    // Opens the host's connection. Throws EDatabaseError (also for a missing SQLite file).
    void Connect(const ConnectionSpec& settings);
    TRemoteUdpConnection& Connection() { return *connection_; }

    // Calls CreateDLLForm with this session's objects. nullptr when the plug-in opened
    // nothing for the name.
    QWidget* OpenWindow(const QString& windowName, const QString& userNo, const QString& listName);

    HostApplication& Application() { return app_; }
    HostMainForm& MainForm() { return *mainForm_; }
    const PluginLoader& Plugin() const { return loader_; }

  private:
    PluginLoader loader_;
    HostApplication app_;
    std::unique_ptr<TRemoteUdpConnection> connection_;
    std::unique_ptr<HostMainForm> mainForm_;
};

}  // namespace morvane::host
