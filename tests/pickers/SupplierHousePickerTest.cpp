// The supplier and warehouse pickers: their lists, the supplier search on confirming an edit,
// the warehouse scope, tick-all and the absence of a double-click action.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pickers/unt_selectHouse.h"
#include "pickers/unt_selectSupplier.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "session/totalpub1.h"
#include "tests/pickers/PickerFixture.h"

namespace morvane::test {
namespace {

class SupplierHousePickerTest : public PickerTest {};

TEST_F(SupplierHousePickerTest, SupplierSearchRunsWhenAnEditIsConfirmed) {
    Tfrm_selectSupplier picker;
    picker.Create();
    EXPECT_EQ(picker.Caption(), QStringLiteral("供应商选择"));
    EXPECT_TRUE(picker.cxButton1->isHidden());
    EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectSupplier.search_plain.sql"));
    const int all = Query("select count(*) from dt_supplier").front().toInt();
    EXPECT_EQ(picker.Goods_Table->GetRecordCount(), all);

    picker.show();
    picker.edit_code->setFocus();
    QTest::keyClicks(picker.edit_code, "01");
    QTest::keyClick(picker.edit_code, Qt::Key_Return);
    const QStringList codes = ColumnValues(picker.Goods_Table, "fcode");
    QStringList expected;
    for (const QString& c :
         Query("select fcode from dt_supplier where fcode like '%01%' order by fcode")) {
        expected << c;
    }
    EXPECT_EQ(codes, expected);
    EXPECT_TRUE(codes.contains("S010"));
    EXPECT_LT(codes.size(), all);

    picker.edit_code->clear();
    QTest::keyClick(picker.edit_code, Qt::Key_Return);
    EXPECT_EQ(picker.Goods_Table->GetRecordCount(), all);

    picker.edit_code->setText(QStringLiteral("S00"));
    picker.edit_abbrev->setText(QStringLiteral("制衣"));
    picker.edit_abbrevPropertiesValidate(picker.edit_abbrev);
    EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectSupplier.search_filtered.sql"));
    for (picker.Goods_Table->First(); !picker.Goods_Table->Eof(); picker.Goods_Table->Next()) {
        EXPECT_TRUE(picker.Goods_Table->FieldByName("fcode")->AsString().contains("S00"));
        EXPECT_TRUE(picker.Goods_Table->FieldByName("fabbrev")->AsString().contains("制衣"));
    }

    picker.CheckBox1->click();
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "fcode").size(),
              picker.Goods_Table->GetRecordCount());
    // No double-click action: the dialog stays open.
    emit picker.cxGrid1DBTableView1->DblClick();
    EXPECT_EQ(picker.ModalResult(), ui::mrNone);
}

TEST_F(SupplierHousePickerTest, SupplierTextsHaveTheirApostrophesDoubled) {
    Tfrm_selectSupplier picker;
    picker.Create();
    picker.edit_abbrev->setText(QStringLiteral("O'Neil"));
    picker.cxButton1->click();
    EXPECT_EQ(picker.Goods_Table->SQL(), QStringLiteral("select * from fn_checksupplier('') where "
                                                        "1=1  and fabbrev like '%O''Neil%'"));
    EXPECT_TRUE(host_->errors.messages.isEmpty());
}

TEST_F(SupplierHousePickerTest, WarehouseListFollowsTheUserScope) {
    {
        Tfrm_selectHouse picker;
        picker.Create();
        EXPECT_EQ(picker.Caption(), QStringLiteral("仓库选择"));
        EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectHouse.initial.sql"));
        EXPECT_EQ(ColumnValues(picker.Goods_Table, "fcode"),
                  (QStringList{"CK01", "CK02", "CK03", "CK04", "CK05", "CK06"}));
        picker.CheckBox1->click();
        EXPECT_EQ(TickedCodes(picker.Goods_Table, "fcode").size(), 6);
        picker.CheckBox1->click();
        EXPECT_TRUE(TickedCodes(picker.Goods_Table, "fcode").isEmpty());
    }
    SignIn(QStringLiteral("002"));
    Tfrm_selectHouse picker;
    picker.Create();
    EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectHouse.initial_scoped.sql"));
    EXPECT_EQ(ColumnValues(picker.Goods_Table, "fcode"), (QStringList{"CK01", "CK02"}));
    auto* model = picker.cxGrid1DBTableView1->Model();
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "仓库编号");
    EXPECT_EQ(picker.cxGrid1DBTableView1->columnWidth(2), 137);
    host_->runner.QueuePick({"CK02"});
    EXPECT_EQ(picker.ShowModal(), ui::mrOk);
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "fcode"), QStringList{"CK02"});
}

}  // namespace
}  // namespace morvane::test
