#pragma once
// Drives an open window the way a user would, through Qt's own widget classes and methods
// reached by name (the window's classes live in the plug-in): set a control, press an edit's
// button to run a picker exchange, trigger the get-data action, read the result, close.
// Every method throws std::runtime_error when the window has no such control or action.

#include <QPointer>
#include <QString>
#include <QStringList>

#include "hostkit/ScriptedRunner.h"

class QWidget;

namespace morvane::host {

// Sets the window's control of that name as WindowDriver::Set does.
void SetControl(QWidget* window, const QString& control, const QString& value);

class WindowDriver {
  public:
    WindowDriver(QWidget* window, ScriptedRunner& runner);

    // Check boxes take 0 or 1 (a change is a click, so the box's handler runs); date edits
    // YYYY-MM-DD; spin edits a number; edits and combo boxes a text.
    void Set(const QString& control, const QString& value);
    // Presses the button of the edit; the picker it opens gets the codes ticked and is
    // confirmed with OK (no codes: nothing ticked).
    void Pick(const QString& edit, const QStringList& codes);
    // Triggers the action ac_GetData.
    void GetData();
    // The window's result as tab-separated lines.
    QString ResultText() const;
    // The statement text of the window's report dataset (UDPDB_Report).
    QString StatementText() const;
    // Writes the result to a file by its extension (.tsv here; others by the window).
    void Export(const QString& fileName) const;
    // Closes the window as its close box does; true when it went away.
    bool Close();

    QWidget* Window() const { return window_; }

  private:
    QWidget* control(const QString& name) const;

    QPointer<QWidget> window_;
    ScriptedRunner& runner_;
};

}  // namespace morvane::host
