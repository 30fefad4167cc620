#pragma once
// TGetDataRun: runs a report window's statement off the user-interface thread. While it runs,
// the window shows that it is working: a wait cursor over it, the get-data action and the
// controls given to SetLocked disabled, a line with the time spent so far, and a cancel button
// ("取消", or Esc) that interrupts the statement through the connection (SQLite's interrupt,
// ODBC's cancel). Everything else keeps working meanwhile: the host's menu, the other windows,
// and this window's grid with the previous result.
//
// Fetch returns only when the rows are in, so the get-data action stays one synchronous step
// for whoever triggers it (a user, a script, the headless host, a test) and the window's
// handlers see the get-data contract's order of events unchanged: the statement first, then
// closing and opening the dataset and laying out the pivot, all at once. A cancelled statement
// therefore leaves the window exactly as it was: previous result, filter state and controls.
//
// Closing the window while its statement runs cancels the statement; the window closes as soon
// as the statement has stopped.
//
// Owned by the window (a child of it); the controls it makes are children of the window too:
// ac_cancel, bit_cancel and lab_GetDataState, which the window places.

#include <QCursor>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

#include "platform/db/ResultTable.h"

class QAction;
class QLabel;
class QPushButton;
class QWidget;
class TRemoteUdpConnection;

class TGetDataRun : public QObject {
    Q_OBJECT
  public:
    // `window` is the report window and `getData` its get-data action (a child of it).
    TGetDataRun(QWidget* window, QAction* getData);
    ~TGetDataRun() override;

    // Controls disabled while a statement runs; each gets its own enabled state back after it.
    void SetLocked(const QList<QWidget*>& widgets) { locked_ = widgets; }

    QLabel* StateLabel() const { return state_; }
    QPushButton* CancelButton() const { return cancelButton_; }

    // Runs the statement on the connection on a worker thread and returns its rows once they
    // are in, the window's events flowing meanwhile. Nothing (and the window as it was) when
    // the user cancelled or asked to close the window. The statement's error is thrown here,
    // on the caller's thread. Called again while a statement runs, it returns nothing at once.
    std::optional<morvane::db::ResultTable> Fetch(TRemoteUdpConnection* connection,
                                                  const QString& sql);
    // After the rows are laid out: "共 N 行，用时 S 秒" on the state line.
    void ShowDone(int rows);
    // After a statement failed: the state line is cleared.
    void ShowFailed();

    bool Running() const { return running_; }
    // Cancels the running statement (nothing when none runs).
    void Cancel();
    // Seconds the last statement took (until its rows were in or it stopped).
    double LastSeconds() const { return lastSeconds_; }

  signals:
    // A statement started or stopped running (after the window's look changed with it).
    void runningChanged(bool running);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Worker;
    void lockWindow();
    void unlockWindow();
    void tick();

    QPointer<QWidget> window_;
    QPointer<QAction> getData_;
    QAction* cancelAction_;
    QPushButton* cancelButton_;
    QLabel* state_;
    QList<QWidget*> locked_;
    QList<bool> lockedWasEnabled_;
    bool getDataWasEnabled_ = true;
    bool hadCursor_ = false;
    QCursor cursorBefore_;
    QPointer<QWidget> focusBefore_;
    QString stateBefore_;
    Worker* worker_ = nullptr;  // the run in progress (lives on Fetch's stack)
    QElapsedTimer clock_;
    double lastSeconds_ = 0;
    bool running_ = false;
    bool closeRequested_ = false;
};
