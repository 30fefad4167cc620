// The franchise-client composite windows against plain queries on the demo data.

#include <QSpinBox>
#include <map>
#include <optional>
#include <set>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "reports/clientemp/unt_OLAPClientMonth.h"
#include "reports/clientemp/unt_OLAPClientYear.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

struct Figure {
    const char* column;
    const char* table;
    const char* detail;  // nullptr for a single-table document
    bool amount;         // qty * settled price (or famount) rather than quantity
};
const Figure kFigures[] = {
    {"订货数量", "d_order", "d_orderdetail", false},
    {"订货金额", "d_order", "d_orderdetail", true},
    {"销售数量", "d_sale", "d_saledetail", false},
    {"销售金额", "d_sale", "d_saledetail", true},
    {"退货数量", "d_salereturn", "d_salereturndetail", false},
    {"退货金额", "d_salereturn", "d_salereturndetail", true},
    {"订金收入", "d_subsreceipt", nullptr, true},
    {"订金结转", "d_subsreceipt_flag", nullptr, true},
    {"回款金额", "d_payment", nullptr, true},
    {"其它费用", "d_charges", nullptr, true},
};

class CompositeResults : public ReportTest {
  protected:
    // client|period -> value of the posted documents of [from, to).
    std::map<QString, double> Sums(const Figure& f, const QString& periodFn, const QString& from,
                                   const QString& to) {
        QString value;
        QString source;
        if (f.detail) {
            value = f.amount ? "sum(d.qty*isnull(d.fbalancprice,0))" : "sum(d.qty)";
            source = QString(f.table) + " h join " + f.detail + " d on d.fbillid=h.fbillid";
        } else {
            value = "sum(h.famount)";
            source = QString(f.table) + " h";
        }
        std::map<QString, double> out;
        for (const QStringList& r :
             Rows("select h.fclientcode," + periodFn + "(h.fbilldate)," + value + " from " +
                  source + " where h.fposted=1 and h.fbilldate>='" + from + "' and h.fbilldate<'" +
                  to + "' group by h.fclientcode," + periodFn + "(h.fbilldate)")) {
            out[r[0] + "|" + QString::number(r[1].toInt())] = r[2].toDouble();
        }
        return out;
    }
    std::vector<QString> FranchiseClients() {
        std::vector<QString> out;
        for (const QStringList& r :
             Rows("select fcode from dt_client where fmathod<>'自营' and fmathod<>'专柜' "
                  "order by fcode"))
            out.push_back(r[0]);
        return out;
    }
    QString KindOf(const QString& kind) {
        return Rows("select top 1 fcode from dt_client where fmathod='" + kind + "' order by fcode")
            .at(0)
            .at(0);
    }
    Tbase_OLAPreport* RunYear(int year, const QString& clients = QString()) {
        auto* w = Open<Tfrm_OLAPClientYear>();
        w->edit_year->setValue(year);
        w->sel_client = clients;
        w->ac_GetData->trigger();
        return w;
    }
};

void ExpectFigure(const QString& got, std::optional<double> want, const std::string& where) {
    if (!want) {
        EXPECT_EQ(got, "") << where;
        return;
    }
    bool ok = false;
    const double g = got.toDouble(&ok);
    ASSERT_TRUE(ok) << where << ": '" << got.toStdString() << "'";
    EXPECT_NEAR(g, *want, 1e-6 * qMax(1.0, qAbs(*want))) << where;
}

