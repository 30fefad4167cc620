#include "session/totalpub1.h"

#include <QDateTime>
#include <memory>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/HostServices.h"

TRemoteUdpConnection* pub_connection = nullptr;
THostMainForm* pub_mainform = nullptr;
QString pub_userno;
QString pub_listname;
TcxStyle* pub_gridstyle = nullptr;
int pub_fontsize = 0;
int pub_sizecount = 0;
bool pub_clientall = false;
QString pub_clientcodes;
bool pub_houseall = false;
QString pub_housecodes;
bool pub_brandall = false;
QString pub_brandcodes;

namespace morvane::session {

QObject* ApplicationOwner() {
    THostApplication* app = ui::Application();
    return app ? app->Owner() : nullptr;
}

void ResetSession() {
    pub_connection = nullptr;
    pub_mainform = nullptr;
    pub_userno.clear();
    pub_listname.clear();
    pub_gridstyle = nullptr;
    pub_fontsize = 0;
    pub_sizecount = 0;
    pub_clientall = false;
    pub_clientcodes.clear();
    pub_houseall = false;
    pub_housecodes.clear();
    pub_brandall = false;
    pub_brandcodes.clear();
}

}  // namespace morvane::session

namespace {

std::unique_ptr<TRemoteUdpDataSet> temporaryDataSet() {
    return std::make_unique<TRemoteUdpDataSet>(morvane::session::ApplicationOwner());
}

QString quoted(const QString& code) {
    return "'" + code + "',";
}

void dropTrailingComma(QString& list) {
    if (list.endsWith(','))
        list.chop(1);
}

}  // namespace

void OpenQuery(TRemoteUdpDataSet* dataSet, const QString& sql) {
    dataSet->Close();
    dataSet->setSetupUdpParent(pub_connection);
    dataSet->SetSQL(sql);
    dataSet->Open();
}

void ExecCommand(const QString& sql) {
    auto dataSet = temporaryDataSet();
    dataSet->setSetupUdpParent(pub_connection);
    dataSet->Close();
    dataSet->SetSQL(sql);
    dataSet->ExecSQL();
    dataSet->Close();
}

void LoadUserScope() {
    // Filled once per data module; starting from the initial values keeps a second module
    // (after the host freed the first with its application) from adding to the old lists.
    pub_clientall = pub_houseall = pub_brandall = false;
    pub_clientcodes.clear();
    pub_housecodes.clear();
    pub_brandcodes.clear();
    auto ds = temporaryDataSet();

    OpenQuery(ds.get(),
              "select fclientcode,isnull(fstockbit,0) fstockbit  from userclient "
              "where fgroupid='" +
                  pub_userno + "'");
    if (ds->GetRecordCount() == 0) {
        pub_clientall = true;
    } else {
        pub_clientall = false;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            if (!ds->FieldByName("fstockbit")->AsBoolean()) {
                pub_clientcodes += quoted(ds->Fields(0)->AsString());
            }
        }
        dropTrailingComma(pub_clientcodes);
    }

    OpenQuery(ds.get(), "select fbrand from userbrand where fgroupid='" + pub_userno + "'");
    if (ds->GetRecordCount() == 0) {
        pub_brandall = true;
    } else {
        pub_brandall = false;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            pub_brandcodes += quoted(ds->Fields(0)->AsString());
        }
        dropTrailingComma(pub_brandcodes);
        if (pub_brandcodes.isEmpty())
            pub_brandall = true;
    }

    OpenQuery(ds.get(), "select * from userhouse where fgroupid='" + pub_userno + "'");
    if (ds->GetRecordCount() == 0) {
        pub_houseall = true;
    } else {
        pub_houseall = false;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            if (!ds->FieldByName("fstockbit")->AsBoolean()) {
                pub_housecodes += quoted(ds->FieldByName("fhousecode")->AsString());
            }
        }
        dropTrailingComma(pub_housecodes);
    }
    ds->Close();
}

void WriteUsageLog(const QString& modeName, const QString& billId, const QString& state) {
    const QString clientName;  // never filled in by this plug-in
    const QDateTime now = QDateTime::currentDateTime();
    const QString sql = QStringLiteral(
                            "insert into syslog(logindate,begintime,userno,clientname,modename,"
                            "fbillid,fstate)values('") +
                        now.date().toString(QStringLiteral("yyyy-MM-dd")) + "'" + "," + "'" +
                        now.time().toString(QStringLiteral("HH:mm:ss")) + "'" + "," + "'" +
                        pub_userno + "'" + "," + QChar(13) + "'" + clientName + "'" + "," + "'" +
                        modeName + "'" + "," + "'" + billId + "'" + "," + "'" + state + "'" + ")";
    ExecCommand(sql);
}

QString ColumnLetter(int n) {
    const int q = (n + 25) / 26;
    const int r = (n + 25) % 26;
    QString result;
    if (q != 1)
        result += QChar(q + 63);
    result += QChar(r + 65);
    return result;
}
