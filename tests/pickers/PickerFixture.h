#pragma once
// Shared set-up of the picker tests: the scale-1 demo database, a host whose connection records
// every statement, the session globals of a demo user, scripted and interactive modal runners,
// and the statement corpus.

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/ui/ModalRunner.h"
#include "tests/support/SpineFixture.h"

class TRemoteUdpDataSet;
class TcxStyle;

namespace morvane::test {

// A corpus statement file's bytes as text.
QString CorpusStatement(const QString& name);
// The codes of the rows whose checkid is 1, in row order, as the report windows collect them
// after OK: filter "checkid=1" and read `column`.
QStringList TickedCodes(TRemoteUdpDataSet* table, const QString& column);
// Every value of `column` of the rows the dataset shows.
QStringList ColumnValues(TRemoteUdpDataSet* table, const QString& column);

// A modal runner that plays the user: `act` works the form as the user would (clicks, keys)
// and the run ends with the modal result the form then has (cancel when none).
class InteractiveRunner : public ui::ModalRunner {
  public:
    std::function<void(ui::TForm&)> act;
    int RunModal(ui::TForm& form) override;
    int MessageBox(const QString&, const QString&, ui::MsgIcon, int) override { return ui::mbOK; }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    void Launch(const QString&) override {}
    void PrintPreview(TBasedxReportLink&) override { ++previewsShown; }
    int previewsShown = 0;
};

class PickerTest : public ::testing::Test {
  protected:
    // Signs in the demo user (scope loaded from the database) over a recording connection.
    void SignIn(const QString& userNo);
    void SetUp() override { SignIn(QStringLiteral("001")); }
    void TearDown() override;
    // Statements the connection received since the last call.
    std::vector<QString> TakeStatements();
    // First column of each row of a query, run beside the recording connection.
    std::vector<QString> Query(const QString& sql) { return host_->Column(sql); }

    std::unique_ptr<SpineHost> host_;
    TcxStyle* gridStyle_ = nullptr;
    std::size_t seen_ = 0;
};

}  // namespace morvane::test
