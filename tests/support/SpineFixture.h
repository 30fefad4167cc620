#pragma once
// Test support for the plug-in spine: a small fixture database, a connection that records
// every statement it receives, and a host (application object, main window, scripted dialogs,
// recorded errors) that opens windows through a CreateDLLForm function.

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/HostApplication.h"
#include "hostkit/HostMainForm.h"
#include "hostkit/RecordedErrors.h"
#include "hostkit/ScriptedRunner.h"
#include "platform/db/RemoteUdpConnection.h"

namespace morvane::test {

// Creates a SQLite file with the tables the spine reads (syslog, rights, scope, ba_size) and
// dt_client with four clients C01, C02, C11, D01. Rights: group G1 (user U1) may use list
// "测试报表" with Excel; group G2 (user U2) may browse it without Excel.
void CreateFixtureDb(const QString& file);
// Runs SQLite statements directly on a file (test set-up), bypassing the connection; the
// T-SQL functions are registered.
void ExecOnFile(const QString& file, const std::string& sql);

// The demo database at scale 1: a copy of the one the CTest run built (MORVANE_TEST_DEMO_DB),
// else generated once per test program, in a temporary folder.
QString DemoDb();

class SpineHost {
  public:
    // Opens `dbFile` (a fresh fixture database when empty). The program path given to the
    // plug-in lies in a temporary folder, where tests put their settings files.
    explicit SpineHost(const QString& dbFile = QString(), TCreateDLLForm create = nullptr);
    ~SpineHost();

    QWidget* Open(const QString& window, const QString& user = QStringLiteral("U1"),
                  const QString& listName = QStringLiteral("测试报表"));

    // Statements the connection received so far, in order.
    const std::vector<std::string>& Statements() const { return *statements_; }
    // The first column of each row of a query, run beside the connection (not recorded).
    std::vector<QString> Column(const QString& sql);
    // syslog rows as "userno|modename|fstate", in insertion order.
    std::vector<QString> SyslogRows();
    void WriteProgramFile(const QString& name, const QByteArray& text);

    QString ProgramFolder() const { return dir_.path(); }
    QString DbFile() const { return dbFile_; }
    host::ScriptedRunner runner;
    host::RecordedErrors errors;
    std::unique_ptr<host::HostApplication> app;
    std::unique_ptr<host::HostMainForm> mainForm;
    std::unique_ptr<TRemoteUdpConnection> connection;

  private:
    QTemporaryDir dir_;
    QString dbFile_;
    TCreateDLLForm create_;
    std::shared_ptr<std::vector<std::string>> statements_;
};

}  // namespace morvane::test
