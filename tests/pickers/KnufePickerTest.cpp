// The cutting-bill picker: its opening list, the searches (typed texts quoted), the memory
// table's copy of the rows, and the two modes as scripts drive them.

#include <QAbstractItemModel>
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
#include "platform/ui/DBTickGrid.h"
#include "session/totalpub1.h"
#include "tests/pickers/PickerFixture.h"

namespace morvane::test {
namespace {

// "bill|qty|ticked" of each row the picker shows.
QStringList Shown(Tfrm_SelectKnufe& picker) {
    QStringList out;
    TRemoteUdpDataSet* rows = picker.dxMem_Master;
    for (rows->First(); !rows->Eof(); rows->Next()) {
        out << rows->FieldByName("fbillid")->AsString() + "|" +
                   rows->FieldByName("fqty")->AsString() + "|" +
                   rows->FieldByName("fcheckid")->AsString();
    }
    return out;
}

void Search(Tfrm_SelectKnufe& p, bool dates, const QString& goods, const QString& cut) {
    p.cxDateEdit1->setDate(QDate(2025, 2, 13));
    p.cxDateEdit2->setDate(QDate(2025, 3, 15));
    p.cxCheckBox1->setChecked(dates);
    p.edit_goodsid->setText(goods);
    p.edit_fcutno->setText(cut);
    p.cxButton3->click();
}

using KnufePickerTest = PickerTest;

TEST_F(KnufePickerTest, ListsTheLastThirtyDaysThenSearchesWithTypedTextsQuoted) {
    Tfrm_SelectKnufe picker;
    EXPECT_FALSE(picker.cxButton1->isEnabled());
    picker.Create();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(picker.cxDateEdit1->date(), today.addDays(-30));
    EXPECT_EQ(picker.cxDateEdit2->date(), today);
    EXPECT_TRUE(picker.cxButton1->isEnabled());
    EXPECT_EQ(picker.ads_main->SQL(), picker.SearchSQL());

    Search(picker, true, "", "");
    EXPECT_EQ(picker.ads_main->SQL(), CorpusStatement("frm_SelectKnufe.default.sql"));
    QStringList want;
    for (const QString& r :
         Query("select b.fbillid+'|'+convert(varchar(10),sum(isnull(a.fqty,0)))+'|False' "
               "from gm_knufede a join gm_knufe b on a.fbillid=b.fbillid join goods c on "
               "b.fgoodsid=c.goodsid "
               "where b.fbilldate>='2025-02-13' and b.fbilldate<='2025-03-15' group by b.fbillid"))
        want << r;
    QStringList shown = Shown(picker);
    shown.sort();
    want.sort();
    EXPECT_EQ(shown, want);
    ASSERT_GT(want.size(), 5);

    Search(picker, false, "", "");
    EXPECT_EQ(picker.ads_main->SQL(), CorpusStatement("frm_SelectKnufe.nodate.sql"));
    Search(picker, true, "0", "1");
    EXPECT_EQ(picker.ads_main->SQL(), CorpusStatement("frm_SelectKnufe.filtered.sql"));
    for (picker.ads_main->First(); !picker.ads_main->Eof(); picker.ads_main->Next()) {
        EXPECT_TRUE(picker.ads_main->FieldByName("fgoodsid")->AsString().contains('0'));
        EXPECT_EQ(picker.ads_main->FieldByName("fcutno")->AsString(), "1");
    }
    Search(picker, false, "MF'25", "1'");
    EXPECT_TRUE(picker.ads_main->SQL().contains(
        " and b.fgoodsid like '%MF''25%' and b.fcutno='1''' group by"));
    EXPECT_TRUE(host_->errors.messages.isEmpty())
        << host_->errors.messages.join('\n').toStdString();
    EXPECT_TRUE(Shown(picker).isEmpty());
}

TEST_F(KnufePickerTest, CopiesRowsWithTextsCutToTwentyBytesAndTicksOrFocusesForScripts) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(host_->DbFile(), dir.filePath("copy.db")));
    TRemoteUdpConnection side;
    side.OpenSqlite(dir.filePath("copy.db"));
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
    // The cut quantity lines up on the right, the bill number on the left.
    const QAbstractItemModel* shown = picker.cxGrid1DBTableView1->model();
    const auto alignment = [&](int column) {
        return shown->index(0, column).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(shown->headerData(7, Qt::Horizontal).toString(), "实裁数");
    EXPECT_EQ(alignment(7), int(Qt::AlignRight));
    EXPECT_EQ(alignment(1), int(Qt::AlignLeft));

    Search(picker, false, "", "");
    host_->runner.QueuePick({"CC202503000004", "CC202503000002"});
    ASSERT_EQ(picker.ShowModal(), ui::mrOk);
    const QStringList ticked = Shown(picker).filter("|True");
    ASSERT_EQ(ticked.size(), 2);
    EXPECT_TRUE(ticked[0].startsWith("CC202503000002|") && ticked[1].startsWith("CC202503000004|"));
    picker.cxButton3->click();  // a new search drops the ticks
    EXPECT_TRUE(Shown(picker).filter("|True").isEmpty());

    picker.SetColumnsFlagVisible(false);
    host_->runner.QueuePick({"cc202503000004"});  // codes compare without regard to case
    ASSERT_EQ(picker.ShowModal(), ui::mrOk);
    EXPECT_EQ(rows->FieldByName("fbillid")->AsString(), "CC202503000004");
    host_->runner.QueuePick({});
    EXPECT_EQ(picker.ShowModal(), ui::mrCancel);
    EXPECT_EQ(host_->errors.messages, QStringList{"this window takes one cutting bill, not none"});
    pub_connection = host_->connection.get();
}

}  // namespace
}  // namespace morvane::test
