#pragma once
// The host's standard error display, and the guard every event handler runs under: an
// exception that leaves a handler is shown there and goes no further, so the window keeps the
// state the handler left it in.

#include <QString>
#include <exception>
#include <utility>

namespace morvane::ui {

class ErrorDisplay {
  public:
    virtual ~ErrorDisplay() = default;
    // Shows the text of an exception that left an event handler.
    virtual void ShowException(const QString& message) = 0;
};

// Reports the exception currently being handled to Errors(). Call only inside a catch block.
void ReportCurrentException() noexcept;

// Runs a handler; an exception that leaves it is reported and swallowed. Returns false when
// the handler failed.
template <class F>
bool Guarded(F&& handler) noexcept {
    try {
        std::forward<F>(handler)();
        return true;
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

}  // namespace morvane::ui
