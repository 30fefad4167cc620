// The four stock windows' statements byte for byte against golden/ and the corpus, in every
// state of their pickers, size switch and user scope; MORVANE_UPDATE_GOLDEN=1 rewrites the
// golden files.

#include <QCheckBox>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

const QString kClients = QStringLiteral("'ZY002','JM002','PF003'");
const QString kGoods = QStringLiteral("'YL251006','MF251008','MF252008','MF254005','YL253002'");
const QString kHouses = QStringLiteral("'CK01','CK03'");

const char* const kWindows[] = {"frm_OLAPHouseStockDis", "frm_OLAPMyShopStock",
                                "frm_OLAPclientStock", "frm_OLAPAllStock"};

// Where a state's statement is kept: golden/<window>.<state>.sql, the corpus file of the
// same name, or (as_without_sizes) the golden file of the same window without size columns.
enum Expect { golden, corpus, as_without_sizes };

struct State {
    const char* name;
    const char* user;  // "corpus": 001 with the restricted scope the corpus was written for
    bool goods, house, client, sizes;
    Expect expect;
    int sizeCount = 10;  // pub_sizecount when the window is created
};

const State kStates[] = {
    {"plain", "001", false, false, false, false, golden},
    {"goods_house", "001", true, true, false, false, golden},
    {"clients", "001", false, false, true, false, golden},
    {"sizes", "001", false, false, false, true, golden},
    {"user002", "002", false, false, false, false, golden},
    {"user002_all", "002", true, true, true, true, golden},
    {"user003", "003", false, false, false, false, golden},
    // No softconfig.ini, so no size columns: a ticked size box adds nothing to the shop and
    // warehouse windows; frm_OLAPAllStock reads its sizes from the size table and shows them.
    {"nosizecount", "001", false, false, false, true, as_without_sizes, 0},
    {"plain", "001", false, false, false, false, corpus},
    {"filtered", "corpus", true, true, true, true, corpus},
    {"sizes", "001", false, false, false, true, corpus},
    {"sizes_filtered", "corpus", true, true, true, true, corpus},
};

QCheckBox* SizeBox(Tbase_OLAPreport* w) {
    auto* own = w->findChild<QCheckBox*>(QStringLiteral("cxCheckBox1"));
    return own ? own : w->sizecheck;
}

TEST_F(ReportTest, StockStatementsMatchTheirGoldenTextsAndTheCorpus) {
    const bool update = qEnvironmentVariableIsSet("MORVANE_UPDATE_GOLDEN");
    QStringList mismatches;
    int compared = 0;
    for (const char* window : kWindows) {
        const QString name = QString::fromLatin1(window);
        const bool allStock = name == "frm_OLAPAllStock";
        for (const State& s : kStates) {
            // The corpus keeps the size forms of frm_OLAPAllStock apart; the other windows'
            // filtered state has the sizes on.
            const QString state = QString::fromLatin1(s.name);
            if (s.expect == corpus && state.startsWith("sizes") && !allStock)
                continue;
            const QString user = QString::fromLatin1(s.user);
            SignIn(user == "corpus" ? QStringLiteral("001") : user);
            if (user == "corpus") {
                pub_clientall = pub_houseall = pub_brandall = false;
                pub_clientcodes = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");
                pub_housecodes = QStringLiteral("'CK01','CK02'");
                pub_brandcodes = QStringLiteral("'莫凡','雅岚'");
            }
            pub_sizecount = s.sizeCount;
            Tbase_OLAPreport* w = OpenByName(name);
            if (s.goods)
                w->sel_goods = kGoods;
            if (s.house && w->edit_house->isVisibleTo(w))
                w->sel_house = kHouses;
            if (s.client && w->edit_client->isVisibleTo(w))
                w->sel_client = kClients;
            // frm_OLAPAllStock's corpus keeps its filtered form without sizes.
            SizeBox(w)->setChecked(s.sizes && !(allStock && state == "filtered"));
            const QString sql = StatementOf(w);
            pub_sizecount = 10;

            ++compared;
            // Only golden/ is rewritten on an update; the corpus has its own generator.
            if (update && s.expect != golden)
                continue;
            const QString dir = s.expect == corpus ? STOCK_CORPUS_DIR : STOCK_GOLDEN_DIR;
            QString file = name + "." + state + ".sql";
            if (s.expect == as_without_sizes)
                file = name + (allStock ? ".sizes.sql" : ".plain.sql");
            const QString problem = CheckGolden(dir, file, sql);
            if (!problem.isEmpty())
                mismatches << name + " " + state + ": " + problem;
        }
    }
    EXPECT_EQ(compared, 4 * 10 + 2);
    EXPECT_TRUE(mismatches.isEmpty()) << mismatches.join('\n').toStdString();
}

}  // namespace
}  // namespace morvane::test
