#pragma once
// The one way the plug-in shows anything modal or leaves the process: modal forms, message
// boxes, the save-file dialog, the print preview and the program launcher. The GUI host answers with real
// dialogs; tests and the headless host answer from a script and record what was asked.

#include <QString>

class TBasedxReportLink;

namespace morvane::ui {

class TForm;

enum class MsgIcon { Information, Warning, Error, Question };

// Buttons of a message box, as flags; the answer is one of them.
enum MsgButton : int { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };

class ModalRunner {
  public:
    virtual ~ModalRunner() = default;
    // Shows the form modally and returns its modal result (0 none, 1 OK, 2 cancel, ...).
    // Implementations end the modal state with TForm::CloseModal so that the form's close
    // handler runs as it does after a real modal loop.
    virtual int RunModal(TForm& form) = 0;
    // Shows a message box; `buttons` is a bit set of MsgButton values (mbOK alone for a
    // plain message). Returns the button chosen.
    virtual int MessageBox(const QString& caption, const QString& text, MsgIcon icon,
                           int buttons) = 0;
    // Asks for a file to write. Returns the chosen path, or an empty text when cancelled.
    virtual QString SaveFileName(const QString& initialName, const QString& filter,
                                 const QString& defaultExt) = 0;
    // Opens the file with the program associated with its type and waits until it ends.
    virtual void Launch(const QString& file) = 0;
    // Shows the print preview of a report link and returns when it is closed. Printing and page
    // set-up are reached from the preview; a page set-up changes the link's page.
    virtual void PrintPreview(TBasedxReportLink& link) = 0;
};

}  // namespace morvane::ui
