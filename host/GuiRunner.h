#pragma once
// The GUI host's dialogs: real modal loops, message boxes, the save-file dialog, and the
// desktop's program for a file.

#include <QWidget>

#include "platform/ui/ModalRunner.h"

namespace morvane::host {

class GuiRunner : public ui::ModalRunner {
  public:
    explicit GuiRunner(QWidget* mainWindow = nullptr) : mainWindow_(mainWindow) {}
    void SetMainWindow(QWidget* w) { mainWindow_ = w; }

    int RunModal(ui::TForm& form) override;
    int MessageBox(const QString& caption, const QString& text, ui::MsgIcon icon,
                   int buttons) override;
    QString SaveFileName(const QString& initialName, const QString& filter,
                         const QString& defaultExt) override;
    // Hands the file to the desktop; the desktop does not say when the program ends, so this
    // returns at once.
    void Launch(const QString& file) override;

  private:
    QWidget* mainWindow_;
};

}  // namespace morvane::host
