#pragma once
// The GUI host's dialogs: real modal loops, message boxes, the save-file dialog, the print
// preview, and the desktop's program for a file.

#include <QList>
#include <QStringList>
#include <QWidget>

#include "platform/ui/ModalRunner.h"

namespace morvane::host {

class GuiRunner : public ui::ModalRunner {
  public:
    explicit GuiRunner(QWidget* mainWindow = nullptr) : mainWindow_(mainWindow) {}
    void SetMainWindow(QWidget* w) { mainWindow_ = w; }
    // Nobody at the screen (a screenshot run): a message box goes to standard error and
    // answers with its first button instead of waiting for a click.
    void SetUnattended(bool on) { unattended_ = on; }

    // A modal form runs its own loop, unless a pick is queued: then it gets those codes ticked
    // (through its ScriptTick, as `morvane run --pick` does) and is confirmed with OK.
    int RunModal(ui::TForm& form) override;
    void QueuePick(const QStringList& codes) { picks_.append(codes); }
    int MessageBox(const QString& caption, const QString& text, ui::MsgIcon icon,
                   int buttons) override;
    QString SaveFileName(const QString& initialName, const QString& filter,
                         const QString& defaultExt) override;
    // Opens the file with the program registered for its type and waits, processing events,
    // until that program ends. Without a registered program (or when it cannot start) a message
    // names the file so that the user can open it by hand.
    void Launch(const QString& file) override;
    // A modal print preview over a printer set to the link's page; printing, page set-up and
    // the orientation are reached from it, and the link follows a changed page set-up. Its
    // tool bar also switches "适合页宽" (the report shrunk to the paper's width).
    void PrintPreview(TBasedxReportLink& link) override;

  private:
    QWidget* mainWindow_;
    QList<QStringList> picks_;
    bool unattended_ = false;
};

}  // namespace morvane::host
