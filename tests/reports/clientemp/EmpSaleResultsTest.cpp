// The shop-assistant windows against plain queries on the demo data.

#include <QComboBox>
#include <QDate>
#include <QSpinBox>
#include <map>
#include <set>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxLookupComboBox.h"
#include "reports/clientemp/unt_OLAPEmpSaleMonth.h"
#include "reports/clientemp/unt_OLAPEmpSaleYear.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

class EmpSaleResults : public ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        // The shop and month of 2025 with the most unposted retail documents.
        const QStringList pick =
            Rows(
                "select top 1 fclientcode,month(fbilldate) from d_s_sale where fposted=0 and "
                "fbilldate>='2025-01-01' and fbilldate<'2026-01-01' group by fclientcode,"
                "month(fbilldate) order by count(*) desc,fclientcode")
                .at(0);
        shop = pick[0];
        month = pick[1].toInt();
    }
    QString MonthStart(int m) const {
        return QStringLiteral("2025-%1-01").arg(m, 2, 10, QChar('0'));
    }
    QString MonthEnd(int m) const {
        return m == 12 ? QStringLiteral("2026-01-01") : MonthStart(m + 1);
    }
    // period|assistant -> (qty, amount) of every retail document of the shop in [from, to).
    std::map<QString, std::pair<double, double>> Sales(const QString& shop, const QString& periodFn,
                                                       const QString& from, const QString& to) {
        std::map<QString, std::pair<double, double>> out;
        for (const QStringList& r :
             Rows("select " + periodFn +
                  "(h.fbilldate),isnull(h.femployeeid,''),"
                  "sum(isnull(d.qty,0)),sum(isnull(d.qty,0)*isnull(d.fbalancprice,0)) from "
                  "d_s_sale h join d_s_saledetail d on d.fbillid=h.fbillid where h.fclientcode='" +
                  shop + "' and h.fbilldate>='" + from + "' and h.fbilldate<'" + to +
                  "' group by " + periodFn + "(h.fbilldate),isnull(h.femployeeid,'')")) {
            out[QString::number(r[0].toInt()) + "|" + r[1]] = {r[2].toDouble(), r[3].toDouble()};
        }
        return out;
    }
    // Checks the month window against the sums; returns the days several assistants sold.
    int Check(const QString& shop, int month);

    QString shop;
    int month = 0;
};

TEST_F(EmpSaleResults, TheMonthHasOneRowPerDayAndAssistantCountingUnpostedSales) {
    Check(shop, month);
    // The month holds unposted documents, and they count.
    EXPECT_GT(
        Rows("select count(*) from d_s_sale where fposted=0 and fclientcode='" + shop +
             "' and fbilldate>='" + MonthStart(month) + "' and fbilldate<'" + MonthEnd(month) + "'")
            .at(0)
            .at(0)
            .toInt(),
        0);

    // A shop and month with a day on which several assistants sold.
    const QStringList busy =
        Rows(
            "select top 1 fclientcode,month(fbilldate) from d_s_sale where "
            "fbilldate>='2025-01-01' and fbilldate<'2026-01-01' group by fclientcode,"
            "month(fbilldate),day(fbilldate) having count(distinct femployeeid)>1 order by "
            "fclientcode,month(fbilldate)")
            .at(0);
    EXPECT_GT(Check(busy[0], busy[1].toInt()), 0);
}

