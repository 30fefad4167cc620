// The order, sale, allocation and batch windows as widgets: their design before and after a
// get data rendered once against golden/, and the batch window's fields kept across runs.

#include <QCheckBox>
#include <QDateEdit>

#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "reports/order/unt_SsaleRece.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

using OrderWindow = ReportTest;

TEST_F(OrderWindow, EachOpensAsDesignedAndLaysOutItsResult) {
    QStringList problems;
    for (const char* name : {"frm_OLAPorder", "frm_OLAPSale", "frm_OLAPorderDis",
                             "frm_OLAPOrderSort", "frm_RationSort", "frm_SsaleRece"}) {
        Tbase_OLAPreport* w = OpenByName(QString::fromLatin1(name));
        ASSERT_TRUE(Errors().isEmpty()) << name << Errors().toStdString();
        QString dump = DumpWindow(w);
        // March 2025, with the size columns where the window offers them.
        w->bill_date1->setDate(QDate(2025, 3, 1));
        w->bill_date2->setDate(QDate(2025, 3, 31));
        if (w->sizecheck->isVisibleTo(w))
            w->sizecheck->setChecked(true);
        Run(w);
        dump += "\nafter get data:\n" + DumpWindow(w);
        const QString problem =
            CheckGolden(ORDER_GOLDEN_DIR, QString::fromLatin1(name) + ".dump.txt", dump);
        if (!problem.isEmpty())
            problems << problem;
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(OrderWindow, TheBatchWindowKeepsTheUsersArrangementAcrossRuns) {
    auto* w = Open<Tfrm_SsaleRece>();
    w->bill_date1->setDate(QDate(2025, 3, 1));
    w->bill_date2->setDate(QDate(2025, 3, 31));
    Run(w);
    TcxDBPivotGrid* grid = w->OLAP_PivotGrid;
    grid->SetFieldArea(QStringLiteral("品牌"), pivot::Area::Column);
    Run(w);
    QStringList columns;
    for (const pivot::PivotField* f : grid->ViewData().fieldsInArea(pivot::Area::Column))
        columns << f->name();
    EXPECT_EQ(columns, QStringList({"店铺简称", "品牌"}));
    for (int i = 0; i < grid->FieldCount(); ++i)
        EXPECT_TRUE(bool(grid->Fields(i)->onGetDisplayText())) << i;
}

}  // namespace
}  // namespace morvane::test
