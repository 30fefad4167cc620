#include "hostkit/HostApplication.h"

#include <QCoreApplication>

#include "platform/ui/HostServices.h"

namespace morvane::host {

HostApplication::HostApplication(ui::ModalRunner& runner, ui::ErrorDisplay& errors, QString exeName)
    : exeName_(exeName.isEmpty() ? QCoreApplication::applicationFilePath() : exeName),
      runner_(&runner),
      errors_(&errors) {
    // The host's own copy of the platform code reports through the same services.
    ui::SetApplication(this);
}

HostApplication::~HostApplication() {
    if (ui::Application() == this)
        ui::SetApplication(nullptr);
}

}  // namespace morvane::host
