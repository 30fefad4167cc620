// The behaviour both pivot bases share, run against each of them (Tbase_OLAPreport and
// Tbase_SaleOlAP) through a small report window: filter panel, size columns, date switches,
// pickers, get data, a failing statement, the open-window list; then what sets each apart
// (its component names, fonts, page control, F7).

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <tuple>

#include "entry/Morvane.h"
#include "forms/WindowClasses.h"
#include "framework/unt_BaseOLAPreport.h"
#include "framework/unt_SaleOlAP.h"
#include "pickers/unt_BillGoodsBmp.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/ComponentPrinter.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotGridStyles.h"
#include "platform/ui/PivotReportLink.h"
#include "platform/ui/TcxButtonEdit.h"
#include "platform/ui/TcxStyle.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"

namespace {

// A zero measure, a missing colour, two shops with subtotals, the share after the quantity.
const QString kRowsSQL = QStringLiteral(
    "select '甲' 店铺,'A1' 货号,'红' 颜色,3 数量,NULL 比例\r"
    "union all select '甲','A1','蓝',1,NULL\r"
    "union all select '甲','A2','红',4,NULL\r"
    "union all select '乙','B1','红',0,NULL\r"
    "union all select '乙','B2','蓝',2,NULL\r");

const std::string kGoldenPivot =
    "\t\t红\t\t蓝\t\t合计\t\n"
    "店铺\t货号\t数量\t比例\t数量\t比例\t数量\t比例\n"
    "乙\tB1\t\t\t\t\t\t\n"
    "\tB2\t\t\t2\t100%\t2\t100%\n"
    "乙 小计\t\t\t\t2\t100%\t2\t100%\n"
    "甲\tA1\t3\t75%\t1\t25%\t4\t100%\n"
    "\tA2\t4\t100%\t\t\t4\t100%\n"
    "甲 小计\t\t7\t87.5%\t1\t12.5%\t8\t100%\n"
    "合计\t\t7\t70%\t3\t30%\t10\t100%";

template <class Base>
class TestReport : public Base {
  public:
    // Named: under its test caption; otherwise the base's design caption stays.
    explicit TestReport(bool named = true) {
        if (named)
            this->SetCaption(QStringLiteral("测试透视"));
    }
    QString sql = kRowsSQL;

  protected:
    QString GetDataSQL() override { return sql; }
    void SetFieldAreas() override {
        this->SetFieldArea(QStringLiteral("店铺"), 1);
        this->SetFieldArea(QStringLiteral("货号"), 1);
        this->SetFieldArea(QStringLiteral("颜色"), 0);
        this->SetFieldArea(QStringLiteral("数量"), 3);
        this->SetFieldArea(QStringLiteral("比例"), 3);
    }
};

template <class Base>
TestReport<Base>* frm_TestReport = nullptr;

// What sets the two bases apart.
struct BaseKind {
    const char* caption;
    const char* grid;
    const char* printer;
    const char* link;
    const char* style;
    int bottomPanel;
    bool setsFonts;
    const char* row;  // a window-table row the host test opens the window under
};

template <class Base>
BaseKind KindOf();
template <>
BaseKind KindOf<Tbase_OLAPreport>() {
    return {.caption = "base_OLAPreport",
            .grid = "OLAP_PivotGrid",
            .printer = "Grid_PrintCompot",
            .link = "Grid_PrintCompotLink1",
            .style = "cxStyle1",
            .bottomPanel = 27,
            .setsFonts = true,
            .row = "frm_OLAPAllStock"};
}
template <>
BaseKind KindOf<Tbase_SaleOlAP>() {
    return {.caption = "base_SaleOlAP",
            .grid = "SaLp_PivotGrid",
            .printer = "Cxgrid_pring",
            .link = "Cxgrid_pringLink1",
            .style = "cxStyle_White",
            .bottomPanel = 31,
            .setsFonts = false,
            .row = "frm_SaLp_SortPrice"};
}

template <class Base>
class PivotBase : public ::testing::Test {
  protected:
    using Window = TestReport<Base>;

