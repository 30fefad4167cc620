#pragma once
// The library's application object: the host application of the latest CreateDLLForm call,
// and the host services reached through it. Each binary (the plug-in, a host, a test) has its
// own copy of this state.

#include "platform/ui/HostInterface.h"

namespace morvane::ui {

class ModalRunner;
class ErrorDisplay;

// The current application object, or nullptr before the first call.
THostApplication* Application();
// Replaces the application object and returns the previous one.
THostApplication* SetApplication(THostApplication* app);

// The host's dialogs. Throws std::logic_error when no application object is set.
ModalRunner& Runner();
// The host's error display; without an application object errors go to standard error.
ErrorDisplay& Errors();

}  // namespace morvane::ui
