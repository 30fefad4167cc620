// The three discount windows: their statements byte for byte against the corpus and golden/
// for each filter state (every one must also run), and their design rendered once.
// MORVANE_UPDATE_GOLDEN=1 rewrites the golden files.

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>

#include "framework/unt_BaseOLAPreport.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

const char* const kWindows[] = {"frm_OLAPsaleDisc", "frm_OLAPRetailDisc", "frm_OLAPRetailDiscount"};

struct State {
    const char* name;
    const char* user;    // "corpus": 001 with the corpus's restricted scope
    bool dates;          // the business-date box ticked, 2025-01-01 to 2025-06-30
    bool picks;          // clients, goods and (where shown) warehouses picked
    const char* corpus;  // the corpus file of this state, "" for a golden file
};

const State kStates[] = {
    {"plain", "001", false, false, "plain"},  {"filtered", "corpus", true, true, "filtered"},
    {"dates", "001", true, false, ""},        {"user002", "002", true, false, ""},
    {"user002_picks", "002", true, true, ""},
};

class DiscountStatements : public ReportTest {
  protected:
    QString Statement(const QString& window, const State& s);
};

QString DiscountStatements::Statement(const QString& window, const State& s) {
    const bool corpusScope = QString::fromLatin1(s.user) == "corpus";
    StartSession(corpusScope ? QStringLiteral("001") : QString::fromLatin1(s.user));
    if (corpusScope) {
        pub_clientall = pub_houseall = pub_brandall = false;
        pub_clientcodes = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");
        pub_housecodes = QStringLiteral("'CK01','CK02'");
        pub_brandcodes = QStringLiteral("'莫凡','雅岚'");
    }
    Tbase_OLAPreport* w = OpenByName(window);
    w->bill_date1->setDate(QDate(2025, 1, 1));
    w->bill_date2->setDate(QDate(2025, 6, 30));
    if (w->oderdate_check->isChecked() != s.dates)
        w->oderdate_check->click();
    if (s.picks) {
        w->sel_client = QStringLiteral("'ZY002','JM002','PF003'");
        w->sel_goods = QStringLiteral("'YL251006','MF251008','MF252008','MF254005','YL253002'");
        if (w->edit_house->isVisibleTo(w))
            w->sel_house = QStringLiteral("'CK01','CK03'");
    }
    return StatementOf(w);
}

TEST_F(DiscountStatements, EveryStateMatchesItsTextAndRuns) {
    QStringList problems;
    for (const char* window : kWindows) {
        for (const State& s : kStates) {
            const QString name = QString::fromLatin1(window);
            const QString sql = Statement(name, s);
            const QString problem =
                *s.corpus ? (sql == ReadText(QStringLiteral(DISCOUNT_CORPUS_DIR "/") + name + "." +
                                             s.corpus + ".sql")
                                 ? QString()
                                 : name + " differs from the corpus " + s.corpus)
                          : CheckGolden(DISCOUNT_GOLDEN_DIR, name + "." + s.name + ".sql", sql);
            if (!problem.isEmpty())
                problems << problem;
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(DiscountStatements, EachOpensAsDesigned) {
    QStringList problems;
    for (const char* window : kWindows) {
        Tbase_OLAPreport* w = OpenByName(QString::fromLatin1(window));
        const QString problem = CheckGolden(
            DISCOUNT_GOLDEN_DIR, QString::fromLatin1(window) + ".dump.txt", DumpWindow(w));
        if (!problem.isEmpty())
            problems << problem;
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

}  // namespace
}  // namespace morvane::test
