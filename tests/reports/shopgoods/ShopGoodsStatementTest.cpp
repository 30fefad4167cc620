// The statements of frm_ShopGoodsTotal byte for byte, for every filter state, against the
// corpus or golden/; each must run.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>

#include "platform/db/RemoteUdpDataSet.h"
#include "reports/shopgoods/unt_ShopGoodsTotal.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

struct StatementCase {
    const char* state;
    const char* user;   // signed-in user; "corpus": 001 with the corpus's restricted scope,
                        // "empty": 001 restricted to an empty list (which filters nothing)
    const char* goods;  // sel_goods
    bool dates;         // 2025-01-01 .. 2025-06-30
    bool sizes;
    bool category;
    const char* dataset;  // UDPDB_Report, or ads_temp1 for the shop count
    const char* file;     // corpus:NAME or golden:NAME
};

const char* const kShops = "'ZY002','ZY008','JM002'";
const char* const kGoods = "'YL251006','MF251008','MF252008','MF254005','YL253002'";

const StatementCase kCases[] = {
    {"items", "001", "", false, true, false, "UDPDB_Report", "corpus:frm_ShopGoodsTotal.plain.sql"},
    {"no sizes", "001", "", false, false, false, "UDPDB_Report",
     "corpus:frm_ShopGoodsTotal.nosize.sql"},
    {"restricted, goods, dates", "corpus", kGoods, true, true, false, "UDPDB_Report",
     "corpus:frm_ShopGoodsTotal.filtered.sql"},
    // The category mode changes the pivot, never the statement.
    {"categories", "001", "", false, true, true, "UDPDB_Report",
     "corpus:frm_ShopGoodsTotal.plain.sql"},
    {"empty restricted list", "empty", "", false, true, false, "UDPDB_Report",
     "corpus:frm_ShopGoodsTotal.plain.sql"},
    {"user 002, dates", "002", "", true, true, false, "UDPDB_Report",
     "golden:frm_ShopGoodsTotal.user002_dates.sql"},
    {"categories, goods, dates", "001", kGoods, true, true, true, "UDPDB_Report",
     "golden:frm_ShopGoodsTotal.category_goods_dates.sql"},
    {"shop count", "001", "", false, true, false, "ads_temp1",
     "corpus:frm_ShopGoodsTotal.shopcount.sql"},
    {"shop count, restricted", "corpus", "", false, true, false, "ads_temp1",
     "corpus:frm_ShopGoodsTotal.shopcount_scoped.sql"},
};

QString ExpectedPath(const QString& file) {
    return QStringLiteral(SHOPGOODS_CORPUS_DIR "/") + file.mid(7);
}

std::string FirstDifference(const QByteArray& got, const QByteArray& want) {
    qsizetype i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i])
        ++i;
    auto around = [i](const QByteArray& b) {
        return b.mid(qMax<qsizetype>(0, i - 40), 80).replace('\r', "<CR>").toStdString();
    };
    return "first difference at byte " + std::to_string(i) + "\n got: " + around(got) +
           "\nwant: " + around(want);
}

TEST_F(ReportTest, ShopGoodsStatementsMatchTheirTextsByteForByte) {
    for (const StatementCase& c : kCases) {
        SCOPED_TRACE(std::string(c.state) + " -> " + c.file);
        const QString user = QString::fromLatin1(c.user);
        StartSession(user == "corpus" || user == "empty" ? QStringLiteral("001") : user);
        if (user == "corpus" || user == "empty") {
            pub_clientall = false;
            pub_clientcodes =
                user == "corpus" ? QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'") : "";
        }
        auto* w = Open<Tfrm_ShopGoodsTotal>();
        w->sel_client = QString::fromLatin1(kShops);
        w->sel_goods = QString::fromLatin1(c.goods);
        w->oderdate_check->setChecked(c.dates);
        w->bill_date1->setDate(QDate(2025, 1, 1));
        w->bill_date2->setDate(QDate(2025, 6, 30));
        w->sizecheck->setChecked(c.sizes);
        w->cxCheckBox1->setChecked(c.category);
        w->com_sort->setCurrentText(QStringLiteral("类别"));
        Run(w);

        const QString file = QString::fromLatin1(c.file);
        const QString sql = w->DataSetSQL(QString::fromLatin1(c.dataset));
        if (file.startsWith("golden:")) {
            EXPECT_EQ(CheckGolden(SHOPGOODS_GOLDEN_DIR, file.mid(7), sql), "");
            continue;
        }
        const QByteArray got = sql.toUtf8();
        const QByteArray want = ReadText(ExpectedPath(file)).toUtf8();
        EXPECT_EQ(got, want) << FirstDifference(got, want);
    }
}

TEST_F(ReportTest, ShopGoodsLooksUpTheCategoryAndTheSizesItUses) {
    auto* w = Open<Tfrm_ShopGoodsTotal>();
    QStringList labels;
    for (int i = 0; i < w->com_sort->count(); ++i)
        labels << w->com_sort->itemText(i);
    EXPECT_EQ(labels.join('|'), "类别|项目|性别|风格|面料|款式");
    EXPECT_EQ(w->com_sort->currentIndex(), -1);
    EXPECT_FALSE(w->com_sort->isEnabled());
    w->cxCheckBox1->click();
    EXPECT_TRUE(w->com_sort->isEnabled());

    w->sel_client = QString::fromLatin1(kShops);
    w->com_sort->setCurrentText(QStringLiteral("类别"));
    const std::size_t before = host->Statements().size();
    Run(w);
    const std::vector<std::string> sent(host->Statements().begin() + long(before),
                                        host->Statements().end());
    auto sentText = [&sent](const std::string& sql) {
        return std::find(sent.begin(), sent.end(), sql) != sent.end();
    };
    EXPECT_TRUE(
        sentText("select * from ba_fieldremark where ftablename='goods' and "
                 "ffieldremark='类别'"));
    EXPECT_TRUE(
        sentText("select * from ba_size where size_class in(select top 1 size_class "
                 "from ba_size order by displayindex desc) order by displayindex"));
}

}  // namespace
}  // namespace morvane::test
