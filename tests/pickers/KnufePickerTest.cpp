// The cutting-bill picker: the list of its opening, the searches (typed texts quoted), the
// memory table's copy of the rows, and the two modes as scripts drive them.

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "pickers/unt_SelectKnufe.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "session/totalpub1.h"
#include "tests/pickers/PickerFixture.h"

namespace morvane::test {
namespace {

class KnufePickerTest : public PickerTest {
  protected:
    // The bills of a search as the picker shows them: "bill|qty" in row order, all unticked.
    static QStringList Shown(Tfrm_SelectKnufe& picker) {
        QStringList out;
        TRemoteUdpDataSet* rows = picker.dxMem_Master;
        for (rows->First(); !rows->Eof(); rows->Next()) {
            EXPECT_FALSE(rows->FieldByName("fcheckid")->AsBoolean());
            out << rows->FieldByName("fbillid")->AsString() + "|" +
                       rows->FieldByName("fqty")->AsString();
        }
        return out;
    }
    QStringList Expected(const QString& where) {
        QStringList out;
        for (const QString& r :
             Query("select b.fbillid+'|'+convert(varchar(10),sum(isnull(a.fqty,0))) from "
                   "gm_knufede a "
                   "join gm_knufe b on a.fbillid=b.fbillid join goods c on b.fgoodsid=c.goodsid "
                   "where 1=1" +
                   where + " group by b.fbillid order by b.fbillid"))
            out << r;
        return out;
    }
    static void Search(Tfrm_SelectKnufe& p, bool dates, const QString& goods, const QString& cut) {
        p.cxDateEdit1->setDate(QDate(2025, 2, 13));
        p.cxDateEdit2->setDate(QDate(2025, 3, 15));
        p.cxCheckBox1->setChecked(dates);
        p.edit_goodsid->setText(goods);
        p.edit_fcutno->setText(cut);
        p.cxButton3->click();
    }
};

TEST_F(KnufePickerTest, OpensOnTheBillsOfTheLastThirtyDays) {
    Tfrm_SelectKnufe picker;
    EXPECT_FALSE(picker.cxButton1->isEnabled());
    picker.Create();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(picker.Caption(), "裁床单选择");
    EXPECT_EQ(picker.cxDateEdit1->date(), today.addDays(-30));
    EXPECT_EQ(picker.cxDateEdit2->date(), today);
    EXPECT_TRUE(picker.cxButton1->isEnabled());
    EXPECT_TRUE(picker.ColumnsFlagVisible());
    EXPECT_EQ(picker.ads_main->SQL(), picker.SearchSQL());
    QStringList shown = Shown(picker);
    shown.sort();
    EXPECT_EQ(shown, Expected(" and b.fbilldate>='" + today.addDays(-30).toString("yyyy-MM-dd") +
                              "' and b.fbilldate<='" + today.toString("yyyy-MM-dd") + "'"));
}

TEST_F(KnufePickerTest, SearchesByDateStyleAndCutNumberWithTypedTextsQuoted) {
    Tfrm_SelectKnufe picker;
    picker.Create();
    Search(picker, true, "", "");
    EXPECT_EQ(picker.ads_main->SQL(), CorpusStatement("frm_SelectKnufe.default.sql"));
    QStringList shown = Shown(picker);
    shown.sort();
    EXPECT_EQ(shown, Expected(" and b.fbilldate>='2025-02-13' and b.fbilldate<='2025-03-15'"));

    Search(picker, false, "", "");
    EXPECT_EQ(picker.ads_main->SQL(), CorpusStatement("frm_SelectKnufe.nodate.sql"));
    EXPECT_EQ(Shown(picker).size(), Expected("").size());

    Search(picker, true, "0", "1");
    EXPECT_EQ(picker.ads_main->SQL(), CorpusStatement("frm_SelectKnufe.filtered.sql"));
    shown = Shown(picker);
    shown.sort();
    EXPECT_EQ(shown, Expected(" and b.fbilldate>='2025-02-13' and b.fbilldate<='2025-03-15'"
                              " and b.fgoodsid like '%0%' and b.fcutno='1'"));
    EXPECT_FALSE(shown.isEmpty());

    Search(picker, false, "MF'25", "1'");
    EXPECT_TRUE(picker.ads_main->SQL().endsWith(
        " and b.fgoodsid like '%MF''25%' and b.fcutno='1''' group by "
        "b.fbillid,b.fbilldate,b.fmanualid,b.fgoodsid,c.goodsname,b.fcutno"));
    EXPECT_TRUE(host_->errors.messages.isEmpty())
        << host_->errors.messages.join('\n').toStdString();
    EXPECT_TRUE(Shown(picker).isEmpty());
}

TEST_F(KnufePickerTest, RowsAreCopiedWithTextsCutToTwentyBytesAndNewSearchesDropTicks) {
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.db");
    ASSERT_TRUE(QFile::copy(host_->DbFile(), copy));
    TRemoteUdpConnection side;
    side.OpenSqlite(copy);
    // Eleven Chinese characters: 22 bytes in the Chinese code page.
    side.Execute("update goods set goodsname='女式修身牛仔布半身裙长' where goodsid='MF252008'");
    pub_connection = &side;
    Tfrm_SelectKnufe picker;
    picker.Create();
    Search(picker, true, "MF252008", "");
    TRemoteUdpDataSet* rows = picker.dxMem_Master;
    ASSERT_FALSE(rows->IsEmpty());
    EXPECT_EQ(rows->FieldByName("goodsname")->AsString(), "女式修身牛仔布半身裙");
    EXPECT_EQ(picker.ads_main->FieldByName("goodsname")->AsString(), "女式修身牛仔布半身裙长");

    host_->runner.QueuePick({rows->FieldByName("fbillid")->AsString()});
    EXPECT_EQ(picker.ShowModal(), ui::mrOk);
    rows->First();
    EXPECT_TRUE(rows->FieldByName("fcheckid")->AsBoolean());
    picker.cxButton3->click();
    Shown(picker);  // all unticked again
    pub_connection = host_->connection.get();
}

TEST_F(KnufePickerTest, ManyBillsAreTickedAndOneBillIsFocused) {
    Tfrm_SelectKnufe picker;
    picker.Create();
    Search(picker, false, "", "");
    const QStringList bills = {"CC202503000004", "CC202503000002"};
    host_->runner.QueuePick(bills);
    ASSERT_EQ(picker.ShowModal(), ui::mrOk);
    QStringList ticked;
    TRemoteUdpDataSet* rows = picker.dxMem_Master;
    for (rows->First(); !rows->Eof(); rows->Next()) {
        if (rows->FieldByName("fcheckid")->AsBoolean())
            ticked << rows->FieldByName("fbillid")->AsString();
    }
    EXPECT_EQ(ticked, QStringList({"CC202503000002", "CC202503000004"}));

    picker.SetColumnsFlagVisible(false);
    host_->runner.QueuePick({"cc202503000004"});  // codes compare without regard to case
    ASSERT_EQ(picker.ShowModal(), ui::mrOk);
    EXPECT_EQ(rows->FieldByName("fbillid")->AsString(), "CC202503000004");
    host_->runner.QueuePick({});
    EXPECT_EQ(picker.ShowModal(), ui::mrCancel);
    EXPECT_EQ(host_->errors.messages, QStringList{"this window takes one cutting bill, not none"});
}

}  // namespace
}  // namespace morvane::test
