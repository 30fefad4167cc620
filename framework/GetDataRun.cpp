#include "framework/GetDataRun.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpConnection.h"

namespace {

// How often the state line counts on, and how often a cancel is repeated until the statement
// has stopped (an interrupt that reaches the database before the statement does is lost).
constexpr int kTickMs = 100;

QString Seconds(double seconds) {
    return QString::number(seconds, 'f', seconds < 10 ? 1 : 0);
}

}  // namespace

// One statement in progress. Lives on Fetch's stack; the worker thread touches only the
// connection, the ticket, the result and `done`, and is joined before Fetch returns.
struct TGetDataRun::Worker {
    TRemoteUdpConnection* connection = nullptr;
    TStatementTicket ticket;
    std::atomic<bool> done{false};
    std::optional<morvane::db::ResultTable> rows;
    std::exception_ptr error;
    bool cancelled = false;  // the user's thread only
};

TGetDataRun::TGetDataRun(QWidget* window, QAction* getData)
    : QObject(window), window_(window), getData_(getData) {
    cancelAction_ = new QAction(QStringLiteral("取消"), window);
    cancelAction_->setObjectName(QStringLiteral("ac_cancel"));
    cancelAction_->setShortcut(Qt::Key_Escape);
    cancelAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    cancelAction_->setEnabled(false);
    window->addAction(cancelAction_);
    connect(cancelAction_, &QAction::triggered, this, &TGetDataRun::Cancel);

    cancelButton_ = new QPushButton(cancelAction_->text(), window);
    cancelButton_->setObjectName(QStringLiteral("bit_cancel"));
    cancelButton_->setToolTip(QStringLiteral("停止正在运行的统计 (Esc)"));
    // The window shows a wait cursor while the statement runs; the way out does not.
    cancelButton_->setCursor(Qt::ArrowCursor);
    cancelButton_->setFocusPolicy(Qt::NoFocus);
    cancelButton_->setVisible(false);
    connect(cancelButton_, &QPushButton::clicked, cancelAction_, &QAction::trigger);

    state_ = new QLabel(window);
    state_->setObjectName(QStringLiteral("lab_GetDataState"));

    window->installEventFilter(this);
}

TGetDataRun::~TGetDataRun() = default;

std::optional<morvane::db::ResultTable> TGetDataRun::Fetch(TRemoteUdpConnection* connection,
                                                           const QString& sql) {
    if (running_)
        return std::nullopt;
    if (!connection)
        throw EDatabaseError("the dataset has no connection (setSetupUdpParent was not called)");
    if (!connection->Connected())
        throw EDatabaseError("the dataset's connection is not open");

    Worker work;
    work.connection = connection;
    QEventLoop loop;
    // The worker wakes the loop through an event to this object; events still queued for it
    // when it goes (the loop already left) go with it.
    QObject waker;
    worker_ = &work;
    running_ = true;
    closeRequested_ = false;
    clock_.start();
    lockWindow();
    QTimer ticker;
    ticker.setInterval(kTickMs);
    connect(&ticker, &QTimer::timeout, this, &TGetDataRun::tick);
    ticker.start();
    emit runningChanged(true);

    std::thread thread([&work, &waker, &loop, connection, sql] {
        try {
            work.rows = connection->Query(sql, work.ticket);
        } catch (...) {
            work.error = std::current_exception();
        }
        work.done = true;
        QMetaObject::invokeMethod(&waker, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    if (!work.done)
        loop.exec();
    if (!work.done) {
        // The application is ending its event loops: stop the statement and wait for it.
        work.cancelled = true;
        while (!work.done) {
            connection->Cancel(work.ticket);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    thread.join();

    ticker.stop();
    lastSeconds_ = static_cast<double>(clock_.elapsed()) / 1000.0;
    worker_ = nullptr;
    running_ = false;
    unlockWindow();
    emit runningChanged(false);

    if (work.cancelled || closeRequested_) {
        if (closeRequested_ && window_) {
            QPointer<QWidget> window = window_;
            QTimer::singleShot(0, window, [window] {
                if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
                    frame->close();
                else
                    window->close();
            });
        }
        return std::nullopt;
    }
    if (work.error)
        std::rethrow_exception(work.error);
    return std::move(work.rows);
}

void TGetDataRun::Cancel() {
    if (!worker_ || worker_->cancelled)
        return;
    worker_->cancelled = true;
    worker_->connection->Cancel(worker_->ticket);
    state_->setText(QStringLiteral("正在取消…"));
}

void TGetDataRun::tick() {
    if (!worker_)
        return;
    if (worker_->cancelled) {
        worker_->connection->Cancel(worker_->ticket);
        return;
    }
    state_->setText(QStringLiteral("正在统计… 已用 %1 秒")
                        .arg(Seconds(static_cast<double>(clock_.elapsed()) / 1000.0)));
}

void TGetDataRun::ShowDone(int rows) {
    state_->setText(QStringLiteral("共 %1 行，用时 %2 秒")
                        .arg(rows)
                        .arg(QString::number(lastSeconds_, 'f', 2)));
}

void TGetDataRun::ShowFailed() {
    state_->clear();
}

void TGetDataRun::lockWindow() {
    if (!window_)
        return;
    focusBefore_ = QApplication::focusWidget();
    if (focusBefore_ && !window_->isAncestorOf(focusBefore_))
        focusBefore_ = nullptr;
    hadCursor_ = window_->testAttribute(Qt::WA_SetCursor);
    cursorBefore_ = window_->cursor();
    window_->setCursor(Qt::WaitCursor);
    if (getData_) {
        getDataWasEnabled_ = getData_->isEnabled();
        getData_->setEnabled(false);
    }
    lockedWasEnabled_.clear();
    for (QWidget* w : locked_) {
        // A control's own setting, not the one it inherits: the Excel button may be off by
        // the user's rights and must stay so.
        lockedWasEnabled_ << !w->testAttribute(Qt::WA_ForceDisabled);
        w->setEnabled(false);
    }
    stateBefore_ = state_->text();
    state_->setText(QStringLiteral("正在统计…"));
    cancelAction_->setEnabled(true);
    cancelButton_->setVisible(true);
}

void TGetDataRun::unlockWindow() {
    if (!window_)
        return;
    cancelButton_->setVisible(false);
    cancelAction_->setEnabled(false);
    state_->setText(stateBefore_);
    for (int i = 0; i < locked_.size(); ++i)
        locked_[i]->setEnabled(lockedWasEnabled_.value(i, true));
    if (getData_)
        getData_->setEnabled(getDataWasEnabled_);
    if (hadCursor_)
        window_->setCursor(cursorBefore_);
    else
        window_->unsetCursor();
    if (focusBefore_ && focusBefore_->isEnabled() && focusBefore_->isVisible())
        focusBefore_->setFocus(Qt::OtherFocusReason);
}

bool TGetDataRun::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && running_) {
        // The window cannot go while its statement runs on its behalf: the statement stops
        // first, and the window closes when Fetch has returned.
        closeRequested_ = true;
        Cancel();
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
