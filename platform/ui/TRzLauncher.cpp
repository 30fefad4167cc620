#include "platform/ui/TRzLauncher.h"

#include <stdexcept>

#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"

TRzLauncher::TRzLauncher(QObject* owner) : QObject(owner) {}

void TRzLauncher::Launch() {
    if (fileName_.isEmpty())
        throw std::runtime_error("The launcher has no file to open");
    if (action_.compare(QStringLiteral("Open"), Qt::CaseInsensitive) != 0)
        throw std::runtime_error("The launcher cannot \"" + action_.toStdString() + "\" " +
                                 fileName_.toStdString() + ": only \"Open\" is available");
    morvane::ui::Runner().Launch(fileName_);
}
