#pragma once
// The host application object handed to the plug-in: the owner of what the plug-in creates
// "owned by the application", the program path, and the host's dialogs and error display.

#include <QObject>
#include <QString>

#include "platform/ui/HostInterface.h"

namespace morvane::host {

class HostApplication : public THostApplication {
  public:
    // The runner and the error display are not owned and must outlive this object. The
    // program path defaults to the running program.
    HostApplication(ui::ModalRunner& runner, ui::ErrorDisplay& errors, QString exeName = QString());
    ~HostApplication() override;

    QObject* Owner() override { return &owner_; }
    QString ExeName() const override { return exeName_; }
    ui::ModalRunner& Runner() override { return *runner_; }
    ui::ErrorDisplay& Errors() override { return *errors_; }

  private:
    QObject owner_;
    QString exeName_;
    ui::ModalRunner* runner_;
    ui::ErrorDisplay* errors_;
};

}  // namespace morvane::host