    void SetUp() override { Start(morvane::test::DemoDb()); }
    // A host on the database file, signed in as 001.
    void Start(const QString& db) {
        window.reset();
        morvane::session::ResetSession();
        morvane::ui::SetApplication(nullptr);
        host = std::make_unique<morvane::test::SpineHost>(db);
        morvane::ui::SetApplication(host->app.get());
        pub_connection = host->connection.get();
        pub_mainform = host->mainForm.get();
        pub_userno = QStringLiteral("001");
        pub_listname = QStringLiteral("测试透视");
        auto* style = new TcxStyle(host->app->Owner());
        style->SetColor(0x00E0FFFF);
        pub_gridstyle = style;
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
    Window* Open() {
        window = std::make_unique<Window>();
        window->Create();
        return window.get();
    }
    QStringList OpenCaptions() const {
        QStringList out;
        for (int i = 0; i < host->mainForm->OpenWindows().Count(); ++i)
            out << host->mainForm->OpenWindows().Strings(i);
        return out;
    }
    std::size_t StatementCount() const { return host->Statements().size(); }
    std::string Errors() const { return host->errors.messages.join('\n').toStdString(); }

    std::unique_ptr<morvane::test::SpineHost> host;
    std::unique_ptr<Window> window;
};

using Bases = ::testing::Types<Tbase_OLAPreport, Tbase_SaleOlAP>;
class BaseNames {
  public:
    template <class T>
    static std::string GetName(int) {
        return std::is_same_v<T, Tbase_OLAPreport> ? "OLAPreport" : "SaleOlAP";
    }
};
TYPED_TEST_SUITE(PivotBase, Bases, BaseNames);

TYPED_TEST(PivotBase, AFreshWindowShowsTheFilterPanelWithItsDefaults) {
    auto* w = this->Open();
    EXPECT_TRUE(this->host->errors.messages.isEmpty()) << this->Errors();
    EXPECT_EQ(w->cxGroupBox1->title(), "过滤条件");
    EXPECT_EQ(w->cxGroupBox1->height(), 101);
    const std::pair<QString, const char*> captions[] = {{w->RzLabel1->text(), "客户选择："},
                                                        {w->RzLabel2->text(), "货品选择："},
                                                        {w->RzLabel5->text(), "仓库选择："},
                                                        {w->RzLabel3->text(), "至"},
                                                        {w->RzLabel4->text(), "至"},
                                                        {w->edit_client->text(), "全部"},
                                                        {w->edit_goods->text(), "全部"},
                                                        {w->edit_supplier->text(), "全部"},
                                                        {w->edit_house->text(), "全部"},
                                                        {w->oderdate_check->text(), "业务日期:"},
                                                        {w->modidate_check->text(), "制单日期:"},
                                                        {w->postedcheck->text(), "审核否"},
                                                        {w->sizecheck->text(), "显示尺码明细"},
                                                        {w->flagcheck->text(), "完成否"},
                                                        {w->bit_run->text(), "统计"},
                                                        {w->bit_print->text(), "打印"},
                                                        {w->bit_excel->text(), "Excel"},
                                                        {w->RzBitBtn1->text(), "关闭"}};
    for (const auto& [shown, wanted] : captions)
        EXPECT_EQ(shown, QString::fromUtf8(wanted));
    EXPECT_FALSE(w->edit_client->isHidden() || w->sizecheck->isHidden() ||
                 w->postedcheck->isHidden());
    EXPECT_TRUE(w->edit_supplier->isHidden() && w->flagcheck->isHidden());
    EXPECT_TRUE(w->oderdate_check->isChecked());
    EXPECT_FALSE(w->modidate_check->isChecked());
    EXPECT_FALSE(w->postedcheck->isChecked() || w->sizecheck->isChecked() ||
                 w->flagcheck->isChecked());

    const QDate today = QDate::currentDate();
    const QDate first(today.year(), today.month(), 1);
    EXPECT_EQ(w->bill_date1->date(), first);
    EXPECT_EQ(w->bill_date2->date(), today);
    EXPECT_EQ(w->input_date1->date(), first);
    EXPECT_EQ(w->input_date2->date(), today);
    EXPECT_TRUE(w->bill_date1->isEnabled() && w->bill_date2->isEnabled());
    EXPECT_FALSE(w->input_date1->isEnabled() || w->input_date2->isEnabled());

    EXPECT_TRUE(w->sel_client.isEmpty() && w->sel_goods.isEmpty() && w->sel_supplier.isEmpty() &&
                w->sel_house.isEmpty());
    EXPECT_EQ(w->template findChild<QAction*>("ac_GetData"), w->ac_GetData);
    EXPECT_EQ(w->bit_excel->isEnabled(), w->UserRight.b_excel);
    EXPECT_EQ(w->size(), QSize(727, 490));
    TcxDBPivotGrid* grid = w->PivotGrid();
    EXPECT_EQ(grid->DataSet(), w->UDPDB_Report);
    EXPECT_EQ(grid->FilterDropDownItemCount(), 150);
    EXPECT_EQ(grid->Styles()->GetValue(TcxPivotGridStyles::psTotal), pub_gridstyle);
    EXPECT_EQ(grid->Styles()->Content(), w->PivotStyle());
    EXPECT_EQ(w->PivotStyle()->Color(), morvane::ui::clWhite);
    EXPECT_FALSE(w->UDPDB_Report->Active());
    EXPECT_TRUE(w->ResultText().isNull());
}

// The names, fonts and bottom panel each base keeps for itself.
TYPED_TEST(PivotBase, KeepsItsOwnComponentNamesAndFonts) {
    const BaseKind kind = KindOf<TypeParam>();
    EXPECT_EQ(typename TestFixture::Window(false).Caption(), kind.caption);
    this->window = std::make_unique<typename TestFixture::Window>();
    auto* w = this->window.get();
    const QFont designedBox = w->cxGroupBox1->font(), designedWindow = w->font();
    w->Create();
    EXPECT_EQ(w->PivotGrid()->objectName(), kind.grid);
    EXPECT_EQ(w->PivotPrinter()->objectName(), kind.printer);
    EXPECT_EQ(w->PivotPrintLink()->objectName(), kind.link);
    EXPECT_EQ(w->PivotStyle()->objectName(), kind.style);
    EXPECT_EQ(w->RzPanel1->height(), kind.bottomPanel);
    if (kind.setsFonts) {
        EXPECT_EQ(w->cxGroupBox1->font().pointSize(), 10);
        EXPECT_EQ(w->font().pointSize(), 9);
    } else {
        EXPECT_EQ(w->cxGroupBox1->font(), designedBox);
        EXPECT_EQ(w->font(), designedWindow);
    }
}

TYPED_TEST(PivotBase, SizeColumnsFollowTheSizeCount) {
    pub_sizecount = 3;
    EXPECT_EQ(this->Open()->size_columns,
              "sum(isnull(a.s1,0)) as [尺码1],sum(isnull(a.s2,0)) as [尺码2],"
              "sum(isnull(a.s3,0)) as [尺码3]");

    pub_sizecount = 0;
    EXPECT_EQ(this->Open()->size_columns, "");
    EXPECT_FALSE(this->window->sizecheck->isHidden());

    pub_sizecount = 1;
    this->window = std::make_unique<typename TestFixture::Window>();
    this->window->sizecheck->setChecked(true);
    this->window->Create();
    EXPECT_EQ(this->window->size_columns, "sum(isnull(a.s1,0)) as [尺码1]");
    EXPECT_TRUE(this->window->sizecheck->isHidden());
    EXPECT_FALSE(this->window->sizecheck->isChecked());

    pub_sizecount = 12;
    const QString twelve = this->Open()->size_columns;
    EXPECT_EQ(twelve.count("sum(isnull("), 12);
    EXPECT_TRUE(twelve.endsWith(",sum(isnull(a.s12,0)) as [尺码12]")) << twelve.toStdString();
}

TYPED_TEST(PivotBase, DateChecksSwitchTheirRangesAndKeepTheDates) {
    auto* w = this->Open();
    const QDate d(2026, 3, 7);
    w->bill_date1->setDate(d);
    w->oderdate_check->click();
    EXPECT_FALSE(w->bill_date1->isEnabled() || w->bill_date2->isEnabled());
    w->oderdate_check->click();
    EXPECT_TRUE(w->bill_date1->isEnabled() && w->bill_date2->isEnabled());
    EXPECT_EQ(w->bill_date1->date(), d);

    w->modidate_check->click();
    EXPECT_TRUE(w->input_date1->isEnabled() && w->input_date2->isEnabled());
    w->modidate_check->click();
    EXPECT_FALSE(w->input_date1->isEnabled() || w->input_date2->isEnabled());
}

TYPED_TEST(PivotBase, ThePickersFillTheCodeListsAndCancelKeepsThem) {
    auto* w = this->Open();
    auto& host = *this->host;
    const std::vector<QString> clients =
        host.Column(QStringLiteral("select fcode from dt_client order by fcode"));
    ASSERT_GE(clients.size(), 2u);

    host.runner.QueuePick({clients[0]});
    w->edit_client->PressButton();
    EXPECT_EQ(w->sel_client, "'" + clients[0] + "'");
    EXPECT_EQ(w->edit_client->text(), "部分条件");

    // Cancel: the earlier list and text stay.
    w->edit_client->PressButton();
    EXPECT_EQ(w->sel_client, "'" + clients[0] + "'");
    EXPECT_EQ(w->edit_client->text(), "部分条件");

    // A fresh picker carries no ticks: ticking one other code gives only that code.
    host.runner.QueuePick({clients[1]});
    w->edit_client->PressButton();
    EXPECT_EQ(w->sel_client, "'" + clients[1] + "'");

    host.runner.QueuePick({clients[1], clients[0]});
    w->edit_client->PressButton();
    QStringList both = w->sel_client.split(',');
    both.sort();
    EXPECT_EQ(both, QStringList({"'" + clients[0] + "'", "'" + clients[1] + "'"}));

    host.runner.QueuePick({});
    w->edit_client->PressButton();
    EXPECT_EQ(w->sel_client, "");
    EXPECT_EQ(w->edit_client->text(), "全部条件");

    // Each other picker collects its own code column into its own list.
    const std::tuple<TcxButtonEdit*, QString*, const char*> others[] = {
        {w->edit_house, &w->sel_house, "select fcode from dt_house order by fcode"},
        {w->edit_goods, &w->sel_goods, "select goodsid from goods order by goodsid"},
        {w->edit_supplier, &w->sel_supplier, "select fcode from dt_supplier order by fcode"}};
    for (const auto& [edit, list, query] : others) {
        const std::vector<QString> codes = host.Column(QString::fromUtf8(query));
        ASSERT_FALSE(codes.empty()) << query;
        // The earlier picks left this one alone.
        EXPECT_TRUE(list->isEmpty() && edit->text() == "全部") << query;
        host.runner.QueuePick({codes[0]});
        edit->PressButton();
        EXPECT_EQ(*list, "'" + codes[0] + "'") << query;
        EXPECT_EQ(edit->text(), "部分条件") << query;
    }
    EXPECT_TRUE(w->sel_client.isEmpty() && w->edit_client->text() == "全部条件");
    EXPECT_TRUE(host.runner.unmatchedCodes.isEmpty())
        << host.runner.unmatchedCodes.join(',').toStdString();
    EXPECT_EQ(host.runner.formsShown.size(), 8);
    EXPECT_TRUE(host.errors.messages.isEmpty()) << this->Errors();
}

// A code holding an apostrophe stays one literal in the list.
TYPED_TEST(PivotBase, APickedCodeWithAnApostropheIsQuotedWhole) {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("quote.db"));
    ASSERT_TRUE(QFile::copy(this->host->DbFile(), copy));
    morvane::test::ExecOnFile(
        copy, "insert into dt_client(fcode,fabbrev,fname) values('Q''1','引号','引号')");
    this->Start(copy);
    auto* w = this->Open();
    this->host->runner.QueuePick({QStringLiteral("Q'1")});
    w->edit_client->PressButton();
    EXPECT_TRUE(this->host->runner.unmatchedCodes.isEmpty());
    EXPECT_EQ(w->sel_client, "'Q''1'");
}

TYPED_TEST(PivotBase, GetDataShowsThePaintedPivot) {
    auto* w = this->Open();
    w->ac_GetData->trigger();
    ASSERT_TRUE(this->host->errors.messages.isEmpty()) << this->Errors();
    ASSERT_TRUE(w->UDPDB_Report->Active());
    EXPECT_EQ(w->DataSetSQL("UDPDB_Report"), kRowsSQL);
    EXPECT_EQ(w->ResultText().toStdString(), kGoldenPivot);
}

TYPED_TEST(PivotBase, AFailingStatementKeepsTheFilterStateAndTheFields) {
    auto* w = this->Open();
    auto& errors = this->host->errors.messages;
    w->ac_GetData->trigger();
    ASSERT_TRUE(w->UDPDB_Report->Active());
    const int fields = w->PivotGrid()->FieldCount();
    w->sel_goods = QStringLiteral("'A1'");

    w->sql = QStringLiteral("select fnosuch from nosuchtable");
    w->ac_GetData->trigger();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("nosuch")) << errors[0].toStdString();
    EXPECT_FALSE(w->UDPDB_Report->Active());
    EXPECT_TRUE(w->ResultText().isNull());
    EXPECT_EQ(w->sel_goods, "'A1'");
    ASSERT_EQ(w->PivotGrid()->FieldCount(), fields);
    auto* shop = w->PivotGrid()->GetFieldByName(QStringLiteral("店铺"));
    ASSERT_NE(shop, nullptr);
    EXPECT_EQ(shop->area(), morvane::pivot::Area::Row);

