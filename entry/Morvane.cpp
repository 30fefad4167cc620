#include "entry/Morvane.h"

#include "entry/Dispatch.h"
#include "entry/WindowTable.h"
#include "forms/unt_basefrm.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostServices.h"
#include "session/Analyse_Dm1.h"
#include "session/totalpub1.h"

namespace morvane::entry {

namespace {

THostApplication* savedApplication = nullptr;
bool unloadHookInstalled = false;

// Runs the load hook when the library is mapped and the unload hook when it goes away.
struct LibraryLifetime {
    LibraryLifetime() { LibraryLoad(); }
    ~LibraryLifetime() {
        if (unloadHookInstalled)
            LibraryUnload(DLL_PROCESS_DETACH);
    }
} lifetime;

}  // namespace

void LibraryLoad() {
    savedApplication = ui::Application();
    unloadHookInstalled = true;
}

void LibraryUnload(TDllReason reason) {
    if (reason != DLL_PROCESS_DETACH)
        return;
    ui::SetApplication(savedApplication);
    // The host's objects are no longer ours to refer to. The session strings are released by
    // their own destructors, which at process exit may already have run: not touched here.
    pub_connection = nullptr;
    pub_mainform = nullptr;
}

}  // namespace morvane::entry

QWidget* CreateDLLForm(THostApplication* app, std::uintptr_t, const QString& windowName,
                       const char* userNo, const char* listName, TRemoteUdpConnection* connection,
                       THostMainForm* mainForm) {
    using namespace morvane::entry;
    QWidget* result = nullptr;
    morvane::ui::Guarded([&] {
        morvane::ui::SetApplication(app);
        pub_userno = QString::fromUtf8(userNo ? userNo : "");
        pub_listname = QString::fromUtf8(listName ? listName : "");
        pub_mainform = mainForm;
        pub_connection = connection;
        if (!Analyse_Dm) {
            Analyse_Dm = new TAnalyse_Dm(morvane::session::ApplicationOwner());
            Analyse_Dm->Create();
        }
        const int row = FindWindowRow(windowName);
        if (row >= 0)
            result = OpenWindowRow(row);
    });
    return result;
}
