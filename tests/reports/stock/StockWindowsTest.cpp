// The stock windows as widgets: their design before and after a get data rendered once
// against golden/, the painting of frm_OLAPAllStock's data cells, and size detail out of the
// box in the morvane program.

#include <QCheckBox>
#include <QProcess>

#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "reports/stock/unt_OLAPAllStock.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/SpineFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

using StockWindow = ReportTest;

TEST_F(StockWindow, EachOpensAsDesignedAndLaysOutItsResult) {
    QStringList problems;
    for (const char* name : {"frm_OLAPHouseStockDis", "frm_OLAPMyShopStock", "frm_OLAPclientStock",
                             "frm_OLAPAllStock"}) {
        Tbase_OLAPreport* w = OpenByName(QString::fromLatin1(name));
        ASSERT_TRUE(Errors().isEmpty()) << name << Errors().toStdString();
        QString dump = DumpWindow(w);
        // Sizes on: the three windows return them to the filter area, frm_OLAPAllStock as
        // its measures.
        auto* sizes = w->findChild<QCheckBox*>(QStringLiteral("cxCheckBox1"));
        (sizes ? sizes : w->sizecheck)->setChecked(true);
        Run(w);
        dump += "\nafter get data with sizes:\n" + DumpWindow(w);
        const QString problem =
            CheckGolden(STOCK_GOLDEN_DIR, QString::fromLatin1(name) + ".dump.txt", dump);
        if (!problem.isEmpty())
            problems << problem;
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(StockWindow, AllStockPaintsSharesOnlyWithoutSizes) {
    auto* w = Open<Tfrm_OLAPAllStock>();
    Run(w);
    pivot::PivotEngine& view = w->OLAP_PivotGrid->ViewData();
    auto shareCell = [&view]() -> std::pair<int, int> {
        for (int r = 0; r < view.rowCount(); ++r)
            for (int c = 0; c < view.columnCount(); ++c)
                if (view.cellDataField(r, c) && view.cellDataField(r, c)->name() == "比例" &&
                    !view.drawCell(r, c).text.isEmpty())
                    return {r, c};
        return {-1, -1};
    };
    const auto [r, c] = shareCell();
    ASSERT_GE(r, 0);
    EXPECT_TRUE(view.drawCell(r, c).text.endsWith('%'));
    // Ticked, the box takes the base painting off at once, before the next get data.
    w->cxCheckBox1->setChecked(true);
    EXPECT_EQ(view.drawCell(r, c).text, view.cellText(r, c));
}

TEST_F(StockWindow, TheProgramFindsItsSizeSettingsBesideItself) {
    // The build puts softconfig.ini beside the morvane program, so the size count comes from
    // the size table and a ticked size box sends ten size columns.
    QProcess p;
    p.start(MORVANE_TOOL,
            {"run", "frm_OLAPHouseStockDis", "--db", DemoCopy(), "--set", "sizecheck=1", "--sql"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QString sql = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(sql.contains(",sum(isnull(a.s10,0)) as [尺码10]\r from stock a"))
        << sql.toStdString();
}

}  // namespace
}  // namespace morvane::test
