// The production windows as the user works them: their design rendered once against golden/,
// the cutting-bill picker behind the client button (one bill, several bills, cancel, scripted
// picks it refuses) and the print titles. Two cutting bills dated today are added to a copy of
// the demo database, so that the picker lists them whatever the date.

#include <QDate>
#include <QLineEdit>
#include <QSpinBox>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxButtonEdit.h"
#include "reports/production/unt_GmKnufeEmp.h"
#include "reports/production/unt_KnufeFlagDay.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

class ProductionWindows : public ReportTest {
  protected:
    void SetUp() override {
        const QString db = DemoCopy();
        const std::string today = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
        ExecOnFile(
            db,
            "insert into gm_knufe(fbillid,fbilldate,fposted,fgoodsid,fcutno,fproduceid) values"
            "('TK0001','" +
                today +
                "',1,'MF252008','7','SC202502000010'),"
                "('TK0002','" +
                today +
                "',1,'MF252008','8','SC202502000010');"
                "insert into gm_knufede(fbillid,fqty) "
                "values('TK0001',30),('TK0001',20),('TK0002',12);"
                "insert into gm_proroll(fbillid,fknufeid,fcutno,fgoodsid,fadd_date,fprocedue_no,"
                "fquantity_2,femployeeid) values"
                "('SC202502000010','TK0001','7','MF252008','2025-03-15','01',40,'G005'),"
                "('SC202502000010','TK0001','7','MF252008','2025-03-15','01',5,'NOBODY'),"
                "('SC202502000010','TK0002','8','MF252008','2025-03-16','02',11,'G005');"
                "insert into gm_procount(fproduceid,fknufeid,fprocedue_no,fquantity,femploycode,"
                "fadd_date) values('SC202502000010','TK0001','01',9,'G005','2025-03-15');");
        StartSession(QStringLiteral("001"), db);
    }
    QString Corpus(const QString& name) {
        return ReadText(QStringLiteral(PRODUCTION_CORPUS_DIR "/") + name + ".sql");
    }
};

TEST_F(ProductionWindows, EachOpensAsDesigned) {
    QStringList problems;
    for (const char* name : {"frm_OLAPknufeTrance", "frm_GmKnufeEmp", "frm_KnufeFlagDay"}) {
        const QString problem =
            CheckGolden(PRODUCTION_GOLDEN_DIR, QString::fromLatin1(name) + ".dump.txt",
                        DumpWindow(OpenByName(QString::fromLatin1(name))));
        if (!problem.isEmpty())
            problems << problem;
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    auto* w = Open<Tfrm_KnufeFlagDay>();
    EXPECT_EQ(w->Edit_Year->value(), QDate::currentDate().year());
    EXPECT_EQ(w->Edit_Month->value(), QDate::currentDate().month());
}

TEST_F(ProductionWindows, OneBillIsChosenOrKeptAndTitlesThePrint) {
    auto* w = Open<Tfrm_GmKnufeEmp>();
    w->edit_client->setText(QStringLiteral("CC202503000002"));
    w->edit_client->PressButton();  // nothing queued: cancelled, yet the bill is read and run
    EXPECT_EQ(w->edit_client->text(), "CC202503000002");
    EXPECT_EQ(w->ads_Knufe->SQL(), Corpus("frm_GmKnufeEmp.bill"));
    EXPECT_EQ(w->UDPDB_Report->SQL(), Corpus("frm_GmKnufeEmp.filtered"));
    EXPECT_EQ(w->cxDBTextEdit1->text(), "1");

    // Refused: a bill the picker does not list, two bills where one is taken.
    host->runner.QueuePick({QStringLiteral("CC202503000002")});
    w->edit_client->PressButton();
    host->runner.QueuePick({QStringLiteral("TK0001"), QStringLiteral("TK0002")});
    w->edit_client->PressButton();
    const QString listed = QDate::currentDate().addDays(-30).toString("yyyy-MM-dd") + " to " +
                           QDate::currentDate().toString("yyyy-MM-dd");
    EXPECT_EQ(host->errors.messages,
              QStringList({"cutting bill CC202503000002 is not among the bills of " + listed +
                               " that the picker lists; nothing was chosen",
                           "this window takes one cutting bill, not TK0001,TK0002"}));
    EXPECT_EQ(w->edit_client->text(), "CC202503000002");
    host->errors.messages.clear();

    host->runner.QueuePick({QStringLiteral("TK0001")});
    w->edit_client->PressButton();
    EXPECT_EQ(host->runner.formsShown.last(), "裁床单选择");
    EXPECT_EQ(w->edit_client->text(), "TK0001");
    EXPECT_EQ(QStringList({w->cxDBTextEdit1->text(), w->cxDBTextEdit2->text(),
                           w->cxDBTextEdit3->text(), w->cxDBTextEdit4->text()}),
              QStringList({"7", "MF252008", "女式修身牛仔布半身裙", "50"}));
    // Tickets and counts add up; a worker unknown to v_employee shows without number and name.
    std::vector<QStringList> rows = ReportRows(w, {"工序编号", "工号", "姓名", "数量"});
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows,
              (std::vector<QStringList>{{"01", "", "", "5"}, {"01", "G005", "孙建国", "49"}}));
    w->ac_print->trigger();
    ASSERT_FALSE(host->runner.previews.empty());
    EXPECT_EQ(host->runner.previews.back().title,
              "生产状况表\r床次:7     款号:MF252008    款式名称:女式修身牛仔布半身裙   实裁数:50");
    EXPECT_TRUE(host->errors.messages.isEmpty()) << Errors().toStdString();
}

