#include "platform/ui/TcxButtonEdit.h"

#include <QAction>

TcxButtonEdit::TcxButtonEdit(QWidget* parent) : QLineEdit(parent) {
    button_ = addAction(QIcon(), QLineEdit::TrailingPosition);
    button_->setText(QStringLiteral("…"));
    button_->setToolTip(QStringLiteral("…"));
    connect(button_, &QAction::triggered, this, [this] { PressButton(0); });
}

void TcxButtonEdit::PressButton(int index) {
    if (!isEnabled())
        return;
    emit PropertiesButtonClick(index);
}
