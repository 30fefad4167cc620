#pragma once
// An error display that keeps the messages (tests, the headless host).

#include <QStringList>

#include "platform/ui/ErrorDisplay.h"

namespace morvane::host {

class RecordedErrors : public ui::ErrorDisplay {
  public:
    void ShowException(const QString& message) override { messages.append(message); }
    QStringList messages;
};

}  // namespace morvane::host