int EmpSaleResults::Check(const QString& shop, int month) {
    auto* w = Open<Tfrm_OLAPEmpSaleMonth>();
    w->edit_year->setValue(2025);
    w->edit_month->setValue(month);
    w->Com_client->setEditText(shop);
    w->ac_GetData->trigger();
    EXPECT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    if (!w->UDPDB_Report->Active())
        return -1;

    const auto sales = Sales(shop, "day", MonthStart(month), MonthEnd(month));
    const int days = QDate(2025, month, 1).daysInMonth();
    std::map<int, int> rowsPerDay;
    std::set<QString> seen;
    for (const QStringList& r :
         ReportRows(w, {"日期", "营业员编号", "数量", "金额", "营业员姓名"})) {
        const int day = r[0].left(2).toInt();
        EXPECT_EQ(r[0], QStringLiteral("%1日").arg(day, 2, 10, QChar('0')));
        ++rowsPerDay[day];
        const QString key = QString::number(day) + "|" + r[1];
        seen.insert(key);
        auto it = sales.find(key);
        if (it == sales.end()) {
            // A day without sales: one row, no assistant, no figures.
            EXPECT_EQ(r.mid(1), QStringList({"", "", "", ""})) << key.toStdString();
            continue;
        }
        EXPECT_NEAR(r[2].toDouble(), it->second.first, 1e-9) << key.toStdString();
        EXPECT_NEAR(r[3].toDouble(), it->second.second, 1e-6) << key.toStdString();
        if (!r[1].isEmpty()) {
            const QString name =
                Rows("select fnamech from v_employee where fcode='" + r[1] + "'").at(0).at(0);
            EXPECT_EQ(r[4], name);
        }
    }
    EXPECT_EQ(int(rowsPerDay.size()), days);
    for (const auto& [key, figures] : sales)
        EXPECT_TRUE(seen.count(key)) << "missing " << key.toStdString();
    int severalAssistants = 0;
    for (const auto& [day, n] : rowsPerDay)
        severalAssistants += n > 1;
    return severalAssistants;
}

TEST_F(EmpSaleResults, TheShareColumnIsEachAssistantsPartOfTheMonthsAmount) {
    auto* w = Open<Tfrm_OLAPEmpSaleYear>();
    w->edit_year->setValue(2025);
    w->Com_client->setEditText(shop);
    w->ac_GetData->trigger();
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    EXPECT_EQ(ReportRows(w, {"月份"}).size() >= 12, true);

    const auto sales = Sales(shop, "month", "2025-01-01", "2026-01-01");
    std::map<int, double> monthTotal;
    for (const auto& [key, figures] : sales)
        monthTotal[key.section('|', 0, 0).toInt()] += figures.second;

    morvane::pivot::PivotEngine& view = w->OLAP_PivotGrid->ViewData();
    const morvane::pivot::PivotField* monthField = view.fieldByName("月份");
    const morvane::pivot::PivotField* empField = view.fieldByName("营业员编号");
    ASSERT_TRUE(monthField && empField);
    int checked = 0, totals = 0;
    for (int r = 0; r < view.rowCount(); ++r) {
        const QString monthLabel = view.rowGroupText(r, *monthField);
        if (monthLabel.isEmpty())
            continue;  // the grand-total row
        const int m = monthLabel.left(2).toInt();
        for (int c = 0; c < view.columnCount(); ++c) {
            const morvane::pivot::PivotField* data = view.cellDataField(r, c);
            if (!data || data->name() != "比例")
                continue;
            const QString text = view.drawCell(r, c).text;
            const auto emp = view.columnGroupValue(c, *empField);
            if (!emp) {
                // The row's grand total: all of the month, when it sold anything.
                if (monthTotal[m] > 0) {
                    EXPECT_EQ(text, "100%") << monthLabel.toStdString();
                    ++totals;
                }
                continue;
            }
            const QString empCode = view.columnGroupText(c, *empField);
            auto it = sales.find(QString::number(m) + "|" + empCode);
            if (it == sales.end() || it->second.second == 0) {
                EXPECT_EQ(text, "") << monthLabel.toStdString() << " " << empCode.toStdString();
                continue;
            }
            ASSERT_TRUE(text.endsWith('%')) << text.toStdString();
            const double share = text.chopped(1).toDouble();
            EXPECT_NEAR(share, 100.0 * it->second.second / monthTotal[m], 0.0051)
                << monthLabel.toStdString() << " " << empCode.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 12);
    EXPECT_EQ(totals, int(monthTotal.size()));
}

}  // namespace
}  // namespace morvane::test
