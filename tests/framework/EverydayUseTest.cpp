// A report window as a user meets it: the picker buttons drawn and reached by keys, the tab
// order and F5, the statement running off the user-interface thread with a cancel that leaves
// the window as it was (and a close that waits for the statement to stop), the heading of
// printouts and workbooks.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <set>

#include "framework/GetDataRun.h"
#include "framework/PeriodReport.h"
#include "framework/unt_BaseOLAPreport.h"
#include "framework/unt_SaleOlAP.h"
#include "pickers/unt_BillGoodsBmp.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"

namespace {

const QString kRowsSQL = QStringLiteral(
    "select '甲' 店铺,3 数量\r"
    "union all select '乙',4\r");
// A statement that runs for minutes unless it is stopped: a view over a recursive count.
const QString kSlowSQL = QStringLiteral("select 行数 from slow_count\r");

// The same report on either pivot base: both get the behaviour from their shared core.
template <class Base>
class Runnable : public Base {
  public:
    Runnable() {
        this->SetCaption(QStringLiteral("统计测试"));
        this->SetDesign({.rows = {QStringLiteral("店铺")}, .data = {QStringLiteral("数量")}});
    }
    QString sql = kRowsSQL;

  protected:
    QString GetDataSQL() override { return sql; }
};
using RunReport = Runnable<Tbase_OLAPreport>;
using SaleRunReport = Runnable<Tbase_SaleOlAP>;

class MonthReport : public Tbase_PeriodReport {
  public:
    MonthReport() : Tbase_PeriodReport(Month, pfClient | pfGoods, {}) {
        SetCaption(QStringLiteral("月度测试"));
    }

  protected:
    QString GetDataSQL() override { return kRowsSQL; }
};

// What a cancelled statement must leave as it was.
struct WindowState {
    QString result, sql, state, excelTip;
    bool getData, filters, excel, print, cancelShown, waitCursor;
    bool operator==(const WindowState&) const = default;

    static WindowState Of(Tbase_PivotWindow& w) {
        return {w.ResultText(),
                w.UDPDB_Report->SQL(),
                w.GetDataRun->StateLabel()->text(),
                w.bit_excel->toolTip(),
                w.ac_GetData->isEnabled(),
                w.cxGroupBox1->isEnabled(),
                w.bit_excel->isEnabled(),
                w.bit_print->isEnabled(),
                w.GetDataRun->CancelButton()->isVisible(),
                w.cursor().shape() == Qt::WaitCursor};
    }
};

void PrintTo(const WindowState& s, std::ostream* os) {
    *os << "state '" << s.state.toStdString() << "' getData " << s.getData << " filters "
        << s.filters << " excel " << s.excel << " print " << s.print << " cancel "
        << s.cancelShown << " wait " << s.waitCursor << "\n"
        << s.result.toStdString();
}

class EverydayUse : public ::testing::Test {
  public:
    void SetUp() override {
        host = std::make_unique<morvane::test::SpineHost>(morvane::test::DemoDb());
        morvane::test::ExecOnFile(
            host->DbFile(),
            "create view if not exists slow_count as with recursive n(i) as (select 1 union all select i+1 "
            "from n where i<2000000000) select count(*) 行数 from n;");
        morvane::ui::SetApplication(host->app.get());
        morvane::session::ResetSession();
        pub_connection = host->connection.get();
        pub_mainform = host->mainForm.get();
        pub_userno = QStringLiteral("001");
        pub_listname = QStringLiteral("统计测试");
        pub_fontsize = 9;
        pub_sizecount = 3;
        LoadUserScope();
    }
    void TearDown() override {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete frm_BillGoodsBmp;
        morvane::session::ResetSession();
        morvane::ui::SetApplication(nullptr);
        host.reset();
    }
    RunReport* Open() {
        window = std::make_unique<RunReport>();
        window->Create();
        window->show();
        return window.get();
    }
    // Runs `during` once the window's statement is under way, from inside its event loop.
    void WhileRunning(Tbase_PivotWindow& w, std::function<void()> during) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(w.GetDataRun, &TGetDataRun::runningChanged, &w,
                                       [connection, during](bool running) {
                                           if (!running)
                                               return;
                                           QObject::disconnect(*connection);
                                           QTimer::singleShot(150, during);
                                       });
    }
    QString Errors() const { return host->errors.messages.join('\n'); }

    std::unique_ptr<morvane::test::SpineHost> host;
    std::unique_ptr<RunReport> window;
};

// On either base: `w` runs `sql`, shown and created.
template <class Window>
void CancelLeavesTheWindowAsItWas(EverydayUse& t, Window* w) {
    auto Errors = [&t] { return t.Errors(); };
    w->ac_GetData->trigger();
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    const WindowState before = WindowState::Of(*w);
    ASSERT_TRUE(before.result.contains(QStringLiteral("甲"))) << before.result.toStdString();
    EXPECT_TRUE(before.state.startsWith(QStringLiteral("共 2 行，用时 "))) << before.state.toStdString();

    WindowState during{};
    bool stillRunning = false;
    w->sql = kSlowSQL;
    t.WhileRunning(*w, [&] {
        during = WindowState::Of(*w);
        stillRunning = w->GetDataRun->Running();
        // The grid keeps the previous result meanwhile, and the user may go on reading it.
        during.result = w->ResultText();
        w->GetDataRun->CancelButton()->click();
    });
    w->ac_GetData->trigger();

    EXPECT_TRUE(stillRunning);
    EXPECT_FALSE(during.getData || during.filters || during.excel || during.print);
    EXPECT_TRUE(during.cancelShown && during.waitCursor);
    EXPECT_TRUE(during.state.startsWith(QStringLiteral("正在统计"))) << during.state.toStdString();
    EXPECT_EQ(during.result, before.result);

    EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    EXPECT_FALSE(w->GetDataRun->Running());
    EXPECT_EQ(WindowState::Of(*w), before);
    EXPECT_TRUE(w->UDPDB_Report->Active());

    // The connection is free again: the next statement runs as usual.
    w->sql = kRowsSQL;
    w->ac_GetData->trigger();
    EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    EXPECT_EQ(w->ResultText(), before.result);
}

