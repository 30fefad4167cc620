#pragma once
// The host's main window as the plug-in sees it: an MDI area for the report windows and the
// list of open window captions. The GUI host adds its menus on top; the headless host uses it
// as it is, on the offscreen platform.

#include <QMainWindow>
#include <QStringList>

#include "platform/ui/HostInterface.h"

class QMdiArea;

namespace morvane::host {

class HostWindowList : public THostWindowList {
  public:
    int Add(const QString& caption) override;
    int IndexOf(const QString& caption) const override;
    void Delete(int index) override;
    int Count() const override { return int(items_.size()); }
    QString Strings(int index) const override { return items_.value(index); }
    const QStringList& Items() const { return items_; }

  private:
    QStringList items_;
};

class HostMainForm : public QMainWindow, public THostMainForm {
    Q_OBJECT
  public:
    explicit HostMainForm(QWidget* parent = nullptr);
    // Frees the open windows while the open-window list they leave still exists.
    ~HostMainForm() override;

    QMdiArea* MdiArea() override { return mdiArea_; }
    THostWindowList& OpenWindows() override { return openWindows_; }
    const HostWindowList& OpenWindowList() const { return openWindows_; }

  protected:
    // Closes the report windows first, so that their close handlers run (and write their
    // usage-log rows) as when the user closes them one by one. A window that refuses to close
    // keeps the main window open.
    void closeEvent(QCloseEvent* event) override;

  private:
    QMdiArea* mdiArea_;
    HostWindowList openWindows_;
};

}  // namespace morvane::host