    // A window that stops before its query leaves the dataset and the connection alone.
    w->sql = QString();
    const std::size_t before = this->StatementCount();
    w->ac_GetData->trigger();
    EXPECT_EQ(this->StatementCount(), before);
    EXPECT_EQ(errors.size(), 1);
}

TYPED_TEST(PivotBase, TheCaptionStaysInTheOpenWindowListWhileTheWindowLives) {
    this->Open();
    EXPECT_EQ(this->OpenCaptions(), QStringList{"测试透视"});
    QPointer<typename TestFixture::Window> w = this->window.release();
    w->ac_GetData->trigger();
    ASSERT_TRUE(w->UDPDB_Report->Active());
    QPointer<TcxDBPivotGrid> grid = w->PivotGrid();
    TCloseAction action = morvane::ui::caHide;
    w->FormClose(w, action);
    EXPECT_EQ(action, morvane::ui::caFree);
    EXPECT_EQ(grid->DataSet(), nullptr);
    EXPECT_FALSE(w->UDPDB_Report->Active());
    EXPECT_EQ(this->OpenCaptions(), QStringList{"测试透视"});  // still there until the window goes
    w->ac_close->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(this->OpenCaptions().isEmpty());
    EXPECT_EQ(this->host->SyslogRows().back(), "001|测试透视|离开");
}

