// TForm: creation, close actions, modal runs and key preview; TcxButtonEdit.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "hostkit/HostApplication.h"
#include "hostkit/RecordedErrors.h"
#include "hostkit/ScriptedRunner.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TcxButtonEdit.h"

using namespace morvane::ui;

namespace {

class ProbeForm : public TForm {
  public:
    TCloseAction closeAction = caHide;
    bool failCreate = false;
    bool failClose = false;
    int creates = 0;
    int closes = 0;
    QString keys;  // keys seen by DoKeyPress
    bool eatKeys = false;

  protected:
    void DoCreate() override {
        ++creates;
        if (failCreate)
            throw std::runtime_error("create failed");
    }
    void DoClose(TCloseAction& action) override {
        ++closes;
        if (failClose)
            throw std::runtime_error("close failed");
        action = closeAction;
    }
    void DoKeyPress(QChar& key) override {
        keys += key;
        if (eatKeys)
            key = QChar(0);
    }
};

class Form : public ::testing::Test {
  protected:
    morvane::host::ScriptedRunner runner;
    morvane::host::RecordedErrors errors;
    morvane::host::HostApplication app{runner, errors, "/tmp/host"};
};

bool closeAndFlush(QWidget* w) {
    QPointer<QWidget> guard(w);
    const bool accepted = w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return accepted && guard.isNull();
}

}  // namespace

TEST_F(Form, CreateRunsOnceAndAFailureIsShownWithTheFormKept) {
    ProbeForm f;
    f.failCreate = true;
    EXPECT_FALSE(f.Create());
    EXPECT_FALSE(f.Create() && f.creates > 1);
    EXPECT_EQ(f.creates, 1);
    EXPECT_EQ(errors.messages, QStringList{"create failed"});
}

TEST_F(Form, CloseActionsDecideWhatHappens) {
    auto* kept = new ProbeForm;
    kept->closeAction = caNone;
    kept->show();
    EXPECT_FALSE(closeAndFlush(kept));
    EXPECT_TRUE(kept->isVisible());

    kept->closeAction = caHide;
    EXPECT_FALSE(closeAndFlush(kept));
    EXPECT_FALSE(kept->isVisible());

    kept->closeAction = caFree;
    kept->show();
    EXPECT_TRUE(closeAndFlush(kept));  // deleted
}

TEST_F(Form, AFailingCloseHandlerKeepsTheFormOpen) {
    ProbeForm f;
    f.failClose = true;
    f.show();
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(errors.messages, QStringList{"close failed"});
}

TEST_F(Form, ShowModalGoesThroughTheHostsRunner) {
    ProbeForm f;
    f.SetCaption("选择");
    EXPECT_EQ(f.ShowModal(), mrCancel);  // nothing scripted: cancelled
    EXPECT_EQ(f.closes, 1);              // the close handler ran once
    runner.QueuePick({});
    EXPECT_EQ(f.ShowModal(), mrCancel);  // a form without ScriptTick cannot be scripted
    EXPECT_EQ(runner.unscriptableForms, QStringList{"选择"});
    EXPECT_EQ(runner.formsShown, (QStringList{"选择", "选择"}));
}

TEST_F(Form, CloseModalWithCloseActionNoneKeepsTheModalState) {
    ProbeForm f;
    f.closeAction = caNone;
    EXPECT_EQ(f.CloseModal(mrOk), mrNone);
    f.closeAction = caHide;
    EXPECT_EQ(f.CloseModal(mrOk), mrOk);
    EXPECT_EQ(f.ModalResult(), mrOk);
}

TEST_F(Form, ExecModalEndsWhenAResultIsSet) {
    ProbeForm f;
    QTimer::singleShot(0, &f, [&] { f.SetModalResult(mrOk); });
    EXPECT_EQ(f.ExecModal(), mrOk);
    EXPECT_FALSE(f.isVisible());
    QTimer::singleShot(0, &f, [&] { f.close(); });  // the close box
    EXPECT_EQ(f.ExecModal(), mrCancel);
    EXPECT_EQ(f.closes, 2);
}

TEST_F(Form, KeyPreviewSeesKeysBeforeTheFocusedControl) {
    ProbeForm f;
    auto* edit = new QLineEdit(&f);
    f.SetKeyPreview(true);
    f.show();
    QApplication::setActiveWindow(&f);
    edit->setFocus();
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(f.keys, "ab");
    EXPECT_EQ(edit->text(), "ab");
    f.eatKeys = true;
    QTest::keyClick(edit, Qt::Key_C);
    EXPECT_EQ(edit->text(), "ab");  // consumed by the form
    f.SetKeyPreview(false);
    f.eatKeys = false;
    QTest::keyClick(edit, Qt::Key_D);
    EXPECT_EQ(f.keys, "abc");  // without preview the control handles it first
    EXPECT_EQ(edit->text(), "abd");
}

TEST(ButtonEdit, PressingTheButtonSignalsUnlessDisabled) {
    TcxButtonEdit edit;
    QSignalSpy spy(&edit, &TcxButtonEdit::PropertiesButtonClick);
    ASSERT_TRUE(QMetaObject::invokeMethod(&edit, "PressButton", Q_ARG(int, 0)));
    EXPECT_EQ(spy.size(), 1);
    edit.setEnabled(false);
    edit.PressButton();
    EXPECT_EQ(spy.size(), 1);
}