TEST_F(ProductionWindows, TickedBillsNarrowTheDayReportAndTitleItsPrint) {
    auto* w = Open<Tfrm_KnufeFlagDay>();
    host->runner.QueuePick({QStringLiteral("TK0002"), QStringLiteral("TK0001")});
    w->edit_client->PressButton();
    EXPECT_EQ(w->edit_client->text(), "部分条件");
    QStringList bills = w->sel_knufe.split(',');
    bills.sort();
    EXPECT_EQ(bills, QStringList({"'TK0001'", "'TK0002'"}));
    const QString chosen = w->sel_knufe;
    w->edit_client->PressButton();  // cancelled: the choice stays
    host->runner.QueuePick({QStringLiteral("TK0001"), QStringLiteral("NOPE")});
    w->edit_client->PressButton();  // refused: so does it
    EXPECT_EQ(w->sel_knufe, chosen);
    ASSERT_EQ(host->errors.messages.size(), 1);
    host->errors.messages.clear();

    w->Edit_Year->setValue(2025);
    w->Edit_Month->setValue(3);
    Run(w);
    EXPECT_TRUE(w->UDPDB_Report->SQL().contains(" and a.fknufeid in(" + chosen + ")\r"));
    std::vector<QStringList> output;
    for (const QStringList& r : ReportRows(w, {"日期", "床次", "工序号", "数量"})) {
        if (r[3] != "0")
            output.push_back(r);
    }
    EXPECT_EQ(output, (std::vector<QStringList>{{"15", "7", "01", "54"}, {"16", "8", "02", "11"}}));

    w->ac_print->trigger();
    ASSERT_FALSE(host->runner.previews.empty());
    EXPECT_EQ(host->runner.previews.back().title, "工序日报表\r    年份:2025    月度:3");

    host->runner.QueuePick({});  // OK with nothing ticked: every bill
    w->edit_client->PressButton();
    EXPECT_EQ(w->sel_knufe, "");
    EXPECT_EQ(w->edit_client->text(), "部分条件");
    EXPECT_TRUE(host->errors.messages.isEmpty()) << Errors().toStdString();
}

}  // namespace
}  // namespace morvane::test
