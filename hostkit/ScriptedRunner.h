#pragma once
// The modal runner of tests and of the headless host: modal forms are answered from a queue
// of scripted picks, message boxes are recorded and answered with their first button.

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/ui/ModalRunner.h"

namespace morvane::host {

class ScriptedRunner : public ui::ModalRunner {
  public:
    struct Message {
        QString caption;
        QString text;
        ui::MsgIcon icon;
    };
    struct Preview {
        QString caption;
        QString title;  // the link's report title text
        int pageCount = 0;
        QString pdf;  // the file the pages went to, "" when none was queued
    };

    // The next modal form gets these codes ticked (through its ScriptTick) and is confirmed
    // with OK. An empty list confirms with nothing ticked.
    void QueuePick(const QStringList& codes);
    void ClearPicks() { picks_.clear(); }
    // The next save dialog answers this path ("" answers cancel).
    void QueueSaveName(const QString& path);
    // The next print preview writes its pages to this PDF file (as printing would).
    void QueuePreviewPdf(const QString& path);

    int RunModal(ui::TForm& form) override;
    int MessageBox(const QString& caption, const QString& text, ui::MsgIcon icon,
                   int buttons) override;
    QString SaveFileName(const QString& initialName, const QString& filter,
                         const QString& defaultExt) override;
    void Launch(const QString& file) override;
    // Records the preview (caption, title, page count) and writes the pages to the next queued
    // PDF file, if any; the link's errors pass on.
    void PrintPreview(TBasedxReportLink& link) override;

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
    std::vector<Preview> previews;

  private:
    std::deque<QStringList> picks_;
    std::deque<QString> saveNames_;
    std::deque<QString> previewPdfs_;
};

}  // namespace morvane::host
