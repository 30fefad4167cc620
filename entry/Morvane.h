#pragma once
// The plug-in's main unit: the one exported function and the library's load and unload hooks.
// The export's arguments and result are described with TCreateDLLForm in
// platform/ui/HostInterface.h.

#include <QString>
#include <cstdint>

#include "platform/ui/HostInterface.h"

#define MORVANE_EXPORT __attribute__((visibility("default")))

extern "C" MORVANE_EXPORT QWidget* CreateDLLForm(THostApplication* app, std::uintptr_t unused,
                                                 const QString& windowName, const char* userNo,
                                                 const char* listName,
                                                 TRemoteUdpConnection* connection,
                                                 THostMainForm* mainForm);

namespace morvane::entry {

// Reasons the platform gives the unload hook.
enum TDllReason {
    DLL_PROCESS_DETACH = 0,
    DLL_PROCESS_ATTACH = 1,
    DLL_THREAD_ATTACH = 2,
    DLL_THREAD_DETACH = 3
};

// Load: remembers the application object the library has now and installs the unload hook.
void LibraryLoad();
// The unload hook: on process detach puts the remembered application object back and drops
// the host's connection and main window; other reasons do nothing.
void LibraryUnload(TDllReason reason);

}  // namespace morvane::entry
