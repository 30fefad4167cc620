// Tbase_frm and Tbase_frmTop: dataset attachment, the usage-log rows, close, Enter handling.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "entry/Morvane.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"
#include "tests/support/TestWindows.h"

using morvane::test::SpineHost;

namespace {

class BaseWindow : public ::testing::Test {
  protected:
    void TearDown() override {
        host.reset();
        morvane::session::ResetSession();
    }
    bool Close(QWidget* w) {
        QPointer<QWidget> guard(w);
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
            frame->close();
        else
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return guard.isNull();
    }
    std::unique_ptr<SpineHost> host = std::make_unique<SpineHost>(QString(), &CreateDLLForm);
};

}  // namespace

TEST_F(BaseWindow, OpeningAndClosingAReportWritesEnterThenLeave) {
    auto* w = static_cast<Tfrm_TestReport*>(host->Open("frm_OLAPSaleMonth", "U2"));
    ASSERT_NE(w, nullptr);
    // Creation attached the window's dataset to the host's connection.
    EXPECT_EQ(w->UDPDB_Report->SetupUdpParent(), host->connection.get());
    w->ac_GetData->trigger();
    ASSERT_TRUE(w->UDPDB_Report->Active());

    TRemoteUdpDataSet* report = w->UDPDB_Report;
    QSignalSpy closed(report, &TRemoteUdpDataSet::activeChanged);
    ASSERT_TRUE(Close(w));
    EXPECT_EQ(closed.size(), 1);  // closed before the window went
    EXPECT_EQ(host->SyslogRows(), (std::vector<QString>{"U2|测试报表|进入", "U2|测试报表|离开"}));
    EXPECT_EQ(frm_TestReport, nullptr);
    EXPECT_TRUE(host->errors.messages.isEmpty());
}

TEST_F(BaseWindow, APickerLogsItsEntryButNotItsClose) {
    auto* w = static_cast<Tfrm_TestReport*>(host->Open("frm_OLAPSaleMonth"));
    host->runner.QueuePick({"C02"});
    w->edit_client->PressButton();
    EXPECT_EQ(host->runner.formsShown, QStringList{"测试选择"});
    EXPECT_EQ(w->sel_client, "'C02'");
    EXPECT_EQ(host->SyslogRows(), (std::vector<QString>{"U1|测试报表|进入", "U1|测试选择|进入"}));
}

TEST_F(BaseWindow, ACaptionWithAQuoteFailsToLogButTheWindowOpens) {
    QWidget* w = host->Open("frm_OLAPSale");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w, frm_TestQuote);
    ASSERT_EQ(host->errors.messages.size(), 1);
    EXPECT_TRUE(host->SyslogRows().empty());
    // The rights lookup came after the failing step and never ran, although U1 may export.
    EXPECT_FALSE(frm_TestQuote->UserRight.b_excel);
    for (const auto& s : host->Statements())
        EXPECT_EQ(s.find("dr_rightdetail"), std::string::npos);

    // Closing fails the same way: the error is shown and the window stays.
    EXPECT_FALSE(Close(w));
    EXPECT_EQ(host->errors.messages.size(), 2);
    EXPECT_EQ(frm_TestQuote, w);
}

TEST_F(BaseWindow, EnterMovesToTheNextControlInABaseDialog) {
    pub_connection = host->connection.get();
    Tbase_frmTop dialog;
    auto* first = new QLineEdit(&dialog);
    auto* second = new QLineEdit(&dialog);
    QWidget::setTabOrder(first, second);
    dialog.show();
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QApplication::setActiveWindow(&dialog);
    first->setFocus();
    QSignalSpy returned(first, &QLineEdit::returnPressed);
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(returned.size(), 0);
    EXPECT_EQ(QApplication::focusWidget(), second);
    QTest::keyClick(second, Qt::Key_A);
    EXPECT_EQ(second->text(), "a");  // other keys pass unchanged
}

TEST_F(BaseWindow, EnterReachesTheControlInAPickerThatReplacesTheKeyHandler) {
    pub_connection = host->connection.get();
    Tfrm_TestPicker picker;
    picker.show();
    QApplication::setActiveWindow(&picker);
    picker.edit_fcode->setFocus();
    QSignalSpy returned(picker.edit_fcode, &QLineEdit::returnPressed);
    QTest::keyClick(picker.edit_fcode, Qt::Key_Return);
    EXPECT_EQ(returned.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), picker.edit_fcode);
}