TYPED_TEST(PivotBase, OpenedByTheHostItRunsAsAnMdiChild) {
    using Window = typename TestFixture::Window;
    const QString row = QString::fromLatin1(KindOf<TypeParam>().row);
    // CreateDLLForm loads the session and frames the window in the MDI area.
    morvane::session::ResetSession();
    morvane::ui::SetApplication(nullptr);
    this->host =
        std::make_unique<morvane::test::SpineHost>(morvane::test::DemoDb(), &CreateDLLForm);
    ASSERT_TRUE(morvane::forms::RegisterWindowClassOf<Window>(
        row, QStringLiteral("TestReport"), frm_TestReport<TypeParam>, QStringLiteral("测试透视")));
    auto* w = dynamic_cast<Window*>(this->host->Open(row, "001"));
    ASSERT_NE(w, nullptr);
    auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->size(), QSize(727, 490));
    EXPECT_EQ(this->OpenCaptions(), QStringList{"测试透视"});
    for (auto* data : w->template findChildren<TRemoteUdpDataSet*>())
        EXPECT_EQ(data->SetupUdpParent(), this->host->connection.get())
            << data->objectName().toStdString();
    w->ac_GetData->trigger();
    EXPECT_TRUE(w->ResultText().startsWith("\t\t红\t\t蓝\t\t合计"));
    EXPECT_TRUE(this->host->errors.messages.isEmpty()) << this->Errors();
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frm_TestReport<TypeParam>, nullptr);
    EXPECT_TRUE(this->OpenCaptions().isEmpty());
    morvane::forms::UnregisterWindowClass(row);
}

