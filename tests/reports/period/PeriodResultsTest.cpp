// Period window results on the scale-1 demo database against hand-written SQLite queries.

#include <QSpinBox>

#include <cmath>
#include <map>
#include <set>

#include "platform/db/RemoteUdpDataSet.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace {

struct Source {
    const char* month;  // the monthly and the yearly window
    const char* year;
    const char* partners;  // dt_client or dt_supplier
    const char* head;
    const char* detail;  // "" for single-table documents
    const char* partnerColumn;
};

const Source kSources[] = {
    {"frm_OLAPSaleMonth", "frm_OLAPSaleYear", "dt_client", "d_sale", "d_saledetail", "fclientcode"},
    {"frm_OLAPRetailMonth", "frm_OLAPRetailYear", "dt_client", "d_s_sale", "d_s_saledetail",
     "fclientcode"},
    {"frm_OLAPRecevingMonth", "frm_OLAPRecevingYear", "dt_supplier", "d_receving",
     "d_recevingdetail", "fsuppliercode"},
    {"frm_OLAPPaymentMonth", "frm_OLAPPaymentYear", "dt_client", "d_payment", "", "fclientcode"},
    {"frm_OLAPPaymentsMonth", "frm_OLAPPaymentsYear", "dt_supplier", "d_payments", "",
     "fsuppliercode"},
};

struct Sums {
    double qty = 0;
    double amount = 0;
};
using SumMap = std::map<QString, Sums>;

bool Near(double a, double b) {
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b));
}

QString Diff(const SumMap& got, const SumMap& want, bool lines) {
    QStringList out;
    for (const auto& [key, w] : want) {
        auto it = got.find(key);
        if (it == got.end())
            out << key + " missing";
        else if ((lines && !Near(it->second.qty, w.qty)) || !Near(it->second.amount, w.amount))
            out << key + QString(" got %1/%2 want %3/%4")
                             .arg(it->second.qty)
                             .arg(it->second.amount)
                             .arg(w.qty)
                             .arg(w.amount);
    }
    for (const auto& [key, g] : got) {
        if (!want.count(key))
            out << key + " unexpected";
    }
    if (out.size() > 5)
        out = out.mid(0, 5) << "...";
    return out.join("; ");
}

class PeriodResults : public morvane::test::ReportTest {
  protected:
    // Partners with any document of the kind, posted or not.
    std::set<QString> Partners(const Source& s, const QString& extra = QString()) {
        std::set<QString> out;
        for (const QStringList& r :
             SqliteRows(QString("select fcode from %1 where fcode in(select %2 from %3)%4")
                            .arg(s.partners, s.partnerColumn, s.head, extra))) {
            out.insert(r[0]);
        }
        return out;
    }

    // Posted documents' sums keyed by partner|keyExpr; `extra` narrows lines.
    SumMap Expected(const Source& s, const QString& dateCondition, const QString& keyExpr,
                    const QString& extra = QString()) {
        const bool lines = *s.detail != 0;
        const QString sql =
            lines ? QString(
                        "select h.%1||'|'||%2,sum(d.qty),sum(d.qty*coalesce(d.fbalancprice,0)) "
                        "from %3 h join %4 d on d.fbillid=h.fbillid where h.fposted=1 and %5%6 "
                        "group by 1")
                        .arg(s.partnerColumn, keyExpr, s.head, s.detail, dateCondition, extra)
                  : QString(
                        "select h.%1||'|'||%2,0,sum(coalesce(h.famount,0)) from %3 h "
                        "where h.fposted=1 and %4%5 group by 1")
                        .arg(s.partnerColumn, keyExpr, s.head, dateCondition, extra);
        SumMap out;
        for (const QStringList& r : SqliteRows(sql))
            out[r[0]] = {r[1].toDouble(), r[2].toDouble()};
        return out;
    }

