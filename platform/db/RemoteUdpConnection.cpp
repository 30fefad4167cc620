#include "platform/db/RemoteUdpConnection.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/OdbcBackend.h"
#include "platform/db/SqliteBackend.h"

TRemoteUdpConnection::TRemoteUdpConnection(QObject* owner) : QObject(owner) {}

TRemoteUdpConnection::~TRemoteUdpConnection() = default;

void TRemoteUdpConnection::OpenSqlite(const QString& file) {
    OpenBackend(std::make_unique<morvane::db::SqliteBackend>(file.toStdString()));
}

void TRemoteUdpConnection::OpenOdbc(const QString& connectionString, bool translate) {
    OpenBackend(
        std::make_unique<morvane::db::OdbcBackend>(connectionString.toStdString(), translate));
}

void TRemoteUdpConnection::OpenBackend(std::unique_ptr<morvane::db::Backend> backend) {
    std::unique_ptr<morvane::db::Backend> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::move(backend_);
        backend_ = std::move(backend);
    }
    previous.reset();
    emit connectedChanged(true);
}

void TRemoteUdpConnection::Close() {
    std::unique_ptr<morvane::db::Backend> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::move(backend_);
    }
    if (previous) {
        previous.reset();
        emit connectedChanged(false);
    }
}

bool TRemoteUdpConnection::Connected() const {
    std::lock_guard lock(mutex_);
    return backend_ != nullptr;
}

void TRemoteUdpConnection::Cancel() {
    std::lock_guard lock(mutex_);
    if (backend_)
        backend_->cancel();
}

QString TRemoteUdpConnection::DbmsName() const {
    std::lock_guard lock(mutex_);
    return backend_ ? QString::fromStdString(backend_->dbmsName()) : QString();
}

morvane::db::Backend& TRemoteUdpConnection::backend() {
    std::lock_guard lock(mutex_);
    if (!backend_)
        throw EDatabaseError("the connection is not open");
    return *backend_;
}

morvane::db::ResultTable TRemoteUdpConnection::Query(const QString& sql) {
    return backend().query(sql.toStdString());
}

void TRemoteUdpConnection::QueryInPieces(const QString& sql, std::size_t rowsPerPiece,
                                         const morvane::db::PieceSink& sink) {
    backend().queryInPieces(sql.toStdString(), rowsPerPiece, sink);
}

std::int64_t TRemoteUdpConnection::Execute(const QString& sql) {
    return backend().execute(sql.toStdString());
}
