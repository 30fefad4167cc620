#include "host/GuiRunner.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <cstdio>

#include "platform/ui/ProgramLauncher.h"
#include "platform/ui/ReportLink.h"
#include "platform/ui/TForm.h"

namespace morvane::host {

int GuiRunner::RunModal(ui::TForm& form) {
    if (picks_.isEmpty())
        return form.ExecModal();
    const QStringList codes = picks_.takeFirst();
    form.SetModalResult(ui::mrNone);
    QStringList missing;
    // Reached by name: the form's class lives in the plug-in.
    if (!QMetaObject::invokeMethod(&form, "ScriptTick", Qt::DirectConnection,
                                   Q_RETURN_ARG(QStringList, missing), Q_ARG(QStringList, codes)))
        return form.CloseModal(ui::mrCancel);
    return form.CloseModal(form.ModalResult() == ui::mrCancel ? ui::mrCancel : ui::mrOk);
}

int GuiRunner::MessageBox(const QString& caption, const QString& text, ui::MsgIcon icon,
                          int buttons) {
    if (unattended_) {
        std::fprintf(stderr, "morvane-host: %s: %s\n", caption.toUtf8().constData(),
                     text.toUtf8().constData());
        for (int b : {ui::mbOK, ui::mbYes, ui::mbNo, ui::mbCancel}) {
            if (buttons & b)
                return b;
        }
        return ui::mbOK;
    }
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
    // A name typed without an extension takes the one of the chosen file type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        const auto match = pattern.match(f);
        if (match.hasMatch())
            dialog.setDefaultSuffix(match.captured(1));
    });
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

void GuiRunner::Launch(const QString& file) {
    const auto command = ui::ResolveOpenCommand(file);
    if (!command) {
        MessageBox(QStringLiteral("系统提示"), ui::NoProgramMessage(file), ui::MsgIcon::Warning,
                   ui::mbOK);
        return;
    }
    QString error;
    if (!ui::RunAndWait(*command, &error)) {
        MessageBox(
            QStringLiteral("系统提示"),
            QStringLiteral("无法启动打开程序 %1：%2\n文件：%3").arg(command->program, error, file),
            ui::MsgIcon::Warning, ui::mbOK);
    }
}

void GuiRunner::PrintPreview(TBasedxReportLink& link) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(link.PrinterPage().PageLayout());
    printer.setDocName(link.ReportTitle.Text.section('\n', 0, 0).trimmed());
    QPrintPreviewDialog dialog(&printer, mainWindow_);
    dialog.setWindowTitle(link.Caption());
    dialog.resize(1000, 760);
    // The preview's own bar turns the paper; this switch shrinks a wide report to its width.
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        auto* fit = new QAction(QStringLiteral("适合页宽"), &dialog);
        fit->setObjectName(QStringLiteral("fitToWidth"));
        fit->setCheckable(true);
        fit->setChecked(link.FitToWidth());
        fit->setToolTip(QStringLiteral("缩小报表，使其宽度适合纸张"));
        bar->addSeparator();
        bar->addAction(fit);
        QObject::connect(fit, &QAction::toggled, &dialog, [&dialog, &link](bool on) {
            link.SetFitToWidth(on);
            if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
                preview->updatePreview();
        });
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&link](QPrinter* target) {
                         // The preview's page set-up changes the printer; the link follows it
                         // and lays its pages out again for the new paper.
                         TdxPrinterPage page = link.PrinterPage();
                         page.SetPageLayout(target->pageLayout());
                         link.SetPrinterPage(page);
                         link.Print(*target);
                     });
    dialog.exec();
}

}  // namespace morvane::host
