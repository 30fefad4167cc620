#pragma once
// The GUI host's standard error display: a message box with the exception's text.

#include <QWidget>

#include "platform/ui/ErrorDisplay.h"

namespace morvane::host {

class MessageErrorDisplay : public ui::ErrorDisplay {
  public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void ShowException(const QString& message) override;

  private:
    QWidget* parent_ = nullptr;
};

}  // namespace morvane::host
