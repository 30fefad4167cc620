#include "host/MessageErrorDisplay.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace morvane::host {

void MessageErrorDisplay::ShowException(const QString& message) {
    if (unattended_) {
        std::fprintf(stderr, "morvane-host: %s\n", message.toUtf8().constData());
        return;
    }
    QMessageBox::critical(parent_, QApplication::applicationDisplayName(), message);
}

}  // namespace morvane::host
