// The new goods retail window: its statement against golden/ and the corpus, its design dump,
// the refusal without a category, and the age band of every shop and goods pair computed apart
// from its first receipt at the shop.

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QSpinBox>

#include <map>

#include "platform/db/RemoteUdpDataSet.h"
#include "reports/newgoods/unt_NewGoodsRetail.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

class NewGoods : public ReportTest {
  protected:
    Tfrm_NewGoodsRetail* Window(int width, const char* from, const char* to, const char* sort) {
        auto* w = Open<Tfrm_NewGoodsRetail>();
        w->cxSpinEdit1->setValue(width);
        w->bill_date1->setDate(QDate::fromString(from, Qt::ISODate));
        w->bill_date2->setDate(QDate::fromString(to, Qt::ISODate));
        w->com_sort->setCurrentText(QString::fromUtf8(sort));
        return w;
    }
};

TEST_F(NewGoods, StatementsDesignAndTheMissingCategory) {
    const QDir corpus(QStringLiteral(MORVANE_CORPUS_DIR));
    EXPECT_EQ(StatementOf(Window(7, "2025-01-01", "2025-12-31", "类别")),
              ReadText(corpus.filePath("frm_NewGoodsRetail.plain.sql")));
    Tfrm_NewGoodsRetail* w = Window(10, "2025-01-01", "2025-06-30", "类别");
    w->sel_client = QStringLiteral("'ZY002','ZY008','JM002'");
    pub_clientall = false;
    pub_clientcodes = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");
    EXPECT_EQ(StatementOf(w), ReadText(corpus.filePath("frm_NewGoodsRetail.filtered.sql")));

    const QString dir = QStringLiteral(MORVANE_NEWGOODS_GOLDEN_DIR);
    SignIn(QStringLiteral("002"));
    QStringList problems;
    problems << CheckGolden(dir, "frm_NewGoodsRetail.user002-30days-brand.sql",
                            StatementOf(Window(30, "2025-03-01", "2025-03-31", "品牌")));
    problems << CheckGolden(dir, "frm_NewGoodsRetail.dump.txt", DumpWindow(Open<Tfrm_NewGoodsRetail>()));
    problems.removeAll(QString());
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();

    // No category: a message and no statement.
    w = Open<Tfrm_NewGoodsRetail>();
    const std::size_t before = host->Statements().size();
    w->ac_GetData->trigger();
    EXPECT_EQ(host->Statements().size(), before);
    ASSERT_EQ(host->runner.messages.size(), 1u);
    EXPECT_EQ(host->runner.messages[0].text, "请选择大类名称");
    EXPECT_EQ(host->runner.messages[0].caption, "系统提示");
}

// Each pair the shop holds and sold in the period, with its band from the days between its
// first receipt at the shop and the period's end; no receipt there means band I.
TEST_F(NewGoods, AgeBandsMatchTheFirstReceiptAtEachShop) {
    for (const int n : {7, 30}) {
        SCOPED_TRACE(n);
        const QString end = QStringLiteral("2025-06-30");
        const QString sql =
            "select s.c,s.g,s.q,t.q,cast(julianday('" + end +
            "')-julianday(date(r.d)) as int) from (select fclientcode c,fgoodsid g,sum(qty) q "
            "from s_stock group by 1,2 having sum(qty)<>0) s join (select b.fclientcode c,"
            "a.fgoodsid g,sum(a.qty) q from d_s_saledetail a join d_s_sale b on a.fbillid="
            "b.fbillid where b.fbilldate between '2025-04-01' and '" + end +
            "' group by 1,2 having sum(a.qty)<>0) t on s.c=t.c and s.g=t.g left join (select "
            "b.fclientcode c,a.fgoodsid g,min(b.fbilldate) d from d_s_recevingdetail a join "
            "d_s_receving b on a.fbillid=b.fbillid group by 1,2) r on r.c=s.c and r.g=s.g";
        std::map<QString, QString> expected;
        int unreceived = 0;
        for (const QStringList& r : SqliteRows(sql)) {
            QString band;
            if (r[4] == "<null>" || r[4].toInt() > 8 * n) {
                band = QString("I(大于%1天)").arg(8 * n);
                unreceived += r[4] == "<null>";
            } else {
                const int age = r[4].toInt();
                const int k = age <= n ? 0 : (age + n - 1) / n - 1;
                band = QString("%1(%2-%3天)").arg(QChar('A' + k)).arg(k * n + 1).arg((k + 1) * n);
            }
            expected[r[0] + "|" + r[1]] = band + "|" + r[2] + "|" + r[3];
        }
        Tfrm_NewGoodsRetail* w = Window(n, "2025-04-01", end.toLatin1(), "类别");
        Run(w);
        std::map<QString, QString> got;
        for (const QStringList& r :
             ReportRows(w, {"店铺编号", "货号", "上市天数", "库存数", "销售量", "款号数"})) {
            EXPECT_EQ(r[5], "1");
            got[r[0] + "|" + r[1]] = r[2] + "|" + r[3] + "|" + r[4];
        }
        EXPECT_GT(expected.size(), 10u);
        EXPECT_EQ(got, expected);
        std::set<QChar> letters;
        for (const auto& [key, band] : got)
            letters.insert(band[0]);
        EXPECT_GT(letters.size(), 1u);
    }
}

}  // namespace
}  // namespace morvane::test
