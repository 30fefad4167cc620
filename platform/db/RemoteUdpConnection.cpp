#include "platform/db/RemoteUdpConnection.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/OdbcBackend.h"
#include "platform/db/SqliteBackend.h"

#include <chrono>

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
        // A statement running on another thread keeps its backend until it ends.
        std::lock_guard running(statement_);
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
        std::lock_guard running(statement_);
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

void TRemoteUdpConnection::Cancel(TStatementTicket& ticket) {
    ticket.cancelled_ = true;
    std::lock_guard lock(mutex_);
    if (backend_ && running_ == &ticket)
        backend_->cancel();
}

morvane::db::ResultTable TRemoteUdpConnection::Query(const QString& sql) {
    const std::string text = sql.toStdString();
    std::lock_guard running(statement_);
    return backend().query(text);
}

morvane::db::ResultTable TRemoteUdpConnection::Query(const QString& sql,
                                                     TStatementTicket& ticket) {
    const std::string text = sql.toStdString();
    // Waiting for another thread's statement, a cancelled one gives up at once.
    std::unique_lock running(statement_, std::defer_lock);
    while (!running.try_lock_for(std::chrono::milliseconds(20))) {
        if (ticket.Cancelled())
            throw EDatabaseError("the statement was cancelled");
    }
    morvane::db::Backend* backend = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (ticket.Cancelled())
            throw EDatabaseError("the statement was cancelled");
        if (!backend_)
            throw EDatabaseError("the connection is not open");
        backend = backend_.get();
        running_ = &ticket;
    }
    struct Done {
        TRemoteUdpConnection* self;
        ~Done() {
            std::lock_guard lock(self->mutex_);
            self->running_ = nullptr;
        }
    } done{this};
    return backend->query(text);
}

std::int64_t TRemoteUdpConnection::Execute(const QString& sql) {
    const std::string text = sql.toStdString();
    std::lock_guard running(statement_);
    return backend().execute(text);
}

morvane::db::StatementOutcome TRemoteUdpConnection::Run(const QString& sql,
                                                       std::size_t rowsPerPiece,
                                                       const morvane::db::PieceSink& sink) {
    const std::string text = sql.toStdString();
    std::lock_guard running(statement_);
    return backend().run(text, rowsPerPiece, sink);
}
