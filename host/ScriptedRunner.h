#pragma once
// The modal runner of tests and of the headless host: modal forms are answered from a queue
// of scripted picks, message boxes are recorded and answered with their first button.

#include <QString>
#include <QStringList>
#include <deque>

#include "platform/ui/ModalRunner.h"

namespace morvane::host {

class ScriptedRunner : public ui::ModalRunner {
  public:
    struct Message {
        QString caption;
        QString text;
        ui::MsgIcon icon;
    };

    // The next modal form gets these codes ticked (through its ScriptTick) and is confirmed
    // with OK. An empty list confirms with nothing ticked.
    void QueuePick(const QStringList& codes);
    void ClearPicks() { picks_.clear(); }
    // The next save dialog answers this path ("" answers cancel).
    void QueueSaveName(const QString& path);

    int RunModal(ui::TForm& form) override;
    int MessageBox(const QString& caption, const QString& text, ui::MsgIcon icon,
                   int buttons) override;
    QString SaveFileName(const QString& initialName, const QString& filter,
                         const QString& defaultExt) override;
    void Launch(const QString& file) override;

    // Picks queued but not yet used.
    std::size_t PendingPicks() const { return picks_.size(); }
    // Captions of the forms shown modally, in order.
    QStringList formsShown;
    // Codes of scripted picks that matched no row of the form's list.
    QStringList unmatchedCodes;
    // Forms that could not be scripted (they have no ScriptTick).
    QStringList unscriptableForms;
    std::vector<Message> messages;
    QStringList launched;

  private:
    std::deque<QStringList> picks_;
    std::deque<QString> saveNames_;
};

}  // namespace morvane::host
