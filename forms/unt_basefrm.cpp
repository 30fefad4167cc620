#include "forms/unt_basefrm.h"

#include <QFileInfo>
#include <memory>

#include "forms/WindowClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/Colors.h"
#include "session/totalpub1.h"

Tbase_frm::Tbase_frm(QWidget* parent) : TForm(parent) {
    SetCaption(QStringLiteral("base_frm"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, morvane::ui::ToQColor(morvane::ui::clBtnFace));
    pal.setColor(QPalette::WindowText, morvane::ui::ToQColor(morvane::ui::clWindowText));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(13);
    setFont(f);
    SetKeyPreview(true);
}

void Tbase_frm::FormCreate(QObject* Sender) {
    for (TRemoteUdpDataSet* ds : findChildren<TRemoteUdpDataSet*>()) {
        ds->Close();
        ds->setSetupUdpParent(pub_connection);
    }
    WriteUsageLog(Caption(), QString(), QStringLiteral("进入"));
    ReadRights(pub_listname);
}

void Tbase_frm::FormClose(QObject* Sender, TCloseAction& Action) {
    for (TRemoteUdpDataSet* ds : findChildren<TRemoteUdpDataSet*>())
        ds->Close();
    WriteUsageLog(Caption(), QString(), QStringLiteral("离开"));
    Action = morvane::ui::caFree;
    // Freed on close: the next open of the window's row creates a new one.
    morvane::forms::ReleaseInstance(this);
}

void Tbase_frm::ReadRights(const QString& listName) {
    UserRight.b_excel = false;
    auto ds = std::make_unique<TRemoteUdpDataSet>(morvane::session::ApplicationOwner());
    ds->Close();
    ds->setSetupUdpParent(pub_connection);
    ds->SetSQL(QStringLiteral("select top 1 a.* from dr_rightdetail a,dr_right b where "
                              "a.autoid=b.autoid\r"
                              "and(a.b_add=1 or a.b_edit=1 or a.b_del=1 or a.b_browse=1 or "
                              "a.b_posted=1 or a.b_print=1 or a.b_excel=1 or a.b_unposted=1)\r"
                              "and(a.groupid in(select fgroupid from usermainde where userno='") +
               pub_userno + "'" + "))and(b.listname=" + "'" + listName + "'" + ")");
    ds->Open();
    for (ds->First(); !ds->Eof(); ds->Next()) {
        if (ds->FieldByName(QStringLiteral("b_excel"))->AsBoolean())
            UserRight.b_excel = true;
    }
    ds->Close();
}

QString Tbase_frm::DataSetSQL(const QString& name) const {
    auto* ds = findChild<TRemoteUdpDataSet*>(name);
    return ds ? ds->SQL() : QString();
}

QString Tbase_frm::ResultText() const {
    return QString();
}

QString Tbase_frm::ExportResult(const QString& fileName) {
    return QStringLiteral("this window cannot write %1 files")
        .arg(QFileInfo(fileName).suffix().isEmpty() ? fileName
                                                    : "." + QFileInfo(fileName).suffix());
}
