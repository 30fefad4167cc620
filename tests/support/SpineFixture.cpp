#include "tests/support/SpineFixture.h"

#include <sqlite3.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <stdexcept>

#include "demo/DemoGenerator.h"
#include "platform/db/Backend.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/db/SqliteBackend.h"
#include "platform/tsql/SqliteFunctions.h"

namespace morvane::test {

namespace {

class RecordingBackend : public db::Backend {
  public:
    RecordingBackend(const std::string& file, std::shared_ptr<std::vector<std::string>> log)
        : inner_(file), log_(std::move(log)) {}
    db::ResultTable query(const std::string& statement) override {
        log_->push_back(statement);
        return inner_.query(statement);
    }
    std::int64_t execute(const std::string& statement) override {
        log_->push_back(statement);
        return inner_.execute(statement);
    }
    db::StatementOutcome run(const std::string& statement, std::size_t rowsPerPiece,
                             const db::PieceSink& sink) override {
        log_->push_back(statement);
        return inner_.run(statement, rowsPerPiece, sink);
    }
    void cancel() noexcept override { inner_.cancel(); }
    std::string dbmsName() const override { return inner_.dbmsName(); }

  private:
    db::SqliteBackend inner_;
    std::shared_ptr<std::vector<std::string>> log_;
};

const char* kFixtureSchema = R"(
create table syslog(autoid integer primary key, logindate text, begintime text, userno text,
  clientname text, modename text, fbillid text, fstate text);
create table usermainde(fgroupid text, userno text);
create table dr_right(autoid integer primary key, listname text, fformname text, fmenuname text);
create table dr_rightdetail(fentryid integer primary key, autoid integer, groupid text,
  b_add integer default 0, b_edit integer default 0, b_del integer default 0,
  b_browse integer default 0, b_posted integer default 0, b_print integer default 0,
  b_excel integer default 0, b_unposted integer default 0);
create table userclient(fgroupid text, fclientcode text, fstockbit integer);
create table userbrand(fgroupid text, fbrand text);
create table userhouse(fgroupid text, fhousecode text, fstockbit integer, fdefaultbit integer);
create table ba_size(size_class text, size_name text, displayindex integer);
create table dt_client(fcode text, fabbrev text, fposted integer);
insert into dt_client values('C01','东方',1),('C02','南方',0),('C11','西城',1),('D01','北门',0);
insert into usermainde values('G1','U1'),('G2','U2');
insert into dr_right values(1,'测试报表','frm_OLAPSaleMonth','测试');
insert into dr_rightdetail(autoid,groupid,b_browse,b_excel) values(1,'G1',1,1),(1,'G2',1,0);
)";

}  // namespace

void ExecOnFile(const QString& file, const std::string& sql) {
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
        throw std::runtime_error("fixture: " + text);
}

void CreateFixtureDb(const QString& file) {
    QFile::remove(file);
    ExecOnFile(file, kFixtureSchema);
}

QString DemoDb() {
    static QTemporaryDir dir;
    static const QString file = [] {
        const QString path = dir.filePath("demo.db");
        // The CTest run builds the database once; each program works on its own copy, since
        // the windows write usage-log rows into it.
        const QString shared = qEnvironmentVariable("MORVANE_TEST_DEMO_DB");
        if (shared.isEmpty() || !QFile::copy(shared, path))
            demo::generateDemoDatabase(path.toStdString(), demo::DemoOptions{});
        return path;
    }();
    return file;
}

SpineHost::SpineHost(const QString& dbFile, TCreateDLLForm create)
    : create_(create), statements_(std::make_shared<std::vector<std::string>>()) {
    if (dbFile.isEmpty()) {
        dbFile_ = dir_.filePath("fixture.db");
        CreateFixtureDb(dbFile_);
    } else {
        dbFile_ = dbFile;
    }
    app = std::make_unique<host::HostApplication>(runner, errors, dir_.filePath("host"));
    mainForm = std::make_unique<host::HostMainForm>();
    connection = std::make_unique<TRemoteUdpConnection>();
    connection->OpenBackend(std::make_unique<RecordingBackend>(dbFile_.toStdString(), statements_));
}

SpineHost::~SpineHost() {
    mainForm.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* SpineHost::Open(const QString& window, const QString& user, const QString& listName) {
    if (!create_)
        throw std::logic_error("SpineHost without CreateDLLForm");
    const QByteArray u = user.toUtf8();
    const QByteArray l = listName.toUtf8();
    return create_(app.get(), 0, window, u.constData(), l.constData(), connection.get(),
                   mainForm.get());
}

std::vector<QString> SpineHost::Column(const QString& sql) {
    TRemoteUdpConnection side;
    side.OpenSqlite(dbFile_);
    TRemoteUdpDataSet ds;
    ds.setSetupUdpParent(&side);
    ds.SetSQL(sql);
    ds.Open();
    std::vector<QString> out;
    for (ds.First(); !ds.Eof(); ds.Next())
        out.push_back(ds.Fields(0)->AsString());
    return out;
}

std::vector<QString> SpineHost::SyslogRows() {
    return Column("select userno+'|'+modename+'|'+fstate from syslog order by autoid");
}

void SpineHost::WriteProgramFile(const QString& name, const QByteArray& text) {
    QFile f(QDir(dir_.path()).filePath(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("write");
    f.write(text);
}

}  // namespace morvane::test
