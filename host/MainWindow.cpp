#include "host/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace morvane::host {

MainWindow::MainWindow(const MenuTable& menu, OpenWindow open)
    : menu_(menu), open_(std::move(open)) {
    setWindowTitle(QStringLiteral("Morvane 分析"));

    QMenu* system = menuBar()->addMenu(QStringLiteral("系统(&S)"));
    system->addAction(QStringLiteral("退出(&X)"), qApp, &QApplication::closeAllWindows);

    QMenu* reports = menuBar()->addMenu(QStringLiteral("分析报表(&R)"));
    QMenu* family = nullptr;
    for (const MenuEntry& entry : menu_.Entries()) {
        if (!family || family->title() != entry.family)
            family = reports->addMenu(entry.family);
        QAction* action = family->addAction(entry.caption);
        action->setObjectName(entry.window);
        connect(action, &QAction::triggered, this, [this, entry] { open_(entry); });
    }

    windowMenu_ = menuBar()->addMenu(QStringLiteral("窗口(&W)"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    fillWindowMenu();

    userLabel_ = new QLabel(this);
    statusBar()->addWidget(userLabel_);
}

void MainWindow::SetSignedIn(const QString& userNo) {
    userLabel_->setText(QStringLiteral("用户：") + userNo);
}

void MainWindow::fillWindowMenu() {
    windowMenu_->clear();
    windowMenu_->addAction(QStringLiteral("层叠(&C)"), MdiArea(), &QMdiArea::cascadeSubWindows);
    windowMenu_->addAction(QStringLiteral("平铺(&T)"), MdiArea(), &QMdiArea::tileSubWindows);
    const QStringList& open = OpenWindowList().Items();
    if (!open.isEmpty())
        windowMenu_->addSeparator();
    for (const QString& caption : open) {
        windowMenu_->addAction(caption, this, [this, caption] {
            for (QMdiSubWindow* sub : MdiArea()->subWindowList()) {
                if (sub->widget() && sub->widget()->windowTitle() == caption) {
                    MdiArea()->setActiveSubWindow(sub);
                    return;
                }
            }
        });
    }
}

}  // namespace morvane::host
