// The six order, sale, allocation and batch windows' statements byte for byte against golden/
// and the corpus, in the states of their date ranges, switches, pickers and user scope;
// MORVANE_UPDATE_GOLDEN=1 rewrites the golden files.

#include <QCheckBox>
#include <QDateEdit>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

const char* const kWindows[] = {"frm_OLAPorder",     "frm_OLAPSale",   "frm_OLAPorderDis",
                                "frm_OLAPOrderSort", "frm_RationSort", "frm_SsaleRece"};

// Where a state's statement is kept: golden/<window>.<state>.sql, the corpus file of the same
// name, or (as_dates) golden/<window>.dates.sql.
enum Expect { golden, corpus, as_dates };

struct State {
    const char* name;
    const char* user;  // "corpus": 001 with the restricted scope the corpus was written for
    // "from to", or "" for the box unticked; the batch window's receipt range always applies
    // and is the whole of 2025 where a state gives none.
    const char* billDates;
    const char* inputDates;
    bool posted, sizes, pickers;
    Expect expect;
    const char* needs = nullptr;  // a control the state is about: windows without it skip it
    int sizeCount = 10;           // pub_sizecount when the window is created
};

const State kStates[] = {
    {"dates", "001", "2025-03-01 2025-03-31", "", false, false, false, golden},
    {"both_ranges", "001", "2025-03-01 2025-03-31", "2025-02-15 2025-03-15", false, false, false,
     golden, "modidate_check"},
    {"posted", "001", "2025-03-01 2025-03-31", "", true, false, false, golden, "postedcheck"},
    {"sizes", "001", "2025-03-01 2025-03-31", "", false, true, false, golden, "sizecheck"},
    {"pickers", "001", "2025-03-01 2025-03-31", "", false, false, true, golden},
    {"user002", "002", "2025-03-01 2025-03-31", "", false, false, false, golden},
    {"user002_all", "002", "2025-03-01 2025-03-31", "2025-02-15 2025-03-15", true, true, true,
     golden},
    {"user003", "003", "2025-03-01 2025-03-31", "", false, false, false, golden},
    // The receipt range of frm_SsaleRece with its ends swapped: no goods, no rows.
    {"reversed", "001", "2025-03-31 2025-03-01", "", false, false, false, golden},
    // No softconfig.ini, so no size columns: a ticked size box adds nothing.
    {"nosizecount", "001", "2025-03-01 2025-03-31", "", false, true, false, as_dates, "sizecheck",
     0},
    {"plain", "001", "", "", false, false, false, corpus},
    {"filtered", "corpus", "2025-01-01 2025-06-30", "2025-01-01 2025-06-30", true, true, true,
     corpus},
    {"posted", "001", "", "", true, false, false, corpus, "postedcheck"},
};

void SetRange(QCheckBox* box, QDateEdit* from, QDateEdit* to, const QString& range) {
    box->setChecked(!range.isEmpty());
    if (range.isEmpty())
        return;
    from->setDate(QDate::fromString(range.section(' ', 0, 0), Qt::ISODate));
    to->setDate(QDate::fromString(range.section(' ', 1, 1), Qt::ISODate));
}

TEST_F(ReportTest, OrderStatementsMatchTheirGoldenTextsAndTheCorpus) {
    const bool update = qEnvironmentVariableIsSet("MORVANE_UPDATE_GOLDEN");
    QStringList mismatches;
    int compared = 0;
    for (const char* window : kWindows) {
        const QString name = QString::fromLatin1(window);
        const bool batch = name == "frm_SsaleRece";
        for (const State& s : kStates) {
            const QString state = QString::fromLatin1(s.name);
            const QString user = QString::fromLatin1(s.user);
            SignIn(user == "corpus" ? QStringLiteral("001") : user);
            if (user == "corpus") {
                pub_clientall = pub_brandall = false;
                pub_clientcodes = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");
                pub_brandcodes = QStringLiteral("'莫凡','雅岚'");
            }
            pub_sizecount = s.sizeCount;
            Tbase_OLAPreport* w = OpenByName(name);
            pub_sizecount = 10;
            auto shown = [w](const char* control) {
                auto* c = w->findChild<QWidget*>(QString::fromLatin1(control));
                return c && c->isVisibleTo(w);
            };
            // Swapped dates are about the batch window's receipts.
            if ((s.needs && !shown(s.needs)) || (state == "reversed" && !batch))
                continue;
            SetRange(w->oderdate_check, w->bill_date1, w->bill_date2,
                     batch && !*s.billDates ? "2025-01-01 2025-12-31" : s.billDates);
            SetRange(w->modidate_check, w->input_date1, w->input_date2, s.inputDates);
            // Hidden switches stay as they are.
            w->postedcheck->setChecked(s.posted && shown("postedcheck"));
            w->sizecheck->setChecked(s.sizes && shown("sizecheck"));
            if (s.pickers) {
                w->sel_client = batch ? "'ZY002','ZY008','JM002'" : "'ZY002','JM002','PF003'";
                if (!batch)
                    w->sel_goods = "'YL251006','MF251008','MF252008','MF254005','YL253002'";
                // Shown, but no warehouse narrows frm_OLAPSale.
                if (w->edit_house->isVisibleTo(w))
                    w->sel_house = "'CK01','CK03'";
            }
            const QString sql = StatementOf(w);
            ++compared;
            // Only golden/ is rewritten on an update; the corpus has its own generator.
            if (update && s.expect != golden)
                continue;
            const QString dir = s.expect == corpus ? ORDER_CORPUS_DIR : ORDER_GOLDEN_DIR;
            const QString file = name + "." + (s.expect == as_dates ? "dates" : state) + ".sql";
            const QString problem = CheckGolden(dir, file, sql);
            if (!problem.isEmpty())
                mismatches << name + " " + state + ": " + problem;
        }
    }
    EXPECT_EQ(compared, 2 * 12 + 3 * 8 + 8);
    EXPECT_TRUE(mismatches.isEmpty()) << mismatches.join('\n').toStdString();
}

}  // namespace
}  // namespace morvane::test
