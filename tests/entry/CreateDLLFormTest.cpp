// CreateDLLForm and the window table, called as the host calls the export.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "entry/Dispatch.h"
#include "entry/Morvane.h"
#include "entry/WindowTable.h"
#include "forms/WindowClasses.h"
#include "platform/ui/HostServices.h"
#include "session/Analyse_Dm1.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"
#include "tests/support/TestWindows.h"

using morvane::test::SpineHost;

namespace {

class Export : public ::testing::Test {
  protected:
    void TearDown() override {
        host.reset();
        morvane::session::ResetSession();
    }
    std::unique_ptr<SpineHost> host = std::make_unique<SpineHost>(QString(), &CreateDLLForm);
};

bool CloseWindow(QWidget* w) {
    QPointer<QWidget> guard(w);
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return guard.isNull();
}

}  // namespace

TEST(WindowTable, CaseInsensitiveLookupAndTheTestWindowsInTableOrder) {
    EXPECT_EQ(morvane::entry::FindWindowRow("FRM_olapsalemonth"), 12);
    EXPECT_EQ(morvane::entry::FindWindowRow("frm_salpbchargesyear"), 40);
    EXPECT_EQ(morvane::entry::FindWindowRow("frm_OLAPSaleMonth "), -1);
    EXPECT_EQ(morvane::entry::FindWindowRow(""), -1);
    const auto listed = morvane::entry::RegisteredWindows();
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0].name, "frm_OLAPorder");  // row 5
    EXPECT_EQ(listed[1].name, "frm_OLAPSale");   // row 6
    EXPECT_EQ(listed[2].name, "frm_OLAPSaleMonth");
    EXPECT_EQ(listed[2].caption, "测试报表");       // the registration's own caption
    EXPECT_EQ(listed[3].name, "frm_OLAPSaleYear");  // row 18
}

TEST(WindowTable, ASecondRegistrationUnderTheSameNameIsRefused) {
    Tfrm_TestReport* other = nullptr;
    EXPECT_FALSE(morvane::forms::RegisterWindowClassOf<Tfrm_TestReport>("FRM_OLAPSALEMONTH", "Tx",
                                                                        other, "x"));
    EXPECT_EQ(morvane::forms::FindWindowClass("frm_OLAPSaleMonth")->caption, "测试报表");
}

TEST_F(Export, AnyCaseOfTheNameOpensOneWindowUntilItCloses) {
    QWidget* first = host->Open("frm_OLAPSaleMonth");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, frm_TestReport);
    EXPECT_EQ(host->Open("FRM_OLAPSALEMONTH"), first);
    EXPECT_EQ(host->Open("frm_olapsalemonth"), first);
    EXPECT_EQ(host->mainForm->MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(host->SyslogRows().size(), 1u);  // created once

    ASSERT_TRUE(CloseWindow(first));
    EXPECT_EQ(frm_TestReport, nullptr);
    QWidget* second = host->Open("frm_OLAPSaleMonth");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second, frm_TestReport);
    EXPECT_EQ(host->SyslogRows(),
              (std::vector<QString>{"U1|测试报表|进入", "U1|测试报表|离开", "U1|测试报表|进入"}));
}

TEST_F(Export, TheWindowIsAVisibleMdiChildOfTheHostMainWindow) {
    QWidget* w = host->Open("frm_OLAPSaleMonth");
    auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->mdiArea(), host->mainForm->MdiArea());
    EXPECT_TRUE(w->isVisibleTo(frame));
    EXPECT_EQ(host->mainForm->OpenWindowList().Items(), QStringList{"测试报表"});
}

TEST_F(Export, UnknownNameOpensNothingButTheSessionIsSet) {
    EXPECT_EQ(host->Open("frm_NoSuchWindow", "U2", "清单"), nullptr);
    EXPECT_NE(Analyse_Dm, nullptr);
    EXPECT_EQ(Analyse_Dm->parent(), host->app->Owner());
    EXPECT_EQ(pub_userno, "U2");
    EXPECT_EQ(pub_listname, "清单");
    EXPECT_EQ(pub_connection, host->connection.get());
    EXPECT_EQ(pub_mainform, host->mainForm.get());
    EXPECT_EQ(morvane::ui::Application(), host->app.get());
    EXPECT_TRUE(host->mainForm->MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(host->SyslogRows().empty());
}

TEST_F(Export, ARowWhoseWindowIsNotBuiltOpensNothing) {
    EXPECT_EQ(host->Open("frm_KnufeFlagDay"), nullptr);
    EXPECT_TRUE(host->mainForm->MdiArea()->subWindowList().isEmpty());
    EXPECT_NE(Analyse_Dm, nullptr);
}

TEST_F(Export, TheDataModuleLoadsOnceForTheFirstUser) {
    morvane::test::ExecOnFile(host->DbFile(),
                              "insert into userclient values('U1','C01',0);"
                              "insert into userclient values('U2','C02',0);");
    host->Open("frm_NoSuchWindow", "U1");
    TAnalyse_Dm* dm = Analyse_Dm;
    const auto statements = host->Statements().size();
    EXPECT_EQ(pub_clientcodes, "'C01'");

    QWidget* w = host->Open("frm_OLAPSaleMonth", "U2");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Analyse_Dm, dm);
    EXPECT_EQ(pub_userno, "U2");
    EXPECT_EQ(pub_clientcodes, "'C01'");  // the first user's scope stays
    EXPECT_EQ(host->SyslogRows(), std::vector<QString>{"U2|测试报表|进入"});
    for (std::size_t i = statements; i < host->Statements().size(); ++i) {
        EXPECT_EQ(host->Statements()[i].find("userclient"), std::string::npos);
    }
}

TEST_F(Export, AFailingCreationHandlerLeavesTheWindowOpenAndShowsTheError) {
    QWidget* w = host->Open("frm_OLAPorder");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w, frm_TestBroken);
    EXPECT_EQ(host->errors.messages, QStringList{"creation step failed"});
    EXPECT_EQ(host->SyslogRows(), std::vector<QString>{"U1|测试故障|进入"});
    EXPECT_EQ(host->Open("frm_OLAPorder"), w);
}

TEST_F(Export, NothingIsThrownAcrossTheExport) {
    // A connection that is not open: the data module's queries fail inside the plug-in.
    TRemoteUdpConnection closed;
    QWidget* w = CreateDLLForm(host->app.get(), 0, "frm_OLAPSaleMonth", "U1", "测试报表", &closed,
                               host->mainForm.get());
    EXPECT_NE(w, nullptr);
    EXPECT_GE(host->errors.messages.size(), 2);  // data module, then the window's creation
}

TEST(LibraryHooks, UnloadPutsTheLoadTimeApplicationBack) {
    morvane::test::SpineHost host(QString(), &CreateDLLForm);
    morvane::ui::SetApplication(nullptr);  // the library's own, at load time
    morvane::entry::LibraryLoad();
    host.Open("frm_NoSuchWindow", "U9");
    morvane::entry::LibraryUnload(morvane::entry::DLL_THREAD_DETACH);
    EXPECT_EQ(pub_userno, "U9");
    EXPECT_EQ(morvane::ui::Application(), host.app.get());
    morvane::entry::LibraryUnload(morvane::entry::DLL_PROCESS_DETACH);
    EXPECT_EQ(morvane::ui::Application(), nullptr);
    EXPECT_EQ(pub_connection, nullptr);
    EXPECT_EQ(pub_mainform, nullptr);
}