// ---- what only one base has

using OlapReport = PivotBase<Tbase_OLAPreport>;
using SaleOlap = PivotBase<Tbase_SaleOlAP>;

TEST_F(OlapReport, F7ShowsThePictureOfTheFocusedGoodsOnly) {
    Window* w = Open();
    // Without data nothing happens.
    std::size_t before = StatementCount();
    QTest::keyClick(w, Qt::Key_F7);
    EXPECT_EQ(StatementCount(), before);

    // Rows without a 货号 field: nothing either.
    w->sql = QStringLiteral("select '甲' 店铺,5 数量,NULL 比例");
    w->ac_GetData->trigger();
    before = StatementCount();
    QTest::keyClick(w, Qt::Key_F7);
    EXPECT_EQ(StatementCount(), before);
    EXPECT_EQ(frm_BillGoodsBmp, nullptr);

    w->sql = kRowsSQL;
    w->ac_GetData->trigger();
    w->OLAP_PivotGrid->SetFocusedCell(4, 0);  // 甲 / A2, after 乙 and its subtotal
    QTest::keyClick(w, Qt::Key_F7);
    ASSERT_TRUE(host->errors.messages.isEmpty()) << Errors();
    EXPECT_EQ(w->DataSetSQL("ads_GoodsImage").toStdString(),
              "select top 1 fimage from goodsImage where fgoodsid='A2'");
    ASSERT_NE(frm_BillGoodsBmp, nullptr);
    EXPECT_TRUE(frm_BillGoodsBmp->isVisible());
    Tfrm_BillGoodsBmp* first = frm_BillGoodsBmp;
    QTest::keyClick(w, Qt::Key_F7);
    EXPECT_EQ(frm_BillGoodsBmp, first);  // one picture window, reused
}

