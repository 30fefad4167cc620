#pragma once
// The GUI host's standard error display: a message box with the exception's text.

#include <QWidget>

#include "platform/ui/ErrorDisplay.h"

namespace morvane::host {

class MessageErrorDisplay : public ui::ErrorDisplay {
  public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    // Nobody at the screen: the text goes to standard error instead of a message box.
    void SetUnattended(bool on) { unattended_ = on; }
    void ShowException(const QString& message) override;

  private:
    QWidget* parent_ = nullptr;
    bool unattended_ = false;
};

}  // namespace morvane::host