    // The report's measures added up by partner|keyColumn.
    static SumMap Reported(Tbase_PeriodReport* w, const QString& keyColumn,
                           const QString& amountColumn) {
        TRemoteUdpDataSet* ds = w->UDPDB_Report;
        TField* qty = ds->FindField(QStringLiteral("数量"));
        TField* amount = ds->FieldByName(amountColumn);
        TField* key = ds->FieldByName(keyColumn);
        SumMap out;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            if (amount->IsNull())
                continue;
            Sums& s = out[ds->Fields(0)->AsString() + "|" + key->AsString()];
            s.qty += qty ? qty->AsFloat() : 0;
            s.amount += amount->AsFloat();
        }
        return out;
    }

    static QString AmountColumn(const QString& window) {
        return window == "frm_OLAPPaymentMonth" ? QStringLiteral("回款金额")
                                                : QStringLiteral("金额");
    }

    // Every partner with each label 01..n; a month may repeat (one row per business day), a day
    // never. Returns what differs.
    static QString CheckGrid(Tbase_PeriodReport* w, const std::set<QString>& partners,
                             const QString& labelColumn, const QString& suffix, int n) {
        std::map<QString, QStringList> labels;
        TRemoteUdpDataSet* ds = w->UDPDB_Report;
        TField* label = ds->FieldByName(labelColumn);
        for (ds->First(); !ds->Eof(); ds->Next())
            labels[ds->Fields(0)->AsString()] << label->AsString();
        QStringList want;
        for (int i = 1; i <= n; ++i)
            want << QString("%1").arg(i, 2, 10, QLatin1Char('0')) + suffix;
        if (labels.size() != partners.size())
            return QString("%1 partners, want %2").arg(labels.size()).arg(partners.size());
        for (const auto& [code, got] : labels) {
            if (!partners.count(code))
                return "unexpected partner " + code;
            QStringList sorted = got;
            sorted.sort();
            if (suffix == QStringLiteral("月"))
                sorted.removeDuplicates();
            if (sorted != want)
                return code + ": " + got.join(',');
        }
        return QString();
    }
};

TEST_F(PeriodResults, EveryPeriodGivesEveryPartnerEachLabelOnceAndEmptyPeriodsNoSums) {
    struct Period {
        int year, month, n;  // month 0: the yearly windows
    };
    // 2024 precedes the demo's documents: a leap February and a year without business.
    const Period periods[] = {
        {2025, 2, 28}, {2024, 2, 29}, {2025, 4, 30}, {2025, 3, 31}, {2024, 0, 12}};
    for (int i = 0; i < 10; ++i) {
        const bool yearly = i >= 5;
        const Source& s = kSources[i % 5];
        const char* window = yearly ? s.year : s.month;
        const QString label = yearly ? QStringLiteral("月份") : QStringLiteral("日期");
        const std::set<QString> partners = Partners(s);
        ASSERT_FALSE(partners.empty()) << window;
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(window));
        for (const Period& p : periods) {
            if ((p.month == 0) != yearly)
                continue;
            RunPeriod(w, p.year, p.month);
            EXPECT_EQ(CheckGrid(w, partners, label, yearly ? "月" : "日", p.n), "")
                << window << " " << p.year << "-" << p.month;
            EXPECT_EQ(w->UDPDB_Report->GetRecordCount(), int(partners.size()) * p.n) << window;
            if (p.year == 2024)
                EXPECT_TRUE(Reported(w, label, AmountColumn(window)).empty()) << window;
        }
    }
}

TEST_F(PeriodResults, MonthlySumsArePostedWholeDayDocumentsOnly) {
    for (const Source& s : kSources) {
        const char* window = s.month;
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(window));
        int unpostedSeen = 0, timedSeen = 0;
        for (const auto& [year, month] :
             {std::pair{2025, 3}, {2025, 5}, {2025, 6}, {2025, 8}, {2026, 12}}) {
            const QString from = QString("%1-%2-01").arg(year).arg(month, 2, 10, QLatin1Char('0'));
            const QString to = QString("%1-%2-32").arg(year).arg(month, 2, 10, QLatin1Char('0'));
            const QString inMonth = "h.fbilldate>='" + from + "' and h.fbilldate<'" + to + "'";
            RunPeriod(w, year, month);
            const SumMap want =
                Expected(s, inMonth + " and length(h.fbilldate)=10", QStringLiteral("h.fbilldate"));
            ASSERT_FALSE(want.empty()) << window << " " << year << "-" << month;
            const SumMap got = Reported(w, QStringLiteral("fbilldate"), AmountColumn(window));
            EXPECT_EQ(Diff(got, want, *s.detail != 0), "") << window << " " << year << "-" << month;
            unpostedSeen +=
                SqliteRows(QString("select count(*) from %1 h where %2 and h.fposted<>1")
                               .arg(s.head, inMonth))[0][0]
                    .toInt();
            timedSeen +=
                SqliteRows(QString("select count(*) from %1 h where %2 and length(h.fbilldate)>10")
                               .arg(s.head, inMonth))[0][0]
                    .toInt();
        }
        EXPECT_GT(unpostedSeen, 0) << window;
        EXPECT_GT(timedSeen, 0) << window;
    }
}

