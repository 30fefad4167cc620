// The three expense windows: their statements for representative periods against golden/ and
// the corpus, their design dumps, and their totals per item and date, day of a month and month
// of a year against hand-written SQL, with every day or month labelled.

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QSpinBox>

#include <cmath>
#include <map>
#include <set>

#include "platform/db/RemoteUdpDataSet.h"
#include "reports/charges/unt_SalPBchargesDay.h"
#include "reports/charges/unt_SalpBchargesMonth.h"
#include "reports/charges/unt_SalpBchargesYear.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

class Charges : public ReportTest {
  protected:
    Tbase_ChargesReport* Day(const char* from, const char* to, bool dated = true) {
        auto* w = Open<Tfrm_SalPBchargesDay>();
        w->bill_date1->setDate(QDate::fromString(from, Qt::ISODate));
        w->bill_date2->setDate(QDate::fromString(to, Qt::ISODate));
        if (!dated)
            w->oderdate_check->click();
        return w;
    }
    Tbase_ChargesReport* Month(int year, int month) {
        auto* w = Open<Tfrm_SalpBchargesMonth>();
        w->edit_year->setValue(year);
        w->edit_month->setValue(month);
        return w;
    }
    Tbase_ChargesReport* Year(int year) {
        auto* w = Open<Tfrm_SalpBchargesYear>();
        w->edit_year->setValue(year);
        return w;
    }
    // label|item -> amount of the window's rows with an item.
    static std::map<QString, double> Totals(const std::vector<QStringList>& rows) {
        std::map<QString, double> out;
        for (const QStringList& r : rows) {
            if (!r[1].isEmpty() && r[1] != "<null>")
                out[r[0] + "|" + r[1]] += r[2].toDouble();
        }
        for (auto& [key, v] : out)
            v = std::round(v * 100) / 100;
        return out;
    }
};

TEST_F(Charges, StatementsMatchTheGoldenTextsAndTheCorpus) {
    const QString dir = QStringLiteral(MORVANE_CHARGES_GOLDEN_DIR);
    const QDir corpus(QStringLiteral(MORVANE_CORPUS_DIR));
    const auto fromCorpus = [&](const char* name) { return ReadText(corpus.filePath(name)); };
    EXPECT_EQ(StatementOf(Day("2025-03-01", "2025-03-31", false)),
              fromCorpus("frm_SalPBchargesDay.plain.sql"));
    EXPECT_EQ(StatementOf(Day("2025-01-01", "2025-06-30")),
              fromCorpus("frm_SalPBchargesDay.filtered.sql"));
    EXPECT_EQ(StatementOf(Month(2025, 3)), fromCorpus("frm_SalpBchargesMonth.plain.sql"));
    EXPECT_EQ(StatementOf(Year(2025)), fromCorpus("frm_SalpBchargesYear.plain.sql"));
    QStringList problems;
    problems << CheckGolden(dir, "frm_SalPBchargesDay.march.sql",
                            StatementOf(Day("2025-03-01", "2025-03-31")))
             << CheckGolden(dir, "frm_SalpBchargesMonth.december.sql", StatementOf(Month(2024, 12)))
             << CheckGolden(dir, "frm_SalpBchargesYear.2024.sql", StatementOf(Year(2024)));
    for (const char* name : {"frm_SalPBchargesDay", "frm_SalpBchargesMonth", "frm_SalpBchargesYear"})
        problems << CheckGolden(dir, QString::fromLatin1(name) + ".dump.txt",
                                DumpWindow(OpenPivot(QString::fromLatin1(name))));
    problems.removeAll(QString());
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(Charges, TotalsPerItemMatchPlainQueriesWithEveryDayAndMonthLabelled) {
    const std::string posted =
        " from b_chargesde a join b_charges b on a.fbillid=b.fbillid where b.fposted=1 ";
    const auto expected = [&](const std::string& sql) {
        std::map<QString, double> out;
        for (const QStringList& r : SqliteRows(QString::fromStdString(sql)))
            out[r[0] + "|" + r[1]] = std::round(r[2].toDouble() * 100) / 100;
        return out;
    };
    const QStringList columns = {"日期", "费用项目", "金额"};

    // Day by day over the first half of 2025.
    Tbase_ChargesReport* w = Day("2025-01-01", "2025-06-30");
    Run(w);
    const auto days = Totals(ReportRows(w, columns));
    EXPECT_GT(days.size(), 10u);
    EXPECT_EQ(days, expected("select b.fbilldate,a.fitem,sum(ifnull(a.famount,0))" + posted +
                             "and b.fbilldate between '2025-01-01' and '2025-06-30' group by 1,2"));

    // The busiest month, and a leap February: every day 01日 to the month's last is a row.
    const QStringList busiest = SqliteRows(
        "select cast(strftime('%Y',fbilldate) as int),cast(strftime('%m',fbilldate) as int) from "
        "b_charges where fposted=1 group by 1,2 order by count(*) desc limit 1")[0];
    for (const auto& [year, month] : {std::pair{busiest[0].toInt(), busiest[1].toInt()},
                                      std::pair{2024, 2}}) {
        SCOPED_TRACE(QString("%1-%2").arg(year).arg(month).toStdString());
        w = Month(year, month);
        Run(w);
        const std::vector<QStringList> rows = ReportRows(w, columns);
        std::set<QString> labels;
        for (const QStringList& r : rows)
            labels.insert(r[0]);
        std::set<QString> all;
        for (int d = 1; d <= QDate(year, month, 1).daysInMonth(); ++d)
            all.insert(QString("%1日").arg(d, 2, 10, QChar('0')));
        EXPECT_EQ(labels, all);
        const QString period = QString("%1-%2").arg(year).arg(month, 2, 10, QChar('0'));
        EXPECT_EQ(Totals(rows), expected("select strftime('%d',b.fbilldate)||'日',a.fitem,"
                                         "sum(ifnull(a.famount,0))" + posted +
                                         "and strftime('%Y-%m',b.fbilldate)='" +
                                         period.toStdString() + "' group by 1,2"));
    }

    // Month by month of the busiest year: twelve labels whatever the data.
    w = Year(busiest[0].toInt());
    Run(w);
    const std::vector<QStringList> rows = ReportRows(w, {"月份", "费用项目", "金额"});
    std::set<QString> months;
    for (const QStringList& r : rows)
        months.insert(r[0]);
    EXPECT_EQ(months.size(), 12u);
    EXPECT_EQ(*months.begin(), "01月");
    EXPECT_EQ(*months.rbegin(), "12月");
    EXPECT_EQ(Totals(rows), expected("select strftime('%m',b.fbilldate)||'月',a.fitem,"
                                     "sum(ifnull(a.famount,0))" + posted +
                                     "and strftime('%Y',b.fbilldate)='" +
                                     busiest[0].toStdString() + "' group by 1,2"));
}

}  // namespace
}  // namespace morvane::test
