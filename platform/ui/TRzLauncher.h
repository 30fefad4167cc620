#pragma once
// TRzLauncher: opens a file with the program registered for its type (RzLauncher1 of a window)
// through the host's modal runner, which waits until that program has ended while the host
// keeps processing its window messages. Scripts record the file and open nothing.
//
// Owned through its Qt parent (the window).

#include <QObject>
#include <QString>

class TRzLauncher : public QObject {
    Q_OBJECT
  public:
    explicit TRzLauncher(QObject* owner = nullptr);

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name) { fileName_ = name; }
    // The verb the file is opened with; "Open" is the only one the host offers.
    QString Action() const { return action_; }
    void SetAction(const QString& action) { action_ = action; }

    // Opens FileName and returns when the program has ended. Throws std::runtime_error for an
    // empty FileName or a verb other than "Open".
    void Launch();

  private:
    QString fileName_;
    QString action_ = QStringLiteral("Open");
};
