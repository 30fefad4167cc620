// The period windows as widgets: caption, filter panel, period edits, pivot, errors.

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>

#include <climits>

#include "entry/totalpub1.h"
#include "framework/unt_basefrmClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxButtonEdit.h"
#include "tests/reports/period/PeriodFixture.h"

namespace {

using morvane::pivot::Area;

struct Expected {
    const char* name;
    const char* caption;
    bool month;
    bool client, supplier, goods, house;
    const char* partnerLabel;
    const char* rows;  // design-time fields by area, joined by "|"
    const char* columns;
    const char* data;
    const char* filter;
    bool filterArea;
    TcxPivotGridDataFieldArea dataArea;
    int dataIndex;
};

const Expected kExpected[] = {
    {"frm_OLAPSaleMonth", "销售出仓月度分析总表", true, true, false, true, true, "客户选择：",
     "日期", "客户性质|客户简称", "数量|金额", "客户等级|客户编号", true, dfaColumn, 2},
    {"frm_OLAPRetailMonth", "店铺零售月度分析总表", true, true, false, true, false, "客户选择：",
     "店铺编号|店铺简称|店铺性质", "日期", "数量|金额", "", true, dfaRow, -1},
    {"frm_OLAPRecevingMonth", "采购入库月度分析总表", true, false, true, true, true, "厂商选择：",
     "日期", "厂商名称", "数量|金额", "厂商编号", true, dfaColumn, 1},
    {"frm_OLAPPaymentMonth", "销售回款月度分析总表", true, true, false, false, false, "客户选择：",
     "客户性质|客户编号|客户简称", "日期", "回款金额", "", false, dfaColumn, -1},
    {"frm_OLAPPaymentsMonth", "采购付款月度分析总表", true, false, true, false, false, "厂商选择：",
     "厂商编号|厂商名称", "日期", "金额", "", false, dfaColumn, -1},
    {"frm_OLAPSaleYear", "销售出仓年度分析总表", false, true, false, true, true, "客户选择：",
     "客户简称", "月份", "数量|金额", "客户编号|客户性质", true, dfaColumn, -1},
    {"frm_OLAPRetailYear", "店铺零售年度分析总表", false, true, false, true, false, "店铺选择：",
     "店铺编号|店铺简称|店铺性质", "月份", "数量|金额", "", true, dfaColumn, -1},
    {"frm_OLAPRecevingYear", "厂商到货年度分析总表", false, false, true, true, true, "厂商选择：",
     "厂商编号|厂商名称", "月份", "数量|金额", "", false, dfaColumn, -1},
    {"frm_OLAPPaymentYear", "销售回款年度分析总表", false, true, false, false, false, "客户选择：",
     "客户编号|客户简称|客户性质", "月份", "金额", "", false, dfaColumn, -1},
    {"frm_OLAPPaymentsYear", "采购付款年度分析总表", false, false, true, false, false, "厂商选择：",
     "厂商编号|厂商名称", "月份", "金额|比例", "", false, dfaColumn, -1},
};

QString FieldsIn(TcxDBPivotGrid* grid, Area area) {
    QStringList names;
    for (const morvane::pivot::PivotField* f : grid->ViewData().fieldsInArea(area))
        names << f->name();
    return names.join('|');
}

class PeriodWindows : public morvane::test::PeriodTest,
                      public ::testing::WithParamInterface<Expected> {};

TEST_P(PeriodWindows, OpenWithTheirFilterPanelPeriodAndDesignedPivot) {
    const Expected e = GetParam();
    const morvane::framework::TWindowClass* cls =
        morvane::framework::FindWindowClass(QString::fromLatin1(e.name));
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->caption, QString::fromUtf8(e.caption));

    Tbase_PeriodReport* w = Open(QString::fromLatin1(e.name));
    EXPECT_TRUE(host->errors.messages.isEmpty()) << Errors().toStdString();
    EXPECT_EQ(w->Caption(), QString::fromUtf8(e.caption));
    EXPECT_TRUE(host->mainForm->OpenWindows().IndexOf(w->Caption()) >= 0);

