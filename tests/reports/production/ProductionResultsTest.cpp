// Production window results on the scale-1 demo database against hand-written SQLite queries.

#include <QCheckBox>
#include <QDate>
#include <QSpinBox>

#include <map>
#include <set>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxButtonEdit.h"
#include "reports/production/unt_KnufeFlagDay.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

using KeyedRows = std::map<QString, QString>;

// Rows keyed by their first `keys` columns joined by '|', the rest joined as the value.
KeyedRows Keyed(const std::vector<QStringList>& rows, int keys) {
    KeyedRows out;
    for (const QStringList& r : rows)
        out[r.mid(0, keys).join('|')] = r.mid(keys).join('|');
    return out;
}

using ProductionResults = ReportTest;

TEST_F(ProductionResults, SentReturnedAndOutstandingPiecesPerOutsourcingDocument) {
    Tbase_OLAPreport* w = OpenByName(QStringLiteral("frm_OLAPknufeTrance"));
    w->oderdate_check->click();  // all dates
    Run(w);
    const KeyedRows got = Keyed(
        ReportRows(w, {"发外单号", "裁床单号", "加工工序", "发出数量", "回收数量", "差异数量"}), 3);
    const KeyedRows want = Keyed(
        SqliteRows(
            "select "
            "b.fbillid,b.fknufeid,b.ftype,sum(coalesce(a.fqty,0)),sum(coalesce(a.frecqty,0)),"
            "sum(coalesce(a.fqty,0))-sum(coalesce(a.frecqty,0)) from gm_knufeoutdetail a "
            "join gm_knufeout b on b.fbillid=a.fbillid join gm_knufe d on d.fbillid=b.fknufeid "
            "group by 1,2,3"),
        3);
    ASSERT_GT(want.size(), 20u);
    EXPECT_EQ(got, want);
    // More pieces came back than went out on some documents.
    EXPECT_TRUE(std::any_of(got.begin(), got.end(), [](const auto& kv) {
        return kv.second.section('|', 2).startsWith('-');
    }));
}

TEST_F(ProductionResults, OutputPerProcessAndWorkerOfOneBill) {
    Tbase_OLAPreport* w = OpenByName(QStringLiteral("frm_GmKnufeEmp"));
    w->edit_client->setText(QStringLiteral("CC202503000002"));
    Run(w);
    const KeyedRows got =
        Keyed(ReportRows(w, {"工序编号", "工号", "工序名称", "工价", "姓名", "数量"}), 2);
    const KeyedRows want =
        Keyed(SqliteRows(
                  "select x.fprocedue_no,coalesce(e.fcode,''),v.fprocedurename,v.fproprice,"
                  "coalesce(e.fnamech,''),sum(x.q) from ("
                  "select fbillid,fprocedue_no,femployeeid emp,fquantity_2 q from gm_proroll "
                  "where fknufeid='CC202503000002' union all "
                  "select fproduceid,fprocedue_no,femploycode,fquantity from gm_procount "
                  "where fknufeid='CC202503000002') x "
                  "join V_produceOfBill v on v.fbillid=x.fbillid and v.fprocedureid=x.fprocedue_no "
                  "left join v_employee e on e.fcode=x.emp group by 1,2,3,4,5"),
              2);
    ASSERT_GT(want.size(), 3u);
    EXPECT_EQ(got, want);
}

TEST_F(ProductionResults, DailyOutputPerProcessOverAMonthWithEveryDay) {
    auto* w = Open<Tfrm_KnufeFlagDay>();
    w->Edit_Year->setValue(2025);
    w->Edit_Month->setValue(3);
    Run(w);
    std::set<QString> days;
    KeyedRows got;
    // The month's first piece ticket, as the window read it.
    QStringList sample;
    for (int i = 0; i < 4; ++i)
        sample << w->ads_temp->Fields(i)->AsString();
    ASSERT_FALSE(sample[0].isEmpty());
    for (const QStringList& r :
         ReportRows(w, {"日期", "床次", "货号", "工序号", "工序名", "数量"})) {
        days.insert(r[0]);
        if (r[5] == "0")  // a day without output, under the month's sample row
            EXPECT_EQ(r.mid(1, 4), sample) << r.join('|').toStdString();
        else
            got[r.mid(0, 4).join('|')] = r[5];
    }
    EXPECT_EQ(days.size(), 31u);
    EXPECT_EQ(*days.begin(), "01");
    EXPECT_EQ(*days.rbegin(), "31");
    const KeyedRows want = Keyed(
        SqliteRows("select substr(x.d,9,2),x.fcutno,x.fgoodsid,x.fprocedue_no,sum(x.q) from ("
                   "select fadd_date d,fcutno,fgoodsid,fprocedue_no,fbillid bill,fquantity_2 q "
                   "from gm_proroll "
                   "union all select "
                   "c.fadd_date,k.fcutno,k.fgoodsid,c.fprocedue_no,k.fproduceid,c.fquantity "
                   "from gm_procount c join gm_knufe k on k.fbillid=c.fknufeid) x "
                   "join V_produceOfBill v on v.fbillid=x.bill and v.fprocedureid=x.fprocedue_no "
                   "where x.d like '2025-03-%' group by 1,2,3,4 having sum(x.q)<>0"),
        4);
    ASSERT_GT(want.size(), 20u);
    EXPECT_EQ(got, want);
}

TEST_F(ProductionResults, AMonthWithoutOutputStillShowsEveryDayEmpty) {
    auto* w = Open<Tfrm_KnufeFlagDay>();
    w->Edit_Year->setValue(2024);
    w->Edit_Month->setValue(2);
    Run(w);
    const auto rows = ReportRows(w, {"日期", "床次", "货号", "工序号", "工序名", "数量"});
    ASSERT_EQ(rows.size(), 29u);
    EXPECT_EQ(rows.back(), QStringList({"29", "", "", "", "", "0"}));
}

}  // namespace
}  // namespace morvane::test
