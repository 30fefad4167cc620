#include "platform/ui/TSaveDialog.h"

#include <QFileInfo>

#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"

TSaveDialog::TSaveDialog(QObject* owner) : QObject(owner) {}

bool TSaveDialog::Execute() {
    QString chosen = morvane::ui::Runner().SaveFileName(fileName_, filter_, defaultExt_);
    if (chosen.isEmpty())
        return false;
    // A name typed without an extension gets the default one, as the platform dialog does;
    // a name with any extension keeps it (the filter offers more than one type).
    if (!defaultExt_.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + defaultExt_;
    fileName_ = chosen;
    return true;
}
