#include "hostkit/ScriptedRunner.h"

#include "platform/ui/ReportLink.h"
#include "platform/ui/TForm.h"

namespace morvane::host {

void ScriptedRunner::QueuePick(const QStringList& codes) {
    picks_.push_back(codes);
}

void ScriptedRunner::QueueSaveName(const QString& path) {
    saveNames_.push_back(path);
}

void ScriptedRunner::QueuePreviewPdf(const QString& path) {
    previewPdfs_.push_back(path);
}

int ScriptedRunner::RunModal(ui::TForm& form) {
    formsShown.append(form.Caption());
    if (picks_.empty())
        return form.CloseModal(ui::mrCancel);
    const QStringList codes = picks_.front();
    picks_.pop_front();
    // Reached by name: the form's class lives in the plug-in.
    QStringList missing;
    if (!QMetaObject::invokeMethod(&form, "ScriptTick", Qt::DirectConnection,
                                   Q_RETURN_ARG(QStringList, missing), Q_ARG(QStringList, codes))) {
        unscriptableForms.append(form.Caption());
        return form.CloseModal(ui::mrCancel);
    }
    unmatchedCodes += missing;
    return form.CloseModal(ui::mrOk);
}

int ScriptedRunner::MessageBox(const QString& caption, const QString& text, ui::MsgIcon icon,
                               int buttons) {
    messages.push_back({caption, text, icon});
    for (int b : {ui::mbOK, ui::mbYes, ui::mbNo, ui::mbCancel}) {
        if (buttons & b)
            return b;
    }
    return ui::mbOK;
}

QString ScriptedRunner::SaveFileName(const QString&, const QString&, const QString&) {
    if (saveNames_.empty())
        return QString();
    QString path = saveNames_.front();
    saveNames_.pop_front();
    return path;
}

void ScriptedRunner::Launch(const QString& file) {
    launched.append(file);
}

void ScriptedRunner::PrintPreview(TBasedxReportLink& link) {
    Preview shown{link.Caption(), link.ReportTitle.Text, link.PageCount(), QString()};
    if (!previewPdfs_.empty()) {
        shown.pdf = previewPdfs_.front();
        previewPdfs_.pop_front();
    }
    // Recorded before writing, so that a preview whose file fails still counts as shown.
    previews.push_back(shown);
    if (!shown.pdf.isEmpty())
        link.ExportPdf(shown.pdf);
}

}  // namespace morvane::host
