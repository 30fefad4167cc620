#pragma once

#include "platform/db/Backend.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

// One statement that another thread may cancel (see TRemoteUdpConnection::Query with a ticket).
// Lives at least as long as the Query call that carries it.
class TStatementTicket {
  public:
    bool Cancelled() const { return cancelled_.load(); }

  private:
    friend class TRemoteUdpConnection;
    std::atomic<bool> cancelled_{false};
};

// The connection through which remote datasets run their statements. It holds one backend at a
// time: a SQLite file (the embedded default, statements translated from T-SQL) or an ODBC data
// source (SQL Server gets the statements verbatim). Opening a new backend closes the previous
// one. Statements run on the thread that calls the dataset, one at a time: a statement asked
// for while another thread's statement runs waits for it. Only Cancel() may be called from
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
    // Cancels the statement of one ticket: interrupts it while it runs, or makes it fail before
    // it starts. Other statements on the connection go on. Safe to call from any thread, also
    // more than once (an interrupt that arrives before the statement reaches the database is
    // lost, so a caller that waits repeats it).
    void Cancel(TStatementTicket& ticket);
    // "SQLite", "Microsoft SQL Server", ...; empty when not connected.
    QString DbmsName() const;

    // Runs a statement returning rows / no rows. Throws EDatabaseError, also when not connected.
    morvane::db::ResultTable Query(const QString& sql);
    // The same on behalf of a ticket that Cancel(ticket) may stop (EDatabaseError).
    morvane::db::ResultTable Query(const QString& sql, TStatementTicket& ticket);
    std::int64_t Execute(const QString& sql);
    // Runs a statement whatever it returns, its rows handed to the sink in pieces of at most
    // rowsPerPiece rows as they are fetched, for a reader that writes rows out and keeps none
    // (Backend::run).
    morvane::db::StatementOutcome Run(const QString& sql, std::size_t rowsPerPiece,
                                      const morvane::db::PieceSink& sink);

  signals:
    void connectedChanged(bool connected);

  private:
    morvane::db::Backend& backend();

    mutable std::mutex mutex_;  // guards backend_ and running_ against Cancel() from another thread
    std::timed_mutex statement_;  // held while a statement runs: one at a time on the backend
    std::unique_ptr<morvane::db::Backend> backend_;
    TStatementTicket* running_ = nullptr;  // the ticket of the statement running, if any
};
