// The seven windows' statements byte for byte, in every filter state, against golden/ and the
// corpus (MORVANE_UPDATE_GOLDEN=1 rewrites the golden files); every statement must run.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>

#include <functional>

#include "platform/db/RemoteUdpDataSet.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace {

const QString kClients = QStringLiteral("'ZY002','JM002','PF003'");
const QString kGoods = QStringLiteral("'YL251006','MF251008','MF252008','MF254005','YL253002'");
const QString kHouses = QStringLiteral("'CK01','CK03'");
const QString kCorpusScope = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");
const QString kCorpusBrands = QStringLiteral("'莫凡','雅岚'");

const char* const kWindows[] = {
    "frm_SaLp_SaleSort",   "frm_SaLp_ShopSort",        "frm_SaLp_SortPrice",   "frm_SaLp_DeliSort",
    "frm_SaLp_GoodsPrice", "frm_SaLp_RatialStockSort", "frm_SaLp_RetailStock",
};

using Prepare = std::function<void(Tbase_PivotWindow*)>;

void Dates(Tbase_PivotWindow* w, const char* from, const char* to) {
    w->bill_date1->setDate(QDate::fromString(from, Qt::ISODate));
    w->bill_date2->setDate(QDate::fromString(to, Qt::ISODate));
}

// A label typed into the category box, where the window has one.
void Category(Tbase_PivotWindow* w, const char* label) {
    if (auto* box = w->findChild<QComboBox*>("com_sort"))
        box->setCurrentText(QString::fromUtf8(label));
}

class RankingStatements : public morvane::test::ReportTest,
                          public ::testing::WithParamInterface<const char*> {
  protected:
    // The statement the window sends after `setUp`, starting from a fresh window whose
    // business dates are March 2025 and whose category box holds 类别.
    QString Statement(const Prepare& setUp) {
        Tbase_PivotWindow* w = OpenPivot(QString::fromLatin1(GetParam()));
        Dates(w, "2025-03-01", "2025-03-31");
        Category(w, "类别");
        setUp(w);
        const QString sql = StatementOf(w);
        EXPECT_TRUE(w->UDPDB_Report->Active()) << GetParam();
        return sql;
    }
};

TEST_P(RankingStatements, MatchTheGoldenTextsAndTheCorpus) {
    const QString name = QString::fromLatin1(GetParam());
    const struct State {
        const char* name;
        Prepare setUp;
    } states[] = {
        {"defaults", [](Tbase_PivotWindow*) {}},
        // The warehouse list is set too: no window's statement reads it.
        {"picked",
         [](Tbase_PivotWindow* w) {
             Category(w, "项目");
             Dates(w, "2025-01-01", "2025-06-30");
             w->sel_client = kClients;
             w->sel_goods = kGoods;
             w->sel_house = kHouses;
         }},
        {"user002", [this](Tbase_PivotWindow*) { SignIn(QStringLiteral("002")); }},
        {"nodates", [](Tbase_PivotWindow* w) { w->oderdate_check->click(); }},
        // The entry-date box is hidden in every window; its clause follows the business one.
        {"bothdates",
         [](Tbase_PivotWindow* w) {
             w->modidate_check->click();
             w->input_date1->setDate(QDate(2025, 2, 1));
             w->input_date2->setDate(QDate(2025, 2, 28));
         }},
    };
    QStringList mismatches;
    for (const State& s : states) {
        const QString sql = Statement(s.setUp);
        SignIn(QStringLiteral("001"));
        const QString problem = morvane::test::CheckGolden(MORVANE_RANKING_GOLDEN_DIR,
                                                           name + "." + s.name + ".sql", sql);
        if (!problem.isEmpty())
            mismatches << problem;
    }

    const QDir corpus(QStringLiteral(MORVANE_CORPUS_DIR));
    const QString plain = Statement([](Tbase_PivotWindow* w) { w->oderdate_check->click(); });
    if (plain != morvane::test::ReadText(corpus.filePath(name + ".plain.sql")))
        mismatches << "corpus plain";
    const QString filtered = Statement([](Tbase_PivotWindow* w) {
        Dates(w, "2025-01-01", "2025-06-30");
        w->sel_client = kClients;
        w->sel_goods = kGoods;
        pub_clientall = false;
        pub_clientcodes = kCorpusScope;
        pub_brandall = false;
        pub_brandcodes = kCorpusBrands;
    });
    if (filtered != morvane::test::ReadText(corpus.filePath(name + ".filtered.sql")))
        mismatches << "corpus filtered";
    // Unrestricted: no scope clause whatever the code lists hold.
    const QString unrestricted = Statement([](Tbase_PivotWindow* w) {
        w->oderdate_check->click();
        pub_clientall = true;
        pub_clientcodes = kCorpusScope;
        pub_brandall = true;
        pub_brandcodes = kCorpusBrands;
    });
    if (unrestricted != plain)
        mismatches << "unrestricted with codes";

    EXPECT_TRUE(mismatches.isEmpty()) << GetParam() << ": " << mismatches.join("\n").toStdString();
}

INSTANTIATE_TEST_SUITE_P(AllWindows, RankingStatements, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(9);
                         });

// The category box's list at creation and the look-up of its label at get data.
using RankingCategory = morvane::test::ReportTest;

TEST_F(RankingCategory, StatementsMatchTheCorpus) {
    const QDir corpus(QStringLiteral(MORVANE_CORPUS_DIR));
    const QString list = morvane::test::ReadText(corpus.filePath("frm_SaLp_SaleSort.sortlist.sql"));
    const QString resolve = morvane::test::ReadText(corpus.filePath("frm_SaLp_SaleSort.sortresolve.sql"));
    for (const char* name : kWindows) {
        Tbase_PivotWindow* w = OpenPivot(QString::fromLatin1(name));
        if (!w->findChild<QComboBox*>("com_sort"))
            continue;
        const bool goodsPrice = QString::fromLatin1(name) == "frm_SaLp_GoodsPrice";
        EXPECT_EQ(w->DataSetSQL("ads_temp"),
                  goodsPrice ? morvane::test::ReadText(corpus.filePath("frm_SaLp_GoodsPrice.sortlist.sql")) : list)
            << name;
        Category(w, "类别");
        const std::size_t before = host->Statements().size();
        StatementOf(w);
        ASSERT_GT(host->Statements().size(), before) << name;
        EXPECT_EQ(QString::fromStdString(host->Statements()[before]), resolve) << name;
    }
}

}  // namespace
