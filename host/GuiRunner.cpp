#include "host/GuiRunner.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/ui/TForm.h"

namespace morvane::host {

int GuiRunner::RunModal(ui::TForm& form) {
    return form.ExecModal();
}

int GuiRunner::MessageBox(const QString& caption, const QString& text, ui::MsgIcon icon,
                          int buttons) {
    QMessageBox box(mainWindow_);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
        case ui::MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case ui::MsgIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case ui::MsgIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case ui::MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    const std::pair<int, QMessageBox::StandardButton> map[] = {{ui::mbOK, QMessageBox::Ok},
                                                               {ui::mbCancel, QMessageBox::Cancel},
                                                               {ui::mbYes, QMessageBox::Yes},
                                                               {ui::mbNo, QMessageBox::No}};
    QMessageBox::StandardButtons standard;
    for (auto [ours, theirs] : map) {
        if (buttons & ours)
            standard |= theirs;
    }
    box.setStandardButtons(standard ? standard : QMessageBox::Ok);
    const auto chosen = QMessageBox::StandardButton(box.exec());
    for (auto [ours, theirs] : map) {
        if (chosen == theirs)
            return ours;
    }
    return ui::mbCancel;
}

QString GuiRunner::SaveFileName(const QString& initialName, const QString& filter,
                                const QString& defaultExt) {
    // The filter comes in the host platform's form "excel(*.xls)|*.xls".
    QStringList parts = filter.split('|');
    QStringList qtFilters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        qtFilters << parts[i];
    QFileDialog dialog(mainWindow_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(qtFilters);
    dialog.setDefaultSuffix(defaultExt);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

void GuiRunner::Launch(const QString& file) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace morvane::host
