#pragma once
// Tbase_frm: the ancestor of every window the plug-in opens, report windows and pickers alike.
// Its creation attaches the window's remote datasets to the host's connection, writes the
// "进入" usage-log row and reads the window's rights under pub_listname; its close closes the
// datasets, writes "离开", frees the window and empties the instance variable of its row.
//
// Handlers are replaced by name: a descendant overrides FormCreate / FormClose and calls the
// base version explicitly where it extends it (first, before its own steps).

#include <QString>
#include <QStringList>

#include "platform/ui/TForm.h"

using morvane::ui::TCloseAction;

// The window's permissions as read by the rights lookup.
struct TUserRight {
    bool b_excel = false;  // Excel output allowed
};

class Tbase_frm : public morvane::ui::TForm {
    Q_OBJECT
  public:
    // Design-time settings: caption "base_frm", colour clBtnFace, font 宋体 13 px, KeyPreview.
    // The layout is built here; the creation event runs later, from Create().
    explicit Tbase_frm(QWidget* parent = nullptr);

    virtual void FormCreate(QObject* Sender);
    virtual void FormClose(QObject* Sender, TCloseAction& Action);

    // Reads the rights of the signed-in user's groups for the list name into UserRight.
    void ReadRights(const QString& listName);

    TUserRight UserRight;

    // For scripts and the headless host, reached by name across the library boundary:
    // the statement text of the dataset with that object name ("" when there is none).
    Q_INVOKABLE QString DataSetSQL(const QString& name) const;
    // The window's result as tab-separated lines; a null text when the window shows none.
    Q_INVOKABLE virtual QString ResultText() const;
    // Writes the window's result to the file (type by its extension). Returns "" on success,
    // otherwise the reason it could not.
    Q_INVOKABLE virtual QString ExportResult(const QString& fileName);

  protected:
    void DoCreate() override { FormCreate(this); }
    void DoClose(TCloseAction& action) override { FormClose(this, action); }
};
