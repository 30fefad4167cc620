// The four windows as widgets: their design rendered once against golden/, the pivot across
// runs, the shop box, a typed year.

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxLookupComboBox.h"
#include "reports/clientemp/unt_OLAPClientMonth.h"
#include "reports/clientemp/unt_OLAPClientYear.h"
#include "reports/clientemp/unt_OLAPEmpSaleMonth.h"
#include "reports/clientemp/unt_OLAPEmpSaleYear.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

using morvane::pivot::Area;
using ClientEmpTest = ReportTest;

const char* const kWindows[] = {"frm_OLAPClientYear", "frm_OLAPClientMonth", "frm_OLAPEmpSaleYear",
                                "frm_OLAPEmpSaleMonth"};

QStringList FieldsIn(Tbase_OLAPreport* w, Area area) {
    QStringList out;
    for (const auto* f : w->OLAP_PivotGrid->ViewData().fieldsInArea(area))
        out << f->name();
    return out;
}

TEST_F(ClientEmpTest, EachOpensAsDesignedWithThePeriodOfToday) {
    const QDate today = QDate::currentDate();
    QStringList problems;
    for (const char* name : kWindows) {
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(name));
        ASSERT_TRUE(Errors().isEmpty()) << name << Errors().toStdString();
        EXPECT_EQ(w->edit_year->value(), today.year()) << name;
        if (w->edit_month)
            EXPECT_EQ(w->edit_month->value(), today.month()) << name;
        EXPECT_FALSE(w->UDPDB_Report->Active());
        const QString problem = CheckGolden(CLIENTEMP_GOLDEN_DIR,
                                            QString::fromLatin1(name) + ".dump.txt", DumpWindow(w));
        if (!problem.isEmpty())
            problems << problem;
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(ClientEmpTest, CompositePivotIsDesignedOnceAndKeepsTheUsersArrangement) {
    auto* w = Open<Tfrm_OLAPClientYear>();
    const QStringList data = FieldsIn(w, Area::Data);

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

TEST_F(ClientEmpTest, AnEmptyShopBoxAsksForAShop) {
    for (const bool month : {false, true}) {
        Tbase_EmpSaleReport* w =
            month ? static_cast<Tbase_EmpSaleReport*>(Open<Tfrm_OLAPEmpSaleMonth>())
                  : Open<Tfrm_OLAPEmpSaleYear>();
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

}  // namespace
}  // namespace morvane::test
