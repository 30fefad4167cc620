// The three production windows' statements byte for byte against the corpus and golden/ for
// each filter state (every one must also run). MORVANE_UPDATE_GOLDEN=1 rewrites golden files.

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QSpinBox>

#include <functional>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxButtonEdit.h"
#include "reports/production/unt_GmKnufeEmp.h"
#include "reports/production/unt_KnufeFlagDay.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

struct Case {
    const char* window;
    const char* file;  // corpus:NAME or golden:NAME
    std::function<void(Tbase_OLAPreport*)> setUp;
    const char* db = "";  // "no-march-rolls": a copy without the piece tickets of March 2025
};

void Dates(Tbase_OLAPreport* w, bool on) {
    w->bill_date1->setDate(QDate(2025, 1, 1));
    w->bill_date2->setDate(QDate(2025, 6, 30));
    if (w->oderdate_check->isChecked() != on)
        w->oderdate_check->click();
}

void Bill(Tbase_OLAPreport* w, const char* bill) {
    w->edit_client->setText(QString::fromUtf8(bill));
}

void Month(Tbase_OLAPreport* w, int year, int month, const char* bills = "") {
    auto* f = static_cast<Tfrm_KnufeFlagDay*>(w);
    f->Edit_Year->setValue(year);
    f->Edit_Month->setValue(month);
    f->sel_knufe = QString::fromUtf8(bills);
}

const Case kCases[] = {
    {"frm_OLAPknufeTrance", "corpus:plain", [](Tbase_OLAPreport* w) { Dates(w, false); }},
    {"frm_OLAPknufeTrance", "corpus:filtered",
     [](Tbase_OLAPreport* w) {
         Dates(w, true);
         w->sel_goods = "'YL251006','MF251008','MF252008','MF254005','YL253002'";
         w->sel_supplier = "'S002','S003','S011'";
     }},
    {"frm_OLAPknufeTrance", "golden:dates", [](Tbase_OLAPreport* w) { Dates(w, true); }},
    {"frm_GmKnufeEmp", "corpus:plain", [](Tbase_OLAPreport* w) { Bill(w, ""); }},
    {"frm_GmKnufeEmp", "corpus:filtered", [](Tbase_OLAPreport* w) { Bill(w, "CC202503000002"); }},
    {"frm_GmKnufeEmp", "golden:quote", [](Tbase_OLAPreport* w) { Bill(w, "CC'02"); }},
    {"frm_KnufeFlagDay", "corpus:plain", [](Tbase_OLAPreport* w) { Month(w, 2025, 3); }},
    {"frm_KnufeFlagDay", "corpus:filtered",
     [](Tbase_OLAPreport* w) { Month(w, 2025, 3, "'CC202503000002','CC202503000004'"); }},
    {"frm_KnufeFlagDay", "corpus:nooutput", [](Tbase_OLAPreport* w) { Month(w, 2025, 3); },
     "no-march-rolls"},
    {"frm_KnufeFlagDay", "golden:leapfebruary", [](Tbase_OLAPreport* w) { Month(w, 2024, 2); }},
    {"frm_KnufeFlagDay", "golden:december2026_bill",
     [](Tbase_OLAPreport* w) { Month(w, 2026, 12, "'CC202612000001'"); }},
};

using ProductionStatements = ReportTest;

TEST_F(ProductionStatements, EveryStateMatchesItsTextAndRuns) {
    QString noMarchRolls = DemoCopy();
    ExecOnFile(noMarchRolls, "delete from gm_proroll where fadd_date like '2025-03-%'");
    QStringList problems;
    for (const Case& c : kCases) {
        const QString window = QString::fromLatin1(c.window);
        const QString file = QString::fromLatin1(c.file);
        StartSession(QStringLiteral("001"), *c.db ? noMarchRolls : QString());
        Tbase_OLAPreport* w = OpenByName(window);
        c.setUp(w);
        const QString sql = StatementOf(w);
        const QString name = window + "." + file.mid(7) + ".sql";
        if (file.startsWith("golden:")) {
            const QString problem = CheckGolden(PRODUCTION_GOLDEN_DIR, name, sql);
            if (!problem.isEmpty())
                problems << problem;
        } else if (sql != ReadText(PRODUCTION_CORPUS_DIR "/" + name)) {
            problems << name + " differs from the corpus";
        }
        // The day report's sample row: the month's first piece ticket.
        if (auto* f = dynamic_cast<Tfrm_KnufeFlagDay*>(w);
            f && !*c.db && file == "corpus:plain" &&
            f->ads_temp->SQL() != ReadText(PRODUCTION_CORPUS_DIR "/frm_KnufeFlagDay.sample.sql"))
            problems << "frm_KnufeFlagDay.sample.sql differs from the corpus";
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

}  // namespace
}  // namespace morvane::test
