#include "host/MessageErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>

namespace morvane::host {

void MessageErrorDisplay::ShowException(const QString& message) {
    QMessageBox::critical(parent_, QApplication::applicationDisplayName(), message);
}

}  // namespace morvane::host
