#include "tests/reports/clientemp/ClientEmpFixture.h"

#include <QCoreApplication>
#include <QFile>

#include <sqlite3.h>
#include <stdexcept>

#include "entry/totalpub1.h"
#include "framework/unt_basefrmClasses.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/tsql/SqliteFunctions.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/TcxStyle.h"

namespace morvane::test {

void ClientEmpTest::StartSession(const QString& user, const QString& dbFile) {
    CloseWindow();
    morvane::entry::ResetSession();
    morvane::ui::SetApplication(nullptr);
    host.reset();
    host = std::make_unique<SpineHost>(dbFile.isEmpty() ? DemoDb() : dbFile);
    morvane::ui::SetApplication(host->app.get());
    pub_connection = host->connection.get();
    pub_mainform = host->mainForm.get();
    pub_userno = user;
    pub_listname = QStringLiteral("测试");
    auto* style = new TcxStyle(host->app->Owner());
    style->SetColor(0x00E0FFFF);
    pub_gridstyle = style;
    pub_fontsize = 9;
    pub_sizecount = 10;
    LoadUserScope();
}

void ClientEmpTest::TearDown() {
    CloseWindow();
    morvane::entry::ResetSession();
    morvane::ui::SetApplication(nullptr);
    host.reset();
}

Tbase_OLAPreport* ClientEmpTest::OpenByName(const QString& name) {
    CloseWindow();
    const morvane::framework::TWindowClass* cls = morvane::framework::FindWindowClass(name);
    if (!cls)
        throw std::runtime_error("no window class " + name.toStdString());
    window_.reset(dynamic_cast<Tbase_OLAPreport*>(cls->construct()));
    if (!window_)
        throw std::runtime_error(name.toStdString() + " is no pivot report window");
    window_->Create();
    return window_.get();
}

void ClientEmpTest::CloseWindow() {
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString ClientEmpTest::DemoCopy() {
    static int n = 0;
    const QString path = copies_.filePath(QStringLiteral("copy%1.db").arg(++n));
    if (!QFile::copy(DemoDb(), path))
        throw std::runtime_error("cannot copy the demo database");
    return path;
}

std::vector<QStringList> ClientEmpTest::Rows(const QString& sql) {
    TRemoteUdpConnection side;
    side.OpenSqlite(host->DbFile());
    TRemoteUdpDataSet ds;
    ds.setSetupUdpParent(&side);
    ds.SetSQL(sql);
    ds.Open();
    std::vector<QStringList> out;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        QStringList row;
        for (int i = 0; i < ds.FieldCount(); ++i)
            row << ds.Fields(i)->AsString();
        out.push_back(row);
    }
    return out;
}

std::vector<QStringList> ClientEmpTest::ReportRows(Tbase_OLAPreport* w,
                                                   const QStringList& columns) {
    std::vector<QStringList> out;
    TRemoteUdpDataSet* ds = w->UDPDB_Report;
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QStringList row;
        for (const QString& c : columns)
            row << ds->FieldByName(c)->AsString();
        out.push_back(row);
    }
    return out;
}

void ExecSqlite(const QString& file, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.toStdString());
    }
    morvane::tsql::registerSqliteFunctions(db);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
    const std::string text = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("set-up: " + text);
}

QByteArray ReadFileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return f.readAll();
}

}  // namespace morvane::test
