// The ten period windows' statements byte for byte against golden/ and the corpus;
// MORVANE_UPDATE_GOLDEN=1 rewrites the golden files.

#include <QDir>
#include <QFile>
#include <QSpinBox>

#include <functional>

#include "platform/db/RemoteUdpDataSet.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace {

const QString kClients = QStringLiteral("'ZY002','JM002','PF003'");
const QString kSuppliers = QStringLiteral("'S002','S003','S011'");
const QString kGoods = QStringLiteral("'YL251006','MF251008','MF252008','MF254005','YL253002'");
const QString kHouses = QStringLiteral("'CK01','CK03'");
const QString kCorpusScope = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");

struct WindowCase {
    const char* name;
    unsigned filters;
};

const WindowCase kWindows[] = {
    {"frm_OLAPSaleMonth", pfClient | pfGoods | pfHouse},
    {"frm_OLAPRetailMonth", pfClient | pfGoods},
    {"frm_OLAPRecevingMonth", pfSupplier | pfGoods | pfHouse},
    {"frm_OLAPPaymentMonth", pfClient},
    {"frm_OLAPPaymentsMonth", pfSupplier},
    {"frm_OLAPSaleYear", pfClient | pfGoods | pfHouse},
    {"frm_OLAPRetailYear", pfClient | pfGoods},
    {"frm_OLAPRecevingYear", pfSupplier | pfGoods | pfHouse},
    {"frm_OLAPPaymentYear", pfClient},
    {"frm_OLAPPaymentsYear", pfSupplier},
};

class PeriodStatements : public morvane::test::ReportTest,
                         public ::testing::WithParamInterface<WindowCase> {
  protected:
    QString Statement(const std::function<void(Tbase_PeriodReport*)>& setUp, int year = 2025,
                      int month = 3) {
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(GetParam().name));
        setUp(w);
        w->edit_year->setValue(year);
        if (w->edit_month)
            w->edit_month->setValue(month);
        host->errors.messages.clear();
        w->ac_GetData->trigger();
        EXPECT_TRUE(host->errors.messages.isEmpty())
            << GetParam().name << ": " << Errors().toStdString();
        return w->UDPDB_Report->SQL();
    }
    static void PickPartners(Tbase_PeriodReport* w, unsigned filters) {
        if (filters & pfSupplier)
            w->sel_supplier = kSuppliers;
        else
            w->sel_client = kClients;
    }
};

TEST_P(PeriodStatements, MatchTheGoldenTextsAndTheCorpus) {
    const WindowCase c = GetParam();
    const QString name = QString::fromLatin1(c.name);
    const unsigned f = c.filters;

    struct State {
        QString name;
        std::function<void(Tbase_PeriodReport*)> setUp;
    };
    std::vector<State> states = {
        {"plain", [](Tbase_PeriodReport*) {}},
        {"partners", [f](Tbase_PeriodReport* w) { PickPartners(w, f); }},
        // Supplier windows ignore the client scope.
        {"user002", [this](Tbase_PeriodReport*) { SignIn(QStringLiteral("002")); }},
        {"user002_partners",
         [this, f](Tbase_PeriodReport* w) {
             SignIn(QStringLiteral("002"));
             PickPartners(w, f);
         }},
        {"user003", [this](Tbase_PeriodReport*) { SignIn(QStringLiteral("003")); }},
        {"december2026", [](Tbase_PeriodReport*) {}},
    };
    if (f & pfGoods)
        states.push_back({"goods", [](Tbase_PeriodReport* w) { w->sel_goods = kGoods; }});
    if (f & pfHouse)
        states.push_back({"house", [](Tbase_PeriodReport* w) { w->sel_house = kHouses; }});
    if (f & pfGoods && f & pfHouse)
        states.push_back({"goods_house", [](Tbase_PeriodReport* w) {
                              w->sel_goods = kGoods;
                              w->sel_house = kHouses;
                          }});

    const bool update = qEnvironmentVariableIsSet("MORVANE_UPDATE_GOLDEN");
    const QDir golden(QStringLiteral(MORVANE_PERIOD_GOLDEN_DIR));
    QStringList mismatches;
    for (const State& s : states) {
        const bool december = s.name == QStringLiteral("december2026");
        const QString sql = Statement(s.setUp, december ? 2026 : 2025, december ? 12 : 3);
        SignIn(QStringLiteral("001"));
        const QString file = golden.filePath(name + "." + s.name + ".sql");
        if (update) {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(sql.toUtf8());
            continue;
        }
        if (sql != morvane::test::ReadText(file))
            mismatches << s.name;
    }

    const QDir corpus(QStringLiteral(MORVANE_CORPUS_DIR));
    if (Statement([](Tbase_PeriodReport*) {}) !=
        morvane::test::ReadText(corpus.filePath(name + ".plain.sql")))
        mismatches << "corpus plain";
    const QString filtered = Statement([f](Tbase_PeriodReport* w) {
        PickPartners(w, f);
        if (f & pfGoods)
            w->sel_goods = kGoods;
        if (f & pfHouse)
            w->sel_house = kHouses;
        pub_clientall = false;
        pub_clientcodes = kCorpusScope;
    });
    if (filtered != morvane::test::ReadText(corpus.filePath(name + ".filtered.sql")))
        mismatches << "corpus filtered";

    // Unrestricted: no scope clause whatever the code list holds.
    const QString unrestricted = Statement([](Tbase_PeriodReport*) {
        pub_clientall = true;
        pub_clientcodes = kCorpusScope;
    });
    if (!update && unrestricted != morvane::test::ReadText(golden.filePath(name + ".plain.sql")))
        mismatches << "unrestricted with codes";

    EXPECT_TRUE(mismatches.isEmpty()) << c.name << ": " << mismatches.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(AllWindows, PeriodStatements, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowCase>& info) {
                             return std::string(info.param.name).substr(4);
                         });

}  // namespace
