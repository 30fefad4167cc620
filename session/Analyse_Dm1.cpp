#include "session/Analyse_Dm1.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/Colors.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/TcxStyle.h"
#include "session/IniFile.h"
#include "session/totalpub1.h"

TAnalyse_Dm* Analyse_Dm = nullptr;

namespace {

const QString kDefaultColour = QStringLiteral("$00E8F3D3");

// The integer of the text, or the fallback when it is not one.
int StrToIntDef(const QString& text, int fallback) {
    bool ok = false;
    const QString s = text.trimmed();
    const int value = s.startsWith('$') ? s.mid(1).toInt(&ok, 16) : s.toInt(&ok, 10);
    return ok ? value : fallback;
}

}  // namespace

TAnalyse_Dm::TAnalyse_Dm(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("Analyse_Dm"));
}

TAnalyse_Dm::~TAnalyse_Dm() {
    if (Analyse_Dm == this)
        Analyse_Dm = nullptr;
}

bool TAnalyse_Dm::Create() {
    return morvane::ui::Guarded([this] { DataModuleCreate(this); });
}

QString TAnalyse_Dm::ProgramFolder() {
    THostApplication* app = morvane::ui::Application();
    return app ? QFileInfo(app->ExeName()).absolutePath() : QDir::currentPath();
}

void TAnalyse_Dm::DataModuleCreate(QObject* Sender) {
    LoadColourSettings();
    pub_gridstyle = new TcxStyle(morvane::session::ApplicationOwner());
    QObject::connect(pub_gridstyle, &QObject::destroyed, [style = pub_gridstyle] {
        if (pub_gridstyle == style)
            pub_gridstyle = nullptr;
    });
    pub_gridstyle->SetColor(morvane::ui::StringToColor(fRzbutcolor));
    LoadSoftConfig();
    LoadUserScope();
}

void TAnalyse_Dm::LoadColourSettings() {
    fRzbutcolor = kDefaultColour;
    const QString file = QDir(ProgramFolder()).filePath(QStringLiteral("colorConfig.ini"));
    if (!QFileInfo::exists(file))
        return;
    fRzbutcolor = TIniFile(file).ReadString("fcolor", "fRzbutcolor", kDefaultColour);
}

void TAnalyse_Dm::LoadSoftConfig() {
    const QString file = QDir(ProgramFolder()).filePath(QStringLiteral("softconfig.ini"));
    if (!QFileInfo::exists(file))
        return;
    pub_fontsize = StrToIntDef(TIniFile(file).ReadString("config", "fontsize", "10"), 10);

    auto ds = std::make_unique<TRemoteUdpDataSet>(morvane::session::ApplicationOwner());
    OpenQuery(ds.get(), "select max(displayindex) as scount from ba_size");
    pub_sizecount = 0;
    if (ds->GetRecordCount() > 0 && ds->Fields(0)->AsInteger() != 0) {
        pub_sizecount = ds->Fields(0)->AsInteger();
    }
    ds->Close();
}
