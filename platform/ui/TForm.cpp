#include "platform/ui/TForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMdiSubWindow>

#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"

namespace morvane::ui {

QFont FontOfSize(QFont font, int size) {
    if (size > 0) {
        font.setPointSize(size);
    } else if (size < 0) {
        font.setPixelSize(-size);
    } else {
        const QFont standard = QApplication::font();
        if (standard.pixelSize() > 0)
            font.setPixelSize(standard.pixelSize());
        else
            font.setPointSizeF(standard.pointSizeF());
    }
    return font;
}

TForm::TForm(QWidget* parent) : QWidget(parent) {}

TForm::~TForm() {
    if (modalLoop_)
        modalLoop_->quit();
}

void TForm::SetFormStyle(TFormStyle style) {
    formStyle_ = style;
    setWindowFlag(Qt::WindowStaysOnTopHint, style == fsStayOnTop);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    if (style == bsDialog) {
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    }
}

void TForm::SetKeyPreview(bool on) {
    if (on == keyPreview_)
        return;
    keyPreview_ = on;
    // Key events go to the focused control first; an application filter lets the form see
    // them before the control does.
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool TForm::Create() {
    if (created_)
        return true;
    created_ = true;
    return Guarded([this] { DoCreate(); });
}

void TForm::SetModalResult(int result) {
    modalResult_ = result;
    if (result != mrNone && modalLoop_)
        modalLoop_->quit();
}

int TForm::ShowModal() {
    return Runner().RunModal(*this);
}

int TForm::ExecModal() {
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    for (;;) {
        QEventLoop loop;
        modalLoop_ = &loop;
        loop.exec(QEventLoop::DialogExec);
        modalLoop_ = nullptr;
        // A close action of caNone keeps the form up and the loop running.
        if (CloseModal(modalResult_ == mrNone ? int(mrCancel) : modalResult_) != mrNone)
            break;
    }
    return modalResult_;
}

int TForm::CloseModal(int result) {
    modalResult_ = result;
    TCloseAction action = caHide;
    if (!runClose(action) || action == caNone) {
        modalResult_ = mrNone;
        return modalResult_;
    }
    hide();
    if (action == caFree)
        Release();
    return modalResult_;
}

void TForm::Release() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame) {
        frame->deleteLater();
    } else {
        deleteLater();
    }
}

bool TForm::runClose(TCloseAction& action) {
    return Guarded([&] { DoClose(action); });
}

void TForm::closeEvent(QCloseEvent* event) {
    if (modalLoop_) {
        // The close box of a modal form: the loop ends with "cancel" and CloseModal runs the
        // close event once.
        event->ignore();
        SetModalResult(mrCancel);
        return;
    }
    TCloseAction action = formStyle_ == fsMDIChild ? caMinimize : caHide;
    if (!runClose(action) || action == caNone) {
        event->ignore();
        return;
    }
    switch (action) {
        case caFree:
            event->accept();
            Release();
            break;
        case caMinimize:
            event->ignore();
            if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
                frame->showMinimized();
            } else {
                showMinimized();
            }
            break;
        default:
            event->accept();
            break;
    }
}

bool TForm::dispatchKey(QKeyEvent* event) {
    int key = event->key();
    DoKeyDown(key, event->modifiers());
    if (key == 0)
        return true;
    QChar ch;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ch = QChar(13);
    } else if (!event->text().isEmpty()) {
        ch = event->text().at(0);
    } else {
        return false;
    }
    DoKeyPress(ch);
    return ch.isNull();
}

void TForm::keyPressEvent(QKeyEvent* event) {
    // Without preview the form sees the keys its controls leave unhandled.
    if (!keyPreview_ && dispatchKey(event))
        return;
    QWidget::keyPressEvent(event);
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    // The application filter sees the event once per widget it propagates through; act only
    // on its first receiver, and only for keys meant for this form.
    QWidget* focus = QApplication::focusWidget();
    if (target != (focus ? focus : this))
        return false;
    if (target != this && !isAncestorOf(target))
        return false;
    return dispatchKey(static_cast<QKeyEvent*>(event));
}

}  // namespace morvane::ui