TEST_F(EverydayUse, ACancelledStatementLeavesTheWindowAsItWas) {
    CancelLeavesTheWindowAsItWas(*this, Open());
}

TEST_F(EverydayUse, TheSalesPivotWindowRunsItsStatementTheSameWay) {
    auto w = std::make_unique<SaleRunReport>();
    w->Create();
    w->show();
    QApplication::setActiveWindow(w.get());
    // F5 from a filter, and a tab from 统计 reaches the grid on its page.
    w->edit_goods->setFocus();
    QTest::keyClick(w->edit_goods, Qt::Key_F5);
    EXPECT_TRUE(w->UDPDB_Report->Active());
    EXPECT_EQ(w->bit_run->nextInFocusChain(), w->SaLp_PivotGrid);
    CancelLeavesTheWindowAsItWas(*this, w.get());
}

TEST_F(EverydayUse, AWindowClosedWhileItsStatementRunsGoesWhenTheStatementHasStopped) {
    QPointer<RunReport> w = new RunReport();
    w->Create();
    w->show();
    w->sql = kSlowSQL;
    bool closedAtOnce = true;
    WhileRunning(*w, [&] { closedAtOnce = w->close(); });
    w->ac_GetData->trigger();
    EXPECT_FALSE(closedAtOnce);
    ASSERT_FALSE(w.isNull());
    EXPECT_FALSE(w->UDPDB_Report->Active());
    for (int i = 0; i < 5 && w; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
}

TEST_F(EverydayUse, PickerButtonsAreDrawnReachedByKeysAndTellWhatTheyHold) {
    RunReport* w = Open();
    TcxButtonEdit* edit = w->edit_client;
    QToolButton* button = edit->Button();
    ASSERT_TRUE(button->isVisible());
    EXPECT_TRUE(edit->rect().contains(button->geometry()));
    EXPECT_GE(button->width(), 12);
    EXPECT_GE(button->geometry().right(), edit->width() - 4);
    // Drawn: its face shows more than one colour (the frame and the "…").
    const QImage face = button->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            colours.insert(face.pixel(x, y));
    EXPECT_GT(colours.size(), 2u);

    // Typing changes nothing; F4 and Alt+Down open the picker.
    QTest::keyClicks(edit, QStringLiteral("abc"));
    EXPECT_EQ(edit->text(), QStringLiteral("全部"));
    const std::vector<QString> codes =
        host->Column(QStringLiteral("select fcode from dt_client order by fcode"));
    const std::vector<QString> names =
        host->Column(QStringLiteral("select fabbrev from dt_client order by fcode"));
    ASSERT_GE(codes.size(), 2u);
    host->runner.QueuePick({codes[0], codes[1]});
    QTest::keyClick(edit, Qt::Key_F4);
    ASSERT_EQ(host->runner.formsShown.size(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("部分条件"));
    EXPECT_TRUE(edit->toolTip().contains(codes[0] + "  " + names[0])) << edit->toolTip().toStdString();
    EXPECT_TRUE(edit->toolTip().contains(codes[1] + "  " + names[1])) << edit->toolTip().toStdString();
    QTest::keyClick(w->edit_goods, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(host->runner.formsShown.size(), 2);  // cancelled: nothing changes
    EXPECT_EQ(w->edit_goods->text(), QStringLiteral("全部"));

    // The heading of the printout names the clients, not their codes.
    w->ac_GetData->trigger();
    const QStringList heading = w->ReportHeading();
    ASSERT_EQ(heading.size(), 3) << heading.join('|').toStdString();
    EXPECT_EQ(heading[0], QStringLiteral("统计测试"));
    EXPECT_TRUE(heading[1].startsWith(QStringLiteral("业务日期："))) << heading[1].toStdString();
    EXPECT_EQ(heading[2], QStringLiteral("过滤条件：客户：") + names[0] + "、" + names[1]);
    EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
}

TEST_F(EverydayUse, TabGoesThroughTheFiltersInReadingOrderThenRunThenTheGridAndF5Runs) {
    auto w = std::make_unique<MonthReport>();
    w->Create();
    w->show();
    QApplication::setActiveWindow(w.get());
    // The year and month were made after the panel's other controls, but sit on its second line.
    const QList<QWidget*> expected{w->edit_client, w->edit_goods,     w->edit_year,
                                   w->edit_month,  w->bit_run,        w->OLAP_PivotGrid,
                                   w->bit_print,   w->bit_excel,      w->RzBitBtn1};
    QList<QWidget*> order;
    for (QWidget* f = w->edit_client; order.size() < expected.size(); f = f->nextInFocusChain()) {
        if (expected.contains(f) && !order.contains(f))
            order << f;
        if (f->nextInFocusChain() == w->edit_client)
            break;
    }
    EXPECT_EQ(order, expected);

    w->edit_year->setFocus();
    QTest::keyClick(w->edit_year, Qt::Key_F5);
    EXPECT_TRUE(w->UDPDB_Report->Active());
    EXPECT_TRUE(w->ReportHeading().contains(QStringLiteral("统计期间：%1年%2月")
                                                .arg(w->edit_year->value())
                                                .arg(w->edit_month->value())));
    EXPECT_EQ(w->edit_year->maximum(), 9999);
    EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
}

}  // namespace
