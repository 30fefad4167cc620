#include "tests/support/ReportFixture.h"

#include <sqlite3.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSpinBox>

#include <stdexcept>

#include "entry/Dispatch.h"
#include "forms/WindowClasses.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/tsql/SqliteFunctions.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/TcxStyle.h"
#include "session/totalpub1.h"

namespace morvane::test {

void ReportTest::StartSession(const QString& user, const QString& dbFile) {
    CloseWindow();
    session::ResetSession();
    ui::SetApplication(nullptr);
    host.reset();
    host = std::make_unique<SpineHost>(dbFile.isEmpty() ? DemoDb() : dbFile);
    ui::SetApplication(host->app.get());
    pub_connection = host->connection.get();
    pub_mainform = host->mainForm.get();
    pub_listname = QStringLiteral("测试");
    auto* style = new TcxStyle(host->app->Owner());
    style->SetColor(0x00E0FFFF);
    pub_gridstyle = style;
    pub_fontsize = 9;
    pub_sizecount = 10;
    SignIn(user);
}

void ReportTest::SignIn(const QString& user) {
    pub_userno = user;
    LoadUserScope();
}

void ReportTest::TearDown() {
    CloseWindow();
    session::ResetSession();
    ui::SetApplication(nullptr);
    host.reset();
}

QString ReportTest::DemoCopy() {
    static int n = 0;
    const QString path = copies_.filePath(QStringLiteral("copy%1.db").arg(++n));
    if (!QFile::copy(DemoDb(), path))
        throw std::runtime_error("cannot copy the demo database");
    return path;
}

Tbase_OLAPreport* ReportTest::OpenByName(const QString& name) {
    auto* w = dynamic_cast<Tbase_OLAPreport*>(OpenPivot(name));
    if (!w)
        throw std::runtime_error(name.toStdString() + " is no pivot report window");
    return w;
}

Tbase_PivotWindow* ReportTest::OpenPivot(const QString& name) {
    forms::TWindowClass* cls = entry::WindowClassOf(name);
    if (!cls)
        throw std::runtime_error("no window class for " + name.toStdString());
    auto* w = dynamic_cast<Tbase_PivotWindow*>(OpenClass(cls->className));
    if (!w)
        throw std::runtime_error(name.toStdString() + " is no pivot window");
    return w;
}

Tbase_frm* ReportTest::OpenClass(const QString& className) {
    CloseWindow();
    for (forms::TWindowClass* cls : forms::WindowClasses()) {
        if (cls->className != className)
            continue;
        entry::WindowClassOf(cls->name);  // gives the class its row's caption
        window_.reset(forms::ConstructWindow(*cls));
        window_->Create();
        return window_.get();
    }
    throw std::runtime_error("no registered window class " + className.toStdString());
}

void ReportTest::CloseWindow() {
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Tbase_PeriodReport* ReportTest::OpenPeriod(const QString& name) {
    auto* w = dynamic_cast<Tbase_PeriodReport*>(OpenByName(name));
    if (!w)
        throw std::runtime_error(name.toStdString() + " is no period window");
    return w;
}

void ReportTest::RunPeriod(Tbase_PeriodReport* w, int year, int month) {
    w->edit_year->setValue(year);
    if (w->edit_month)
        w->edit_month->setValue(month);
    Run(w);
}

void ReportTest::Run(Tbase_PivotWindow* w) {
    host->errors.messages.clear();
    w->ac_GetData->trigger();
    ASSERT_TRUE(host->errors.messages.isEmpty()) << Errors().toStdString();
    ASSERT_TRUE(w->UDPDB_Report->Active());
}

QString ReportTest::StatementOf(Tbase_PivotWindow* w) {
    host->errors.messages.clear();
    w->ac_GetData->trigger();
    EXPECT_TRUE(host->errors.messages.isEmpty()) << Errors().toStdString();
    return w->UDPDB_Report->SQL();
}

std::vector<QStringList> ReportTest::Rows(const QString& sql) {
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

std::vector<QStringList> ReportTest::SqliteRows(const QString& sql) const {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(host->DbFile().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + host->DbFile().toStdString());
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

std::vector<QStringList> ReportTest::ReportRows(Tbase_PivotWindow* w) {
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

std::vector<QStringList> ReportTest::ReportRows(Tbase_PivotWindow* w, const QStringList& columns) {
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

QString ReadText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

QString CheckGolden(const QString& dir, const QString& name, const QString& text) {
    const QString path = QDir(dir).filePath(name);
    if (qEnvironmentVariableIsSet("MORVANE_UPDATE_GOLDEN")) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return "cannot write " + path;
        out.write(text.toUtf8());
        return QString();
    }
    const QString want = ReadText(path);
    if (want == text)
        return QString();
    if (want.isNull())
        return name + ": no golden file";
    qsizetype at = 0;
    while (at < want.size() && at < text.size() && want[at] == text[at])
        ++at;
    return QStringLiteral("%1: differs at character %2: got \"%3\" want \"%4\"")
        .arg(name)
        .arg(at)
        .arg(text.mid(at, 40).replace('\r', "\\r"), want.mid(at, 40).replace('\r', "\\r"));
}

}  // namespace morvane::test