// The grid sits on the first of two tab-less pages; F7 does nothing.
TEST_F(SaleOlap, ShowsItsGridOnTheFirstPageAndIgnoresF7) {
    Window* w = Open();
    w->show();
    EXPECT_EQ(w->SaLp_PivotGrid->parentWidget(), w->TabSheet1);
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TabSheet1);
    EXPECT_EQ(w->PageControl1->count(), 2);
    EXPECT_EQ(w->PageControl1->widget(1), w->TabSheet2);
    EXPECT_TRUE(w->TabSheet2->children().isEmpty());
    EXPECT_TRUE(w->SaLp_PivotGrid->isVisible());
    EXPECT_FALSE(w->TabSheet2->isVisible());
    EXPECT_EQ(w->ads_temp->objectName(), "ads_temp");
    EXPECT_EQ(w->ads_temp->SetupUdpParent(), host->connection.get());

    w->ac_GetData->trigger();
    w->SaLp_PivotGrid->SetFocusedCell(4, 0);
    const std::size_t before = StatementCount();
    QTest::keyClick(w, Qt::Key_F7);
    EXPECT_EQ(StatementCount(), before);
    EXPECT_EQ(frm_BillGoodsBmp, nullptr);
    EXPECT_TRUE(w->DataSetSQL("ads_GoodsImage").isEmpty());
}

}  // namespace
