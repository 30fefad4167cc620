#include "hostkit/HostSession.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpConnection.h"

namespace morvane::host {

HostSession::HostSession(ui::ModalRunner& runner, ui::ErrorDisplay& errors,
                         const QString& pluginPath, const QString& exeName,
                         std::unique_ptr<HostMainForm> mainForm)
    : loader_(pluginPath),
      app_(runner, errors, exeName),
      connection_(std::make_unique<TRemoteUdpConnection>()),
      mainForm_(mainForm ? std::move(mainForm) : std::make_unique<HostMainForm>()) {}

HostSession::~HostSession() {
    // Windows first (their close handlers may still use the connection), then the objects
    // the application owns, then the connection.
    mainForm_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void HostSession::Connect(const ConnectionSpec& settings) {
    if (!settings.odbc.isEmpty()) {
        connection_->OpenOdbc(settings.odbc);
        return;
    }
    QString file = settings.sqliteFile;
    if (file.isEmpty())
        file = qEnvironmentVariable("MORVANE_DB", QStringLiteral("demo.db"));
    // SQLite would create an empty file and then report missing tables; say what is wrong.
    if (!QFileInfo::exists(file)) {
        throw EDatabaseError("database file '" + file.toStdString() +
                             "' does not exist (create it with: morvane demo-db " +
                             file.toStdString() + ")");
    }
    connection_->OpenSqlite(file);
}

QWidget* HostSession::OpenWindow(const QString& windowName, const QString& userNo,
                                 const QString& listName) {
    const QByteArray user = userNo.toUtf8();
    const QByteArray list = listName.toUtf8();
    return loader_.CreateDLLForm()(&app_, 0, windowName, user.constData(), list.constData(),
                                   connection_.get(), mainForm_.get());
}

}  // namespace morvane::host
