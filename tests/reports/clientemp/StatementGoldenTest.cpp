// The four windows' statements byte for byte against the corpus or golden/; each must run.

#include <QComboBox>
#include <QSpinBox>

#include "platform/db/RemoteUdpDataSet.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

const QString kCorpusScope = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");

struct StatementCase {
    const char* window;
    const char* user;  // signed-in user; "corpus": 001 with the corpus's restricted scope
    int year;
    int month;  // 0: the window has no month
    const char* selClient;
    const char* shop;     // typed into Com_client (EmpSale windows)
    const char* dataset;  // UDPDB_Report, or ads_client for the shop list
    const char* file;     // corpus:NAME or golden:NAME
};

const StatementCase kCases[] = {
    {"frm_OLAPClientYear", "001", 2025, 0, "", "", "UDPDB_Report",
     "corpus:frm_OLAPClientYear.plain.sql"},
    {"frm_OLAPClientYear", "corpus", 2025, 0, "'ZY002','JM002','PF003'", "", "UDPDB_Report",
     "corpus:frm_OLAPClientYear.filtered.sql"},
    {"frm_OLAPClientYear", "002", 2026, 0, "", "", "UDPDB_Report", "golden:ClientYear.user002.sql"},
    {"frm_OLAPClientYear", "001", 2025, 0, "'JM001','ZY001'", "", "UDPDB_Report",
     "golden:ClientYear.clients.sql"},
    {"frm_OLAPClientMonth", "001", 2025, 3, "", "", "UDPDB_Report",
     "corpus:frm_OLAPClientMonth.plain.sql"},
    {"frm_OLAPClientMonth", "corpus", 2025, 3, "'ZY002','JM002','PF003'", "", "UDPDB_Report",
     "corpus:frm_OLAPClientMonth.filtered.sql"},
    {"frm_OLAPClientMonth", "002", 2026, 12, "'JM001'", "", "UDPDB_Report",
     "golden:ClientMonth.user002_clients_dec.sql"},
    {"frm_OLAPEmpSaleYear", "001", 2025, 0, "", "ZY001", "UDPDB_Report",
     "corpus:frm_OLAPEmpSaleYear.plain.sql"},
    {"frm_OLAPEmpSaleYear", "001", 2026, 0, "", "zy'01'", "UDPDB_Report",
     "golden:EmpSaleYear.quote.sql"},
    {"frm_OLAPEmpSaleMonth", "001", 2025, 3, "", "ZY001", "UDPDB_Report",
     "corpus:frm_OLAPEmpSaleMonth.plain.sql"},
    {"frm_OLAPEmpSaleMonth", "002", 2026, 11, "", "zy'01'", "UDPDB_Report",
     "golden:EmpSaleMonth.quote_nov.sql"},
    {"frm_OLAPEmpSaleYear", "001", 2025, 0, "", "ZY001", "ads_client",
     "corpus:frm_OLAPEmpSale.shoplist.sql"},
    {"frm_OLAPEmpSaleMonth", "corpus", 2025, 3, "", "ZY002", "ads_client",
     "corpus:frm_OLAPEmpSale.shoplist_scoped.sql"},
    {"frm_OLAPEmpSaleMonth", "002", 2025, 3, "", "ZY001", "ads_client",
     "golden:EmpSale.shoplist_user002.sql"},
};

QString ExpectedPath(const QString& file) {
    if (file.startsWith("corpus:"))
        return QStringLiteral(CLIENTEMP_CORPUS_DIR "/") + file.mid(7);
    return QStringLiteral(CLIENTEMP_GOLDEN_DIR "/") + file.mid(7);
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

TEST_F(ReportTest, StatementsMatchTheirGoldenTextsByteForByte) {
    for (const StatementCase& c : kCases) {
        SCOPED_TRACE(std::string(c.window) + " -> " + c.file);
        const bool corpusScope = QString::fromLatin1(c.user) == "corpus";
        StartSession(corpusScope ? QStringLiteral("001") : QString::fromLatin1(c.user));
        if (corpusScope) {
            pub_clientall = false;
            pub_clientcodes = kCorpusScope;
        }
        Tbase_OLAPreport* w = OpenByName(QString::fromLatin1(c.window));
        w->findChild<QSpinBox*>("edit_year")->setValue(c.year);
        if (c.month > 0)
            w->findChild<QSpinBox*>("edit_month")->setValue(c.month);
        w->sel_client = QString::fromUtf8(c.selClient);
        if (auto* shop = w->findChild<QComboBox*>("Com_client"))
            shop->setEditText(QString::fromUtf8(c.shop));
        w->ac_GetData->trigger();
        ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
        EXPECT_TRUE(w->UDPDB_Report->Active());

        const QByteArray got = w->DataSetSQL(QString::fromLatin1(c.dataset)).toUtf8();
        const QByteArray want = ReadText(ExpectedPath(QString::fromLatin1(c.file))).toUtf8();
        EXPECT_EQ(got, want) << FirstDifference(got, want);
    }
}

}  // namespace
}  // namespace morvane::test
