// The period windows as widgets: their design rendered once against golden/, the period
// edits, the pivot across runs, picks and errors.

#include <QDate>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxButtonEdit.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace {

using morvane::pivot::Area;

const char* const kWindows[] = {
    "frm_OLAPSaleMonth",    "frm_OLAPRetailMonth",   "frm_OLAPRecevingMonth",
    "frm_OLAPPaymentMonth", "frm_OLAPPaymentsMonth", "frm_OLAPSaleYear",
    "frm_OLAPRetailYear",   "frm_OLAPRecevingYear",  "frm_OLAPPaymentYear",
    "frm_OLAPPaymentsYear",
};

QString FieldsIn(TcxDBPivotGrid* grid, Area area) {
    QStringList names;
    for (const morvane::pivot::PivotField* f : grid->ViewData().fieldsInArea(area))
        names << f->name();
    return names.join('|');
}

using PeriodWindow = morvane::test::ReportTest;

TEST_F(PeriodWindow, EachOpensAsDesignedWithThePeriodOfToday) {
    const QDate today = QDate::currentDate();
    QStringList problems;
    for (const char* name : kWindows) {
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(name));
        EXPECT_TRUE(host->errors.messages.isEmpty()) << name << Errors().toStdString();
        EXPECT_GE(host->mainForm->OpenWindows().IndexOf(w->Caption()), 0) << name;
        EXPECT_EQ(w->edit_year->value(), today.year()) << name;
        if (w->edit_month)
            EXPECT_EQ(w->edit_month->value(), today.month()) << name;
        const QString problem = morvane::test::CheckGolden(MORVANE_PERIOD_GOLDEN_DIR,
                                                           QString::fromLatin1(name) + ".dump.txt",
                                                           morvane::test::DumpWindow(w));
        if (!problem.isEmpty())
            problems << problem;
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(PeriodWindow, DesignedFieldsKeepTheUserArrangementAcrossRuns) {
    Tbase_PeriodReport* w = OpenPeriod(QStringLiteral("frm_OLAPSaleMonth"));
    RunPeriod(w, 2025, 3);
    TcxDBPivotGrid* grid = w->OLAP_PivotGrid;
    const int fields = grid->FieldCount();
    grid->SetFieldArea(QStringLiteral("客户性质"), morvane::pivot::Area::Row);
    RunPeriod(w, 2025, 4);
    EXPECT_EQ(grid->FieldCount(), fields);
    EXPECT_EQ(FieldsIn(grid, Area::Row), "日期|客户性质");
    EXPECT_EQ(FieldsIn(grid, Area::Column), "客户简称");
    for (int i = 0; i < grid->FieldCount(); ++i)
        EXPECT_TRUE(bool(grid->Fields(i)->onGetDisplayText())) << i;
}

TEST_F(PeriodWindow, PaymentMonthRebuildsItsFieldsAtEveryRun) {
    Tbase_PeriodReport* w = OpenPeriod(QStringLiteral("frm_OLAPPaymentMonth"));
    RunPeriod(w, 2025, 3);
    TcxDBPivotGrid* grid = w->OLAP_PivotGrid;
    EXPECT_EQ(grid->FieldCount(), 7);
    EXPECT_EQ(FieldsIn(grid, Area::Row), "客户性质|客户编号|客户简称");
    EXPECT_EQ(FieldsIn(grid, Area::Column), "日期");
    EXPECT_EQ(FieldsIn(grid, Area::Data), "回款金额");
    ASSERT_NE(grid->GetFieldByName(QStringLiteral("客户等级")), nullptr);
    // What is placed nowhere waits in the filter area, which this window does not show.
    EXPECT_EQ(FieldsIn(grid, Area::Filter), "客户等级|fbilldate");
    EXPECT_FALSE(grid->OptionsView().FilterFields);

    grid->SetFieldArea(QStringLiteral("客户性质"), morvane::pivot::Area::Column);
    RunPeriod(w, 2025, 3);
    EXPECT_EQ(FieldsIn(grid, Area::Row), "客户性质|客户编号|客户简称");
    EXPECT_EQ(FieldsIn(grid, Area::Column), "日期");
}

TEST_F(PeriodWindow, PickedSuppliersAndGoodsReachTheStatement) {
    Tbase_PeriodReport* w = OpenPeriod(QStringLiteral("frm_OLAPRecevingMonth"));
    host->runner.QueuePick({QStringLiteral("S003"), QStringLiteral("S002")});
    w->edit_supplier->PressButton();
    host->runner.QueuePick({QStringLiteral("CK03")});
    w->edit_house->PressButton();
    ASSERT_TRUE(host->runner.unmatchedCodes.isEmpty())
        << host->runner.unmatchedCodes.join(',').toStdString();
    EXPECT_EQ(w->edit_supplier->text(), "部分条件");
    RunPeriod(w, 2025, 3);
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
    Tbase_PeriodReport* w = OpenPeriod(QStringLiteral("frm_OLAPSaleMonth"));
    RunPeriod(w, 2025, 3);
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
    Tbase_PeriodReport* w = OpenPeriod(QStringLiteral("frm_OLAPPaymentYear"));
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
