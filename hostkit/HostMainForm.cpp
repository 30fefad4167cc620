#include "hostkit/HostMainForm.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace morvane::host {

int HostWindowList::Add(const QString& caption) {
    items_.append(caption);
    return int(items_.size()) - 1;
}

int HostWindowList::IndexOf(const QString& caption) const {
    // The host's string list finds entries without regard to case.
    for (int i = 0; i < items_.size(); ++i) {
        if (items_[i].compare(caption, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void HostWindowList::Delete(int index) {
    if (index >= 0 && index < items_.size())
        items_.removeAt(index);
}

HostMainForm::HostMainForm(QWidget* parent) : QMainWindow(parent), mdiArea_(new QMdiArea(this)) {
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(mdiArea_);
    resize(1024, 720);
}

void HostMainForm::closeEvent(QCloseEvent* event) {
    mdiArea_->closeAllSubWindows();
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (sub->isVisible()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

HostMainForm::~HostMainForm() {
    delete mdiArea_;
}

}  // namespace morvane::host
