#pragma once
// TSaveDialog: the save-file dialog of a window (SaveDialog1). Asks the host's modal runner for
// a file name to write; the host shows its own dialog, scripts answer from a queue. The dialog
// never asks before an existing file is chosen: the caller writes over it.
//
// Owned through its Qt parent (the window).

#include <QObject>
#include <QString>

class TSaveDialog : public QObject {
    Q_OBJECT
  public:
    explicit TSaveDialog(QObject* owner = nullptr);

    // Extension (without the dot) added to a chosen name that has none.
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& ext) { defaultExt_ = ext; }
    // Pairs "description|pattern" joined by "|": "excel(*.xls)|*.xls|excel 2007(*.xlsx)|*.xlsx".
    QString Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    // Before Execute: the name the dialog starts with (may be empty). After a confirmed
    // Execute: the chosen file.
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name) { fileName_ = name; }

    // Shows the dialog through morvane::ui::Runner(). True with FileName set when the user
    // chose a file; false, FileName unchanged, when the dialog was cancelled.
    bool Execute();

  private:
    QString defaultExt_;
    QString filter_;
    QString fileName_;
};