TEST_F(PeriodResults, DocumentsWithATimeOfDayAreLeftOutOfTheMonthButCountInTheYear) {
    const std::vector<QStringList> timed = SqliteRows(
        "select h.fclientcode,substr(h.fbilldate,1,4),substr(h.fbilldate,6,2),"
        "sum(d.qty*coalesce(d.fbalancprice,0)) from d_sale h join d_saledetail d on "
        "d.fbillid=h.fbillid where h.fposted=1 and length(h.fbilldate)>10 group by h.fbillid "
        "order by h.fbilldate limit 1");
    ASSERT_EQ(timed.size(), 1u) << "the demo data holds no posted sale with a time of day";
    const QString client = timed[0][0];
    const int year = timed[0][1].toInt();
    const int month = timed[0][2].toInt();
    const double amount = timed[0][3].toDouble();
    ASSERT_GT(amount, 0);

    const Source& sale = kSources[0];
    const QString y = QString::number(year), m = QString("%1").arg(month, 2, 10, QLatin1Char('0'));
    const QString inMonth = "h.fbilldate>='" + y + "-" + m + "-01' and h.fbilldate<'" + y + "-" +
                            m + "-32' and h.fclientcode='" + client + "'";
    const double wholeDays =
        Expected(sale, inMonth + " and length(h.fbilldate)=10", "'m'")[client + "|m"].amount;
    const double all = Expected(sale, inMonth, "'m'")[client + "|m"].amount;
    ASSERT_TRUE(Near(all - wholeDays, amount)) << all << " " << wholeDays;

    Tbase_PeriodReport* w = OpenPeriod(QStringLiteral("frm_OLAPSaleMonth"));
    w->sel_client = "'" + client + "'";
    RunPeriod(w, year, month);
    double monthTotal = 0;
    for (const auto& [key, sums] : Reported(w, QStringLiteral("日期"), QStringLiteral("金额")))
        monthTotal += sums.amount;
    EXPECT_TRUE(Near(monthTotal, wholeDays)) << monthTotal << " want " << wholeDays;

    Tbase_PeriodReport* yearly = OpenPeriod(QStringLiteral("frm_OLAPSaleYear"));
    yearly->sel_client = "'" + client + "'";
    RunPeriod(yearly, year);
    const SumMap byMonth = Reported(yearly, QStringLiteral("月份"), QStringLiteral("金额"));
    ASSERT_TRUE(byMonth.count(client + "|" + m + "月"));
    EXPECT_TRUE(Near(byMonth.at(client + "|" + m + "月").amount, all))
        << byMonth.at(client + "|" + m + "月").amount << " want " << all;
}

TEST_F(PeriodResults, WarehouseAndGoodsFiltersNarrowTheSumsButNotTheGrid) {
    const std::vector<QStringList> goods = SqliteRows(
        "select d.fgoodsid from d_sale h join d_saledetail d on d.fbillid=h.fbillid "
        "where h.fposted=1 and h.fbilldate like '2025-03-%' and h.fhousecode='CK03' "
        "group by d.fgoodsid order by count(*) desc limit 2");
    ASSERT_EQ(goods.size(), 2u);
    const QString goodsList = "'" + goods[0][0] + "','" + goods[1][0] + "'";

    struct Case {
        const Source* source;
        bool yearly, house, goods;
    };
    const Case cases[] = {{&kSources[0], false, true, true},
                          {&kSources[1], false, false, true},
                          {&kSources[2], false, true, false},
                          {&kSources[0], true, true, true},
                          {&kSources[2], true, true, true}};
    for (const Case& c : cases) {
        const Source& s = *c.source;
        const bool yearly = c.yearly;
        const char* window = yearly ? s.year : s.month;
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(window));
        if (c.house)
            w->sel_house = QStringLiteral("'CK03'");
        if (c.goods)
            w->sel_goods = goodsList;
        RunPeriod(w, 2025, 3);
        const std::set<QString> partners = Partners(s);
        EXPECT_EQ(yearly ? CheckGrid(w, partners, QStringLiteral("月份"), QStringLiteral("月"), 12)
                         : CheckGrid(w, partners, QStringLiteral("日期"), QStringLiteral("日"), 31),
                  "")
            << window;
        QString extra;
        if (c.house)
            extra += " and h.fhousecode in('CK03')";
        if (c.goods)
            extra += " and d.fgoodsid in(" + goodsList + ")";
        const SumMap want =
            yearly ? Expected(s, "substr(h.fbilldate,1,4)='2025'", "substr(h.fbilldate,6,2)||'月'",
                              extra)
                   : Expected(s, "h.fbilldate like '2025-03-%' and length(h.fbilldate)=10",
                              "h.fbilldate", extra);
        const SumMap got =
            Reported(w, yearly ? QStringLiteral("月份") : QStringLiteral("fbilldate"),
                     QStringLiteral("金额"));
        EXPECT_EQ(Diff(got, want, true), "") << window;
        std::set<QString> withSums;
        for (const auto& [key, sums] : got)
            withSums.insert(key.section('|', 0, 0));
        EXPECT_LT(withSums.size(), partners.size()) << window;
    }
}