TEST_F(CompositeResults, EveryFigureOfAYearMatchesThePlainSums) {
    Tbase_OLAPreport* w = RunYear(2025);
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();

    std::vector<std::map<QString, double>> sums;
    for (const Figure& f : kFigures)
        sums.push_back(Sums(f, "month", "2025-01-01", "2026-01-01"));
    const std::map<QString, double>& sale = sums[2];
    const std::map<QString, double>& saleAmount = sums[3];
    const std::map<QString, double>& ret = sums[4];
    const std::map<QString, double>& retAmount = sums[5];
    auto find = [](const std::map<QString, double>& m, const QString& k) -> std::optional<double> {
        auto it = m.find(k);
        return it == m.end() ? std::nullopt : std::optional<double>(it->second);
    };

    QStringList columns{"客户编号", "月份", "客户性质", "净出货数量", "净出货金额"};
    for (const Figure& f : kFigures)
        columns << QString::fromUtf8(f.column);
    const std::vector<QStringList> rows = ReportRows(w, columns);
    const std::vector<QString> clients = FranchiseClients();
    ASSERT_FALSE(clients.empty());
    ASSERT_EQ(rows.size(), clients.size() * 12);

    std::set<QString> seen;
    int withSales = 0;
    for (const QStringList& r : rows) {
        const int month = r[1].left(2).toInt();
        ASSERT_EQ(r[1], QStringLiteral("%1月").arg(month, 2, 10, QLatin1Char('0')));
        EXPECT_NE(r[2], "自营");
        EXPECT_NE(r[2], "专柜");
        const QString key = r[0] + "|" + QString::number(month);
        EXPECT_TRUE(seen.insert(key).second) << "twice: " << key.toStdString();
        for (std::size_t i = 0; i < std::size(kFigures); ++i)
            ExpectFigure(r[5 + int(i)], find(sums[i], key),
                         key.toStdString() + " " + kFigures[i].column);
        ExpectFigure(r[3], find(sale, key).value_or(0) - find(ret, key).value_or(0),
                     key.toStdString() + " 净出货数量");
        ExpectFigure(r[4], find(saleAmount, key).value_or(0) - find(retAmount, key).value_or(0),
                     key.toStdString() + " 净出货金额");
        withSales += find(sale, key).has_value();
    }
    for (const QString& c : clients)
        EXPECT_TRUE(seen.count(c + "|1") && seen.count(c + "|12")) << c.toStdString();
    EXPECT_GT(withSales, 0);  // the comparison covered real figures
}

TEST_F(CompositeResults, SelfOperatedClientsNeverShowEvenWhenPicked) {
    const QString own = KindOf("自营");
    const QString counter = KindOf("专柜");
    const QString franchise = FranchiseClients().at(0);
    Tbase_OLAPreport* w = RunYear(2025, "'" + own + "','" + counter + "','" + franchise + "'");
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    const std::vector<QStringList> rows = ReportRows(w, {"客户编号"});
    EXPECT_EQ(rows.size(), 12u);
    for (const QStringList& r : rows)
        EXPECT_EQ(r[0], franchise);

    // Restricted user 002 sees only franchise clients of its own scope.
    StartSession(QStringLiteral("002"));
    w = RunYear(2025);
    std::set<QString> codes;
    for (const QStringList& r : ReportRows(w, {"客户编号"}))
        codes.insert(r[0]);
    std::set<QString> scope;
    for (const QStringList& r :
         Rows("select u.fclientcode from userclient u join dt_client c on c.fcode=u.fclientcode "
              "where u.fgroupid='002' and isnull(u.fstockbit,0)=0 and c.fmathod<>'自营' and "
              "c.fmathod<>'专柜'"))
        scope.insert(r[0]);
    ASSERT_FALSE(scope.empty());
    EXPECT_EQ(codes, scope);
}

