#include "tests/reports/period/PeriodFixture.h"

#include <sqlite3.h>
#include <QCoreApplication>
#include <QFile>
#include <QSpinBox>

#include <stdexcept>

#include "entry/totalpub1.h"
#include "framework/unt_basefrmClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/tsql/SqliteFunctions.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/TcxStyle.h"

namespace morvane::test {

void PeriodTest::SetUp() {
    if (dbFile.isEmpty())
        dbFile = DemoDb();
    host = std::make_unique<SpineHost>(dbFile);
    ui::SetApplication(host->app.get());
    entry::ResetSession();
    pub_connection = host->connection.get();
    pub_mainform = host->mainForm.get();
    pub_listname = QStringLiteral("period");
    pub_gridstyle = new TcxStyle(host->app->Owner());
    pub_fontsize = 9;
    pub_sizecount = 10;
    SignIn(QStringLiteral("001"));
}

void PeriodTest::TearDown() {
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    entry::ResetSession();
    ui::SetApplication(nullptr);
    host.reset();
}

void PeriodTest::SignIn(const QString& user) {
    pub_userno = user;
    pub_clientall = false;
    pub_clientcodes.clear();
    pub_houseall = false;
    pub_housecodes.clear();
    pub_brandall = false;
    pub_brandcodes.clear();
    LoadUserScope();
}

Tbase_PeriodReport* PeriodTest::Open(const QString& name) {
    const framework::TWindowClass* cls = framework::FindWindowClass(name);
    if (!cls)
        throw std::runtime_error("no window class " + name.toStdString());
    window.reset(dynamic_cast<Tbase_PeriodReport*>(cls->construct()));
    if (!window)
        throw std::runtime_error(name.toStdString() + " is no period window");
    window->Create();
    return window.get();
}

void PeriodTest::Run(Tbase_PeriodReport* w, int year, int month) {
    w->edit_year->setValue(year);
    if (w->edit_month)
        w->edit_month->setValue(month);
    w->ac_GetData->trigger();
    ASSERT_TRUE(host->errors.messages.isEmpty()) << Errors().toStdString();
    ASSERT_TRUE(w->UDPDB_Report->Active());
}

QString PeriodTest::Errors() const {
    return host->errors.messages.join('\n');
}

std::vector<QStringList> PeriodTest::Query(const QString& sql) const {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(dbFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + dbFile.toStdString());
    }
    tsql::registerSqliteFunctions(db);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message + " in: " + sql.toStdString());
    }
    std::vector<QStringList> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            if (sqlite3_column_type(st, i) == SQLITE_NULL)
                row << QStringLiteral("<null>");
            else
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

std::vector<QStringList> PeriodTest::ReportRows(Tbase_PeriodReport* w) {
    std::vector<QStringList> rows;
    TRemoteUdpDataSet* ds = w->UDPDB_Report;
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QStringList row;
        for (int i = 0; i < ds->FieldCount(); ++i) {
            TField* f = ds->Fields(i);
            row << (f->IsNull() ? QStringLiteral("<null>") : f->AsString());
        }
        rows.push_back(row);
    }
    return rows;
}

QString ReadText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

}  // namespace morvane::test
