#pragma once
// The demo host's main window: the report windows' menu grouped by family, the Window menu
// listing the open-window list, and the MDI area the plug-in opens its windows in.

#include <functional>

class QLabel;

#include "hostkit/HostMainForm.h"
#include "hostkit/MenuTable.h"

namespace morvane::host {

class MainWindow : public HostMainForm {
    Q_OBJECT
  public:
    // `open` is called with the menu entry the user chose.
    using OpenWindow = std::function<void(const MenuEntry&)>;
    MainWindow(const MenuTable& menu, OpenWindow open);
    void SetSignedIn(const QString& userNo);

  private:
    void fillWindowMenu();

    MenuTable menu_;
    OpenWindow open_;
    QMenu* windowMenu_;
    QLabel* userLabel_;
};

}  // namespace morvane::host
