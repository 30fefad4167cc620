#include "platform/ui/HostServices.h"

#include <QTextStream>
#include <cstdio>
#include <stdexcept>

#include "platform/db/DatabaseError.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/ModalRunner.h"

namespace morvane::ui {

namespace {

THostApplication* currentApp = nullptr;

// Used only when no host has called yet: nothing may be lost silently.
class StderrErrorDisplay : public ErrorDisplay {
  public:
    void ShowException(const QString& message) override {
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    }
};

}  // namespace

THostApplication* Application() {
    return currentApp;
}

THostApplication* SetApplication(THostApplication* app) {
    THostApplication* previous = currentApp;
    currentApp = app;
    return previous;
}

ModalRunner& Runner() {
    if (!currentApp)
        throw std::logic_error("no host application: modal dialogs are unavailable");
    return currentApp->Runner();
}

ErrorDisplay& Errors() {
    static StderrErrorDisplay fallback;
    return currentApp ? currentApp->Errors() : fallback;
}

void ReportCurrentException() noexcept {
    QString message;
    try {
        throw;
    } catch (const EDatabaseError& e) {
        // The user reads first what went wrong, in the program's language; the server's own
        // words follow for whoever looks after the database.
        message = QStringLiteral("数据库操作失败，数据库返回的信息：\n") + QString::fromUtf8(e.what());
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("unknown exception");
    }
    try {
        Errors().ShowException(message);
    } catch (...) {
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    }
}

}  // namespace morvane::ui
