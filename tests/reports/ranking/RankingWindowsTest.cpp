// The seven windows as widgets: their design rendered once against golden/ with the category
// box's list and preselection, and the labels get data refuses.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "platform/db/RemoteUdpDataSet.h"
#include "reports/ranking/unt_SaLp_ShopSort.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

using RankingWindow = ReportTest;

// The visible goods labels in fid order (without brand, year and season in the price
// structure window); 类别 preselected where the window starts with it.
TEST_F(RankingWindow, EachOpensAsDesignedWithItsCategoryList) {
    QStringList labels;
    for (const QStringList& r : Rows("select fFieldremark from ba_fieldremark where "
                                     "ftablename='goods' and visiblebit=1 order by fid"))
        labels << r[0];
    ASSERT_EQ(labels.mid(0, 5), QStringList({"类别", "品牌", "年份", "季节", "项目"}));
    const QStringList withoutBrand = QStringList(labels).mid(0, 1) + labels.mid(4);
    const struct {
        const char* window;
        QStringList items;
        const char* chosen;
    } cases[] = {
        {"frm_SaLp_SaleSort", labels, "类别"},
        {"frm_SaLp_ShopSort", labels, ""},
        {"frm_SaLp_SortPrice", labels, ""},
        {"frm_SaLp_DeliSort", labels, "类别"},
        {"frm_SaLp_GoodsPrice", withoutBrand, "类别"},
        {"frm_SaLp_RatialStockSort", labels, ""},
        {"frm_SaLp_RetailStock", {}, nullptr},
    };
    QStringList problems;
    for (const auto& c : cases) {
        Tbase_PivotWindow* w = OpenPivot(QString::fromLatin1(c.window));
        EXPECT_TRUE(Errors().isEmpty()) << c.window << Errors().toStdString();
        const QString problem = CheckGolden(
            MORVANE_RANKING_GOLDEN_DIR, QString::fromLatin1(c.window) + ".dump.txt", DumpWindow(w));
        if (!problem.isEmpty())
            problems << problem;
        auto* box = w->findChild<QComboBox*>("com_sort");
        ASSERT_EQ(box != nullptr, c.chosen != nullptr) << c.window;
        if (!box)
            continue;
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        EXPECT_EQ(items, c.items) << c.window;
        EXPECT_EQ(box->currentText(), QString::fromUtf8(c.chosen)) << c.window;
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

// An empty box, a label nobody defined, one with a quote, one whose column goods lacks and
// one whose column text is no name: each stops with a message and the focus in the box, no
// report statement runs and the last result stays.
TEST_F(RankingWindow, GetDataRefusesALabelThatNamesNoGoodsColumn) {
    StartSession(QStringLiteral("001"), DemoCopy());
    ExecOnFile(host->DbFile(),
               "insert into ba_fieldremark(fid,ftablename,fname,fFieldremark,visiblebit) values"
               "(1013,'goods','fnosuch','无此列',1),(1014,'goods','sort from goods;--','注入',1)");
    auto* w = Open<Tfrm_SaLp_ShopSort>();
    w->show();
    QApplication::setActiveWindow(w);
    const auto refused = [&](const char* label) {
        w->com_sort->setCurrentText(QString::fromUtf8(label));
        w->bit_run->setFocus();
        host->runner.messages.clear();
        const QString before = w->DataSetSQL("UDPDB_Report"), shown = w->ResultText();
        w->ac_GetData->trigger();
        EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
        EXPECT_EQ(w->DataSetSQL("UDPDB_Report"), before) << label;
        EXPECT_EQ(w->ResultText(), shown) << label;
        EXPECT_TRUE(w->com_sort->hasFocus()) << label;
        if (host->runner.messages.size() != 1u)
            return QStringLiteral("<%1 messages>").arg(host->runner.messages.size());
        EXPECT_EQ(host->runner.messages[0].caption, "系统提示");
        EXPECT_EQ(host->runner.messages[0].icon, ui::MsgIcon::Information);
        return host->runner.messages[0].text;
    };
    EXPECT_EQ(refused(""), "请选择大类名称");
    EXPECT_FALSE(w->UDPDB_Report->Active());

    w->com_sort->setCurrentText(QStringLiteral("类别"));
    Run(w);
    for (const char* label : {"无此列", "注入", "类'别", "不存在"})
        EXPECT_EQ(refused(label), "大类名称“" + QString::fromUtf8(label) +
                                      "”在货品资料中没有对应的字段，请重新选择");
    // The quote reached the look-up doubled.
    const std::vector<std::string>& sent = host->Statements();
    EXPECT_NE(std::find(sent.begin(), sent.end(),
                        "select * from ba_fieldremark where ftablename='goods' and "
                        "ffieldremark='类''别'"),
              sent.end());
    w->com_sort->setCurrentText(QStringLiteral("品牌"));
    EXPECT_TRUE(StatementOf(w).contains(",c.brand 大类名称,"));
}

}  // namespace
}  // namespace morvane::test