TEST_F(PeriodResults, YearlySumsAddUpEveryPostedDocumentOfEachMonth) {
    for (const Source& s : kSources) {
        const char* window = s.year;
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(window));
        RunPeriod(w, 2025);
        const SumMap want =
            Expected(s, "substr(h.fbilldate,1,4)='2025'", "substr(h.fbilldate,6,2)||'月'");
        ASSERT_FALSE(want.empty()) << window;
        EXPECT_EQ(
            Diff(Reported(w, QStringLiteral("月份"), QStringLiteral("金额")), want, *s.detail != 0),
            "")
            << window;
        // Several days of a month give several rows (payments come once a month at most).
        if (*s.detail == 0)
            continue;
        std::map<QString, int> rowsPerKey;
        TRemoteUdpDataSet* ds = w->UDPDB_Report;
        for (ds->First(); !ds->Eof(); ds->Next())
            ++rowsPerKey[ds->Fields(0)->AsString() + ds->FieldByName("月份")->AsString()];
        int most = 0;
        for (const auto& [key, n] : rowsPerKey)
            most = std::max(most, n);
        EXPECT_GT(most, 1) << window;
    }
}

TEST_F(PeriodResults, ARestrictedUserWhoPicksClientsSeesOnlyClientsInBoth) {
    SignIn(QStringLiteral("002"));
    ASSERT_FALSE(pub_clientall);
    ASSERT_FALSE(pub_clientcodes.isEmpty());
    const std::vector<QStringList> inScope = SqliteRows(
        "select fclientcode from userclient where fgroupid='002' and "
        "coalesce(fstockbit,0)=0 and fclientcode in(select fclientcode from d_sale) "
        "order by fclientcode limit 2");
    const std::vector<QStringList> outside = SqliteRows(
        "select fcode from dt_client where fcode in(select fclientcode from d_sale) and "
        "fcode not in(select fclientcode from userclient where fgroupid='002') limit 1");
    ASSERT_EQ(inScope.size(), 2u);
    ASSERT_EQ(outside.size(), 1u);
    const QString picked =
        "'" + inScope[0][0] + "','" + outside[0][0] + "','" + inScope[1][0] + "'";

    for (const char* name :
         {"frm_OLAPSaleMonth", "frm_OLAPSaleYear", "frm_OLAPPaymentMonth", "frm_OLAPRetailYear"}) {
        Tbase_PeriodReport* w = OpenPeriod(QString::fromLatin1(name));
        w->sel_client = picked;
        RunPeriod(w, 2025, 3);
        std::set<QString> listed;
        for (const QStringList& row : ReportRows(w))
            listed.insert(row[0]);
        std::set<QString> want;
        const char* head = QString(name).contains("Payment")  ? "d_payment"
                           : QString(name).contains("Retail") ? "d_s_sale"
                                                              : "d_sale";
        for (const QStringList& r :
             SqliteRows(QString("select fclientcode from userclient where fgroupid='002' and "
                                "coalesce(fstockbit,0)=0 and fclientcode in(%1) and fclientcode in("
                                "select fclientcode from %2)")
                            .arg(picked, head))) {
            want.insert(r[0]);
        }
        EXPECT_EQ(listed, want) << name;
        EXPECT_FALSE(listed.count(outside[0][0])) << name;
    }
}

TEST_F(PeriodResults, PaymentsYearShowsEachMonthsShareOfTheSupplierYear) {
    Tbase_PeriodReport* w = OpenPeriod(QStringLiteral("frm_OLAPPaymentsYear"));
    RunPeriod(w, 2025);
    const QStringList lines = w->ResultText().split('\n');
    ASSERT_GT(lines.size(), 3);
    int checked = 0;
    for (const QString& line : lines.mid(2)) {
        const QStringList cells = line.split('\t');
        if (cells.size() < 4 || cells[cells.size() - 2].isEmpty() || cells[0] == "合计")
            continue;
        EXPECT_EQ(cells.last(), "100%") << line.toStdString();
        double shares = 0;
        for (int i = 3; i < cells.size() - 2; i += 2) {
            if (cells[i].endsWith('%'))
                shares += cells[i].chopped(1).toDouble();
        }
        EXPECT_NEAR(shares, 100.0, 0.1) << line.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