    EXPECT_EQ(w->edit_client->isHidden(), !e.client);
    EXPECT_EQ(w->edit_supplier->isHidden(), !e.supplier);
    EXPECT_EQ(w->edit_goods->isHidden(), !e.goods);
    EXPECT_EQ(w->RzLabel2->isHidden(), !e.goods);
    EXPECT_EQ(w->edit_house->isHidden(), !e.house);
    EXPECT_EQ(w->RzLabel5->isHidden(), !e.house);
    EXPECT_FALSE(w->RzLabel1->isHidden());
    EXPECT_EQ(w->RzLabel1->text(), QString::fromUtf8(e.partnerLabel));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             w->oderdate_check, w->bill_date1, w->bill_date2, w->RzLabel3, w->modidate_check,
             w->input_date1, w->input_date2, w->RzLabel4, w->postedcheck, w->sizecheck,
             w->flagcheck}) {
        EXPECT_TRUE(hidden->isHidden()) << e.name << " " << hidden->objectName().toStdString();
    }

    const QDate today = QDate::currentDate();
    EXPECT_EQ(w->RzLabel7->text(), "年份：");
    EXPECT_EQ(w->edit_year->minimum(), 1901);
    EXPECT_EQ(w->edit_year->maximum(), INT_MAX);
    EXPECT_EQ(w->edit_year->text(), QString::number(today.year()));
    EXPECT_EQ(w->edit_year->parentWidget(), w->cxGroupBox1);
    EXPECT_FALSE(w->edit_year->isHidden());
    if (e.month) {
        ASSERT_NE(w->edit_month, nullptr);
        EXPECT_EQ(w->RzLabel8->text(), "月度：");
        EXPECT_EQ(w->edit_month->minimum(), 1);
        EXPECT_EQ(w->edit_month->maximum(), 12);
        EXPECT_EQ(w->edit_month->text(), QString::number(today.month()));
        EXPECT_FALSE(w->edit_month->isHidden());
    } else {
        EXPECT_EQ(w->edit_month, nullptr);
        EXPECT_EQ(w->findChild<QSpinBox*>(QStringLiteral("edit_month")), nullptr);
    }

    TcxDBPivotGrid* grid = w->OLAP_PivotGrid;
    EXPECT_EQ(FieldsIn(grid, Area::Row), QString::fromUtf8(e.rows));
    EXPECT_EQ(FieldsIn(grid, Area::Column), QString::fromUtf8(e.columns));
    EXPECT_EQ(FieldsIn(grid, Area::Data), QString::fromUtf8(e.data));
    EXPECT_EQ(FieldsIn(grid, Area::Filter), QString::fromUtf8(e.filter));
    EXPECT_EQ(grid->OptionsView().FilterFields, e.filterArea);
    EXPECT_EQ(grid->OptionsDataField().Area, e.dataArea);
    EXPECT_EQ(grid->OptionsDataField().AreaIndex, e.dataIndex);
    EXPECT_EQ(grid->OptionsDataField().Caption, "项目");
    for (int i = 0; i < grid->FieldCount(); ++i)
        EXPECT_EQ(grid->Fields(i)->caption(), grid->Fields(i)->name());
    EXPECT_EQ(grid->GetFieldByName(QStringLiteral("fbilldate")), nullptr);

    cls->setInstance(w);
    TCloseAction action = morvane::ui::caHide;
    w->FormClose(w, action);
    EXPECT_EQ(cls->instance(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(AllWindows, PeriodWindows, ::testing::ValuesIn(kExpected),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return std::string(info.param.name).substr(4);
                         });

using PeriodWindow = morvane::test::PeriodTest;

TEST_F(PeriodWindow, DesignedFieldsKeepTheUserArrangementAcrossRuns) {
    Tbase_PeriodReport* w = Open(QStringLiteral("frm_OLAPSaleMonth"));
    Run(w, 2025, 3);
    TcxDBPivotGrid* grid = w->OLAP_PivotGrid;
    const int fields = grid->FieldCount();
    grid->SetFieldArea(QStringLiteral("客户性质"), 1);
    Run(w, 2025, 4);
    EXPECT_EQ(grid->FieldCount(), fields);
    EXPECT_EQ(FieldsIn(grid, Area::Row), "日期|客户性质");
    EXPECT_EQ(FieldsIn(grid, Area::Column), "客户简称");
    for (int i = 0; i < grid->FieldCount(); ++i)
        EXPECT_TRUE(bool(grid->Fields(i)->onGetDisplayText())) << i;
}

TEST_F(PeriodWindow, PaymentMonthRebuildsItsFieldsAtEveryRun) {
    Tbase_PeriodReport* w = Open(QStringLiteral("frm_OLAPPaymentMonth"));
    Run(w, 2025, 3);
    TcxDBPivotGrid* grid = w->OLAP_PivotGrid;
    EXPECT_EQ(grid->FieldCount(), 7);
    EXPECT_EQ(FieldsIn(grid, Area::Row), "客户性质|客户编号|客户简称");
    EXPECT_EQ(FieldsIn(grid, Area::Column), "日期");
    EXPECT_EQ(FieldsIn(grid, Area::Data), "回款金额");
    ASSERT_NE(grid->GetFieldByName(QStringLiteral("客户等级")), nullptr);
    EXPECT_EQ(grid->GetFieldByName(QStringLiteral("客户等级"))->area(), Area::None);
    EXPECT_EQ(grid->GetFieldByName(QStringLiteral("fbilldate"))->area(), Area::None);
    EXPECT_FALSE(grid->OptionsView().FilterFields);

    grid->SetFieldArea(QStringLiteral("客户性质"), 0);
    Run(w, 2025, 3);
    EXPECT_EQ(FieldsIn(grid, Area::Row), "客户性质|客户编号|客户简称");
    EXPECT_EQ(FieldsIn(grid, Area::Column), "日期");
}

TEST_F(PeriodWindow, PickedSuppliersAndGoodsReachTheStatement) {
    Tbase_PeriodReport* w = Open(QStringLiteral("frm_OLAPRecevingMonth"));
    host->runner.QueuePick({QStringLiteral("S003"), QStringLiteral("S002")});
    w->edit_supplier->PressButton();
    host->runner.QueuePick({QStringLiteral("CK03")});
    w->edit_house->PressButton();
    ASSERT_TRUE(host->runner.unmatchedCodes.isEmpty())
        << host->runner.unmatchedCodes.join(',').toStdString();
    EXPECT_EQ(w->edit_supplier->text(), "部分条件");
    Run(w, 2025, 3);
    const QString sql = w->UDPDB_Report->SQL();
    QStringList picked = w->sel_supplier.split(',');
    picked.sort();
    EXPECT_EQ(picked, QStringList({"'S002'", "'S003'"}));
    EXPECT_TRUE(sql.contains(" and a.fcode in(" + w->sel_supplier + ")\r"));
    EXPECT_TRUE(sql.contains(" and b.fsuppliercode in(" + w->sel_supplier + ")\r"));
    EXPECT_TRUE(sql.contains(" and b.fhousecode in('CK03')\r"));
    QSet<QString> suppliers;
    for (const QStringList& row : ReportRows(w))
        suppliers.insert(row[0]);
    EXPECT_EQ(suppliers, QSet<QString>({"S002", "S003"}));
}

TEST_F(PeriodWindow, APeriodTheDatabaseCannotReadShowsItsErrorAndKeepsTheFields) {
    Tbase_PeriodReport* w = Open(QStringLiteral("frm_OLAPSaleMonth"));
    Run(w, 2025, 3);
    TcxDBPivotGrid* grid = w->OLAP_PivotGrid;
    const QString rows = FieldsIn(grid, Area::Row);
    w->edit_year->setValue(10000);
    w->ac_GetData->trigger();
    ASSERT_EQ(host->errors.messages.size(), 1);
    EXPECT_TRUE(host->errors.messages[0].contains("Conversion failed")) << Errors().toStdString();
    EXPECT_TRUE(w->UDPDB_Report->SQL().contains("FN_MonthDay('10000-3-01')"));
    EXPECT_FALSE(w->UDPDB_Report->Active());
    EXPECT_TRUE(w->ResultText().isNull());
    EXPECT_EQ(FieldsIn(grid, Area::Row), rows);
}

TEST_F(PeriodWindow, AHalfTypedYearIsTakenAsTypedAndJunkKeepsTheLastYear) {
    Tbase_PeriodReport* w = Open(QStringLiteral("frm_OLAPPaymentYear"));
    w->edit_year->setValue(2025);
    w->edit_year->findChild<QLineEdit*>()->setText(QStringLiteral("2026"));
    w->ac_GetData->trigger();
    EXPECT_TRUE(w->UDPDB_Report->SQL().contains("year(a.fbilldate)=2026\r"));
    w->edit_year->findChild<QLineEdit*>()->setText(QStringLiteral("19"));
    w->ac_GetData->trigger();
    EXPECT_TRUE(w->UDPDB_Report->SQL().contains("year(a.fbilldate)=2026\r"));
    EXPECT_TRUE(host->errors.messages.isEmpty()) << Errors().toStdString();
}

}  // namespace
