#include "forms/unt_basefrmTop.h"

#include <QSet>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/ErrorDisplay.h"

Tbase_frmTop::Tbase_frmTop(QWidget* parent) : Tbase_frm(parent) {
    SetCaption(QStringLiteral("base_frmTop"));
    SetBorderStyle(morvane::ui::bsDialog);
    SetFormStyle(morvane::ui::fsStayOnTop);
}

void Tbase_frmTop::FormKeyPress(QObject* Sender, QChar& Key) {
    if (Key == QChar(13)) {
        Key = QChar(0);
        SelectNextControl();
    }
}

QStringList Tbase_frmTop::ScriptTick(const QStringList& codes) {
    QStringList missing = codes;
    morvane::ui::Guarded([&] {
        PrepareScriptedPick();
        auto* table = findChild<TRemoteUdpDataSet*>(QStringLiteral("Goods_Table"));
        if (!table || !table->Active())
            return;
        const QSet<QString> wanted(codes.begin(), codes.end());
        table->DisableControls();
        for (table->First(); !table->Eof(); table->Next()) {
            const QString code = table->FieldByName(PickCodeColumn())->AsString();
            if (!wanted.contains(code))
                continue;
            table->Edit();
            table->FieldByName(QStringLiteral("checkid"))->SetAsInteger(1);
            table->Post();
            missing.removeAll(code);
        }
        table->First();
        table->EnableControls();
    });
    return missing;
}
