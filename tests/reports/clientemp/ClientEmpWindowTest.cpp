// The four windows as widgets: export, caption, filter panel, pivot, shop box, typed year.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QCoreApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QSpinBox>
#include <QTest>

#include <climits>
#include <functional>

#include "entry/Morvane.h"
#include "entry/totalpub1.h"
#include "framework/unt_basefrmClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxButtonEdit.h"
#include "reports/ClientPeriodLookupCombo.h"
#include "reports/unt_OLAPClientMonth.h"
#include "reports/unt_OLAPClientYear.h"
#include "reports/unt_OLAPEmpSaleMonth.h"
#include "reports/unt_OLAPEmpSaleYear.h"
#include "tests/reports/clientemp/ClientEmpFixture.h"

namespace morvane::test {
namespace {

using morvane::pivot::Area;

struct WindowCase {
    const char* name;
    const char* caption;
    bool month;
    bool shopBox;
};
const WindowCase kWindows[] = {
    {"frm_OLAPClientYear", "加盟商综合分析年度总表", false, false},
    {"frm_OLAPClientMonth", "加盟商综合分析月度总表", true, false},
    {"frm_OLAPEmpSaleYear", "营业员业绩年度分析表", false, true},
    {"frm_OLAPEmpSaleMonth", "营业员销售月度分析表", true, true},
};

QStringList FieldsIn(Tbase_OLAPreport* w, Area area) {
    QStringList out;
    for (const auto* f : w->OLAP_PivotGrid->ViewData().fieldsInArea(area))
        out << f->name();
    return out;
}

TEST_F(ClientEmpTest, CaptionFilterPanelAndPeriodDefaults) {
    const QDate today = QDate::currentDate();
    for (const WindowCase& c : kWindows) {
        SCOPED_TRACE(c.name);
        const auto* cls = morvane::framework::FindWindowClass(c.name);
        ASSERT_NE(cls, nullptr);
        EXPECT_EQ(cls->caption, QString::fromUtf8(c.caption));
        Tbase_OLAPreport* w = OpenByName(c.name);
        EXPECT_EQ(w->Caption(), QString::fromUtf8(c.caption));
        ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();

        EXPECT_EQ(w->edit_client->isHidden(), c.shopBox);
        EXPECT_FALSE(w->RzLabel1->isHidden());
        EXPECT_EQ(w->RzLabel1->text(), c.shopBox ? "店铺选择：" : "客户选择：");
        for (QWidget* hidden : std::initializer_list<QWidget*>{
                 w->edit_goods, w->edit_house, w->edit_supplier, w->RzLabel2, w->RzLabel5,
                 w->oderdate_check, w->bill_date1, w->bill_date2, w->modidate_check,
                 w->input_date1, w->input_date2, w->postedcheck, w->sizecheck, w->flagcheck})
            EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
        EXPECT_EQ(w->findChild<QWidget*>("Com_client") != nullptr, c.shopBox);
        EXPECT_EQ(w->findChild<QLineEdit*>("cxDBTextEdit5") != nullptr, c.shopBox);

        auto* year = w->findChild<QSpinBox*>("edit_year");
        ASSERT_NE(year, nullptr);
        EXPECT_EQ(year->minimum(), 1901);
        EXPECT_EQ(year->maximum(), INT_MAX);
        EXPECT_EQ(year->value(), today.year());
        EXPECT_EQ(w->findChild<QLabel*>("RzLabel7")->text(), "年份：");
        auto* month = w->findChild<QSpinBox*>("edit_month");
        ASSERT_EQ(month != nullptr, c.month);
        if (month) {
            EXPECT_EQ(month->minimum(), 1);
            EXPECT_EQ(month->maximum(), 12);
            EXPECT_EQ(month->value(), today.month());
            EXPECT_EQ(w->findChild<QLabel*>("RzLabel8")->text(), "月度：");
        }
        EXPECT_FALSE(w->UDPDB_Report->Active());
    }
}

TEST_F(ClientEmpTest, CompositePivotIsDesignedOnceAndKeepsTheUsersArrangement) {
    auto* w = Open<Tfrm_OLAPClientYear>();
    const QStringList data{"订货数量", "订货金额", "销售数量",   "销售金额",
                           "退货数量", "退货金额", "净出货数量", "净出货金额",
                           "订金收入", "订金结转", "回款金额",   "其它费用"};
    EXPECT_EQ(FieldsIn(w, Area::Row), QStringList({"客户编号", "客户简称"}));
    EXPECT_EQ(FieldsIn(w, Area::Column), QStringList({"月份"}));
    EXPECT_EQ(FieldsIn(w, Area::Data), data);
    const TcxPivotGridOptionsDataField header = w->OLAP_PivotGrid->OptionsDataField();
    EXPECT_EQ(header.Area, dfaRow);
    EXPECT_EQ(header.AreaIndex, 2);
    EXPECT_EQ(header.Caption, "项目");
    EXPECT_TRUE(w->OLAP_PivotGrid->OptionsView().FilterFields);

    w->edit_year->setValue(2024);
    w->ac_GetData->trigger();
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    // Result columns without a design-time field (kind, grade) are not shown.
    EXPECT_EQ(w->OLAP_PivotGrid->FieldCount(), 15);
    EXPECT_EQ(w->OLAP_PivotGrid->GetFieldByName("客户性质"), nullptr);

    // A year without documents: net figures are 0 and show empty.
    morvane::pivot::PivotEngine& view = w->OLAP_PivotGrid->ViewData();
    int zeroCells = 0;
    for (int r = 0; r < view.rowCount(); ++r) {
        const auto* f = view.cellDataField(r, 0);
        if (f && f->name() == "净出货数量") {
            EXPECT_EQ(view.cellValue(r, 0).toString(), "0");
            EXPECT_EQ(view.cellText(r, 0), "");
            ++zeroCells;
        }
    }
    EXPECT_GT(zeroCells, 0);

    // The user moves the short name to the filter area; the next run keeps it there.
    w->SetFieldArea("客户简称", 2);
    w->edit_year->setValue(2025);
    w->ac_GetData->trigger();
    EXPECT_EQ(FieldsIn(w, Area::Row), QStringList({"客户编号"}));
    EXPECT_EQ(FieldsIn(w, Area::Filter), QStringList({"客户简称"}));
    EXPECT_EQ(FieldsIn(w, Area::Data), data);
    EXPECT_EQ(w->OLAP_PivotGrid->FieldCount(), 15);

    // Data cells are drawn as the grid draws them: a data field captioned 比例 is no share.
    w->OLAP_PivotGrid->GetFieldByName("退货金额")->setCaption("比例");
    int drawn = 0;
    for (int r = 0; r < view.rowCount(); ++r) {
        for (int c = 0; c < view.columnCount(); ++c) {
            const auto* f = view.cellDataField(r, c);
            if (f && f->name() == "退货金额" && !view.cellText(r, c).isEmpty()) {
                EXPECT_EQ(view.drawCell(r, c).text, view.cellText(r, c));
                ++drawn;
            }
        }
    }
    EXPECT_GT(drawn, 0);
}

TEST_F(ClientEmpTest, AssistantPivotAsDesignedAndAnEmptyShopBoxAsksForAShop) {
    for (const bool month : {false, true}) {
        Tbase_EmpSaleReport* w =
            month ? static_cast<Tbase_EmpSaleReport*>(Open<Tfrm_OLAPEmpSaleMonth>())
                  : Open<Tfrm_OLAPEmpSaleYear>();
        EXPECT_EQ(FieldsIn(w, Area::Row), QStringList({month ? "日期" : "月份"}));
        EXPECT_EQ(FieldsIn(w, Area::Column), QStringList({"营业员编号", "营业员姓名"}));
        EXPECT_EQ(FieldsIn(w, Area::Data), QStringList({"数量", "金额", "比例"}));
        EXPECT_FALSE(w->OLAP_PivotGrid->OptionsView().FilterFields);
        EXPECT_EQ(w->OLAP_PivotGrid->OptionsDataField().Area, dfaColumn);

        EXPECT_EQ(w->Com_client->currentText(), "");
        w->show();
        QApplication::setActiveWindow(w);
        w->edit_year->setFocus();
        host->runner.messages.clear();
        const std::size_t before = host->Statements().size();

        w->ac_GetData->trigger();
        ASSERT_EQ(host->runner.messages.size(), 1u);
        EXPECT_EQ(host->runner.messages[0].caption, "系统提示");
        EXPECT_EQ(host->runner.messages[0].text, "请选择店铺!");
        EXPECT_EQ(host->runner.messages[0].icon, morvane::ui::MsgIcon::Information);
        EXPECT_TRUE(w->Com_client->hasFocus());
        EXPECT_EQ(host->Statements().size(), before);
        EXPECT_FALSE(w->UDPDB_Report->Active());
        EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    }
}

TEST_F(ClientEmpTest, TheShopBoxFindsItsShopWhateverTheCaseAndKeepsAnUnknownCode) {
    auto* w = Open<Tfrm_OLAPEmpSaleYear>();
    w->show();
    QApplication::setActiveWindow(w);
    const std::vector<QStringList> shops = Rows(
        "select fcode,fabbrev from dt_client where fcode in(select distinct(fclientcode) "
        "from d_s_sale)");
    ASSERT_GE(shops.size(), 3u);
    const QStringList& wanted = shops[2];
    EXPECT_EQ(w->ads_client->GetRecordCount(), int(shops.size()));
    EXPECT_EQ(w->Com_client->count(), int(shops.size()));
    EXPECT_EQ(w->cxDBTextEdit5->text(), w->ads_client->FieldByName("fabbrev")->AsString());
    EXPECT_TRUE(w->cxDBTextEdit5->isReadOnly());

    w->Com_client->lineEdit()->setFocus();
    QTest::keyClicks(w->Com_client->lineEdit(), wanted[0].toLower());
    QTest::keyClick(w->Com_client->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->ads_client->FieldByName("fcode")->AsString(), wanted[0]);
    EXPECT_EQ(w->cxDBTextEdit5->text(), wanted[1]);

    // A code without a shop: the row stays, the code is used as typed.
    w->Com_client->lineEdit()->selectAll();
    QTest::keyClicks(w->Com_client->lineEdit(), "NO'SHOP");
    QTest::keyClick(w->Com_client->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->ads_client->FieldByName("fcode")->AsString(), wanted[0]);
    EXPECT_EQ(w->cxDBTextEdit5->text(), wanted[1]);
    EXPECT_EQ(w->Com_client->currentText(), "NO'SHOP");

    w->ac_GetData->trigger();
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    EXPECT_TRUE(w->UDPDB_Report->SQL().contains("where a.fclientcode='NO''SHOP' and"));
    EXPECT_EQ(ReportRows(w, {"月份"}).size(), 12u);  // twelve months, nobody sold

    // The shop list was read once, at creation.
    w->ac_GetData->trigger();
    int lists = 0;
    for (const std::string& s : host->Statements())
        lists +=
            QString::fromStdString(s).startsWith("select fcode,fabbrev,fmathod from dt_client");
    EXPECT_EQ(lists, 1);
}

TEST_F(ClientEmpTest, AYearBeingTypedNeverReachesTheStatementAsText) {
    auto* w = Open<Tfrm_OLAPClientMonth>();
    w->show();
    QApplication::setActiveWindow(w);
    w->edit_year->setValue(2025);
    w->edit_month->setValue(2);
    w->edit_year->setFocus();
    QTest::keyClick(w->edit_year, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->edit_year, Qt::Key_Backspace);
    ASSERT_EQ(w->edit_year->text(), "");
    w->ac_GetData->trigger();
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    const QString sql = w->UDPDB_Report->SQL();
    EXPECT_TRUE(sql.contains("fn_monthday('2025-2-1')")) << sql.toStdString();
    EXPECT_TRUE(sql.contains("year(b.fbilldate)=2025 and month(b.fbilldate)=2\r"));
}

TEST(ClientEmpExport, TheWindowsOpenThroughTheExportOnceAndClearTheirInstanceOnClose) {
    morvane::entry::ResetSession();
    auto host = std::make_unique<SpineHost>(DemoDb(), &CreateDLLForm);
    const std::pair<const char*, std::function<QWidget*()>> windows[] = {
        {"frm_OLAPClientYear", [] { return frm_OLAPClientYear; }},
        {"frm_OLAPClientMonth", [] { return frm_OLAPClientMonth; }},
        {"frm_OLAPEmpSaleYear", [] { return frm_OLAPEmpSaleYear; }},
        {"frm_OLAPEmpSaleMonth", [] { return frm_OLAPEmpSaleMonth; }},
    };
    for (const auto& [name, instance] : windows) {
        SCOPED_TRACE(name);
        QWidget* w = host->Open(name, "001");
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(instance(), w);
        EXPECT_EQ(host->Open(name, "001"), w);
        EXPECT_TRUE(host->errors.messages.isEmpty())
            << host->errors.messages.join('\n').toStdString();
        QPointer<QWidget> guard(w);
        qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(guard.isNull());
        EXPECT_EQ(instance(), nullptr);
    }
    host.reset();
    morvane::entry::ResetSession();
    morvane::ui::SetApplication(nullptr);
}

}  // namespace
}  // namespace morvane::test
