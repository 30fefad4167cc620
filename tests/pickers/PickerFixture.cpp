#include "tests/pickers/PickerFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "demo/DemoGenerator.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TcxStyle.h"
#include "session/totalpub1.h"

namespace morvane::test {

QString CorpusStatement(const QString& name) {
    QFile f(QStringLiteral(MORVANE_CORPUS_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("no corpus file " + name.toStdString());
    return QString::fromUtf8(f.readAll());
}

QStringList TickedCodes(TRemoteUdpDataSet* table, const QString& column) {
    table->SetFiltered(false);
    table->SetFilter(QStringLiteral("checkid=1"));
    table->SetFiltered(true);
    QStringList codes;
    for (table->First(); !table->Eof(); table->Next()) {
        codes << table->FieldByName(column)->AsString();
    }
    table->SetFiltered(false);
    return codes;
}

QStringList ColumnValues(TRemoteUdpDataSet* table, const QString& column) {
    QStringList values;
    for (table->First(); !table->Eof(); table->Next()) {
        values << table->FieldByName(column)->AsString();
    }
    table->First();
    return values;
}

int InteractiveRunner::RunModal(ui::TForm& form) {
    if (act)
        act(form);
    return form.CloseModal(form.ModalResult() == ui::mrNone ? int(ui::mrCancel)
                                                            : form.ModalResult());
}

void PickerTest::SignIn(const QString& userNo) {
    if (host_)
        TearDown();
    host_ = std::make_unique<SpineHost>(DemoDb());
    ui::SetApplication(host_->app.get());
    session::ResetSession();
    pub_connection = host_->connection.get();
    pub_userno = userNo;
    gridStyle_ = new TcxStyle(host_->app->Owner());
    gridStyle_->SetColor(0x00E0FFFF);
    pub_gridstyle = gridStyle_;
    LoadUserScope();
    seen_ = host_->Statements().size();
}

void PickerTest::TearDown() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    session::ResetSession();
    ui::SetApplication(nullptr);
    host_.reset();
}

std::vector<QString> PickerTest::TakeStatements() {
    std::vector<QString> out;
    const auto& all = host_->Statements();
    for (std::size_t i = seen_; i < all.size(); ++i)
        out.push_back(QString::fromStdString(all[i]));
    seen_ = all.size();
    return out;
}

}  // namespace morvane::test
