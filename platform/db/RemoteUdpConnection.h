#pragma once

#include "platform/db/Backend.h"

#include <QObject>
#include <QString>

#include <memory>
#include <mutex>

// The connection through which remote datasets run their statements. It holds one backend at a
// time: a SQLite file (the embedded default, statements translated from T-SQL) or an ODBC data
// source (SQL Server gets the statements verbatim). Opening a new backend closes the previous
// one. Statements run on the thread that calls the dataset; only Cancel() may be called from
// another thread.
class TRemoteUdpConnection : public QObject {
    Q_OBJECT
  public:
    explicit TRemoteUdpConnection(QObject* owner = nullptr);
    ~TRemoteUdpConnection() override;

    // Opens an existing SQLite file. Throws EDatabaseError when it cannot be opened.
    void OpenSqlite(const QString& file);
    // Connects with an ODBC connection string (UTF-8 narrow). With translate = true statements
    // are translated from T-SQL to SQLite, for the SQLite ODBC driver. Throws EDatabaseError
    // with the driver's message when the connection fails.
    void OpenOdbc(const QString& connectionString, bool translate = false);
    // Uses a backend built elsewhere (a forced ODBC text mode, a test double of a server).
    void OpenBackend(std::unique_ptr<morvane::db::Backend> backend);
    void Close();
    bool Connected() const;
    // Interrupts the statement running on this connection, if any; the dataset that ran it
    // raises EDatabaseError and stays closed. Safe to call from any thread.
    void Cancel();
    // "SQLite", "Microsoft SQL Server", ...; empty when not connected.
    QString DbmsName() const;

    // Runs a statement returning rows / no rows. Throws EDatabaseError, also when not connected.
    morvane::db::ResultTable Query(const QString& sql);
    // The same result handed to the sink in pieces of at most rowsPerPiece rows as they are
    // fetched, for a reader that writes rows out and keeps none (see Backend::queryInPieces).
    void QueryInPieces(const QString& sql, std::size_t rowsPerPiece,
                       const morvane::db::PieceSink& sink);
    std::int64_t Execute(const QString& sql);

  signals:
    void connectedChanged(bool connected);

  private:
    morvane::db::Backend& backend();

    mutable std::mutex mutex_;  // guards backend_ against Cancel() from another thread
    std::unique_ptr<morvane::db::Backend> backend_;
};
