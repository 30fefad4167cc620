#include "platform/ui/TcxButtonEdit.h"

#include <QKeyEvent>
#include <algorithm>
#include <QStyle>
#include <QToolButton>

TcxButtonEdit::TcxButtonEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    button_ = new QToolButton(this);
    button_->setObjectName(QStringLiteral("button"));
    button_->setText(QStringLiteral("…"));
    button_->setToolTip(QStringLiteral("选择… (F4)"));
    button_->setCursor(Qt::ArrowCursor);
    // The edit keeps the focus; the button is reached with F4 or Alt+Down.
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QToolButton::clicked, this, [this] { PressButton(0); });
    placeButton();
}

void TcxButtonEdit::PressButton(int index) {
    if (!isEnabled())
        return;
    emit PropertiesButtonClick(index);
}

void TcxButtonEdit::SetChosen(const QStringList& codes, const QStringList& names) {
    constexpr int kHintLines = 20;
    codes_ = codes;
    names_ = names;
    QStringList hint;
    for (int i = 0; i < codes.size() && i < kHintLines; ++i) {
        const QString name = names.value(i);
        hint << (name.isEmpty() ? codes[i] : codes[i] + "  " + name);
    }
    if (codes.size() > kHintLines)
        hint << QStringLiteral("… 共 %1 项").arg(codes.size());
    setToolTip(codes.isEmpty() ? QStringLiteral("不限（全部）") : hint.join(QLatin1Char('\n')));
}

void TcxButtonEdit::keyPressEvent(QKeyEvent* event) {
    const bool f4 = event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier;
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if (f4 || altDown) {
        PressButton(0);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TcxButtonEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeButton();
}

void TcxButtonEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeButton();
}

void TcxButtonEdit::placeButton() {
    // Inside the frame at the right, as high as the text area, about as wide as it is high.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int h = std::max(8, height() - 2 * frame);
    const int w = std::max(h, fontMetrics().horizontalAdvance(button_->text()) + 10);
    button_->setGeometry(width() - frame - w, frame, w, h);
    setTextMargins(0, 0, w, 0);
}
