// The order, sale, allocation and batch windows as widgets: their design before and after a
// get data rendered once against golden/.

#include <QCheckBox>
#include <QDateEdit>

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

}  // namespace
}  // namespace morvane::test