TEST_F(CompositeResults, AYearWithoutDocumentsShowsTwelveEmptyMonthsPerClient) {
    ASSERT_EQ(Rows("select count(*) from d_sale where year(fbilldate)=2024").at(0).at(0), "0");
    Tbase_OLAPreport* w = RunYear(2024);
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    const std::vector<QStringList> rows =
        ReportRows(w, {"订货数量", "销售金额", "退货数量", "回款金额", "其它费用", "净出货数量"});
    EXPECT_EQ(rows.size(), FranchiseClients().size() * 12);
    for (const QStringList& r : rows)
        EXPECT_EQ(r, QStringList({"", "", "", "", "", "0"}));

    morvane::pivot::PivotEngine& view = w->OLAP_PivotGrid->ViewData();
    const morvane::pivot::PivotField* month = view.fieldByName("月份");
    ASSERT_NE(month, nullptr);
    QStringList labels;
    for (int c = 0; c < view.columnCount(); ++c) {
        const QString t = view.columnGroupText(c, *month);
        if (!t.isEmpty() && !labels.contains(t))
            labels << t;
    }
    QStringList want;
    for (int m = 1; m <= 12; ++m)
        want << QStringLiteral("%1月").arg(m, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(labels, want);
}

TEST_F(CompositeResults, OnlyReturnsGiveNegativeNetShipmentsAndUnpostedDocumentsNeverCount) {
    StartSession(QStringLiteral("001"), DemoCopy());
    const QString client = FranchiseClients().at(0);
    ExecOnFile(host->DbFile(),
               QString("insert into d_salereturn(fbillid,fclientcode,fbilldate,fposted) values"
                       "('TR1','%1','2027-05-10',1);"
                       "insert into d_salereturndetail(fbillid,fgoodsid,qty,fbalancprice) values"
                       "('TR1','G1',3,50),('TR1','G2',1,20);"
                       "insert into d_sale(fbillid,fclientcode,fbilldate,fposted) values"
                       "('TS1','%1','2027-05-11',0);"
                       "insert into d_saledetail(fbillid,fgoodsid,qty,fbalancprice) values"
                       "('TS1','G1',7,50);"
                       "insert into d_payment(fbillid,fclientcode,fbilldate,fposted,famount) "
                       "values('TP1','%1','2027-05-12',0,999);"
                       "insert into d_charges(fbillid,fclientcode,fbilldate,fposted,famount) "
                       "values('TC1','%1','2027-06-01',1,12.5);")
                   .arg(client)
                   .toStdString());

    Tbase_OLAPreport* w = RunYear(2027, "'" + client + "'");
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    const QStringList columns{"月份",       "销售数量",   "退货数量", "退货金额",
                              "净出货数量", "净出货金额", "回款金额", "其它费用"};
    std::map<QString, QStringList> byMonth;
    for (const QStringList& r : ReportRows(w, columns))
        byMonth[r[0]] = r.mid(1);
    ASSERT_EQ(byMonth.size(), 12u);
    EXPECT_EQ(byMonth["05月"], QStringList({"", "4", "170", "-4", "-170", "", ""}));
    EXPECT_EQ(byMonth["06月"], QStringList({"", "", "", "0", "0", "", "12.5"}));
    EXPECT_EQ(byMonth["04月"], QStringList({"", "", "", "0", "0", "", ""}));

    // The month window: the same documents by day; May has 31 days for every client.
    auto* m = Open<Tfrm_OLAPClientMonth>();
    m->edit_year->setValue(2027);
    m->edit_month->setValue(5);
    m->ac_GetData->trigger();
    w = m;
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    std::map<QString, QStringList> byDay;
    std::map<QString, int> daysPerClient;
    for (const QStringList& r :
         ReportRows(w, {"客户编号", "日期", "销售数量", "退货数量", "净出货数量", "回款金额"})) {
        ++daysPerClient[r[0]];
        if (r[0] == client)
            byDay[r[1]] = r.mid(2);
    }
    EXPECT_EQ(daysPerClient.size(), FranchiseClients().size());
    for (const auto& [code, days] : daysPerClient)
        EXPECT_EQ(days, 31) << code.toStdString();
    EXPECT_EQ(byDay["10日"], QStringList({"", "4", "-4", ""}));
    EXPECT_EQ(byDay["11日"], QStringList({"", "", "0", ""}));
    EXPECT_EQ(byDay["12日"], QStringList({"", "", "0", ""}));
}

}  // namespace
}  // namespace morvane::test
