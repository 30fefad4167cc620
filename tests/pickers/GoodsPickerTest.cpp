// The goods picker: the attribute tree from ba_fieldremark / ba_fieldvalues, the search built
// from partly ticked attributes, the goods-number text and the brand scope, and its buttons.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pickers/unt_selectgoods.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "platform/ui/TRzCheckTree.h"
#include "session/totalpub1.h"
#include "tests/pickers/PickerFixture.h"

namespace morvane::test {
namespace {

class GoodsPickerTest : public PickerTest {
  protected:
    static QTreeWidgetItem* Root(Tfrm_selectgoods& p, const QString& caption) {
        for (int i = 0; i < p.tree->topLevelItemCount(); ++i) {
            if (p.tree->topLevelItem(i)->text(0) == caption)
                return p.tree->topLevelItem(i);
        }
        return nullptr;
    }
    static void Tick(QTreeWidgetItem* root, const QStringList& values) {
        for (int i = 0; i < root->childCount(); ++i) {
            if (values.contains(root->child(i)->text(0))) {
                TRzCheckTree::SetItemState(root->child(i), TRzCheckTree::csChecked);
            }
        }
    }
};

TEST_F(GoodsPickerTest, TreeHoldsTheOfferedAttributesWithTheirValuesInOrder) {
    Tfrm_selectgoods picker;
    picker.Create();
    const auto statements = TakeStatements();
    ASSERT_GE(statements.size(), 3u);  // usage log and rights first
    EXPECT_NE(std::find(statements.begin(), statements.end(),
                        CorpusStatement("frm_selectgoods.attributes.sql")),
              statements.end());
    EXPECT_NE(std::find(statements.begin(), statements.end(),
                        CorpusStatement("frm_selectgoods.values.sql")),
              statements.end());

    QStringList roots;
    for (int i = 0; i < picker.tree->topLevelItemCount(); ++i)
        roots << picker.tree->topLevelItem(i)->text(0);
    EXPECT_EQ(roots.join(','), QStringLiteral("类别,品牌,年份,季节,项目,性别,风格,面料,款式"));
    QTreeWidgetItem* year = Root(picker, QStringLiteral("年份"));
    ASSERT_NE(year, nullptr);
    QStringList years;
    for (int i = 0; i < year->childCount(); ++i)
        years << year->child(i)->text(0);
    QStringList expected;
    for (const QString& v :
         Query("select fFieldValues from ba_fieldvalues where ftablename='goods' "
               "and ffieldname='ayear' order by fid")) {
        expected << v.trimmed();
    }
    EXPECT_EQ(years, expected);
    EXPECT_GE(years.size(), 2);

    // The grid starts empty with OK and tick-all disabled.
    EXPECT_FALSE(picker.Goods_Table->Active());
    EXPECT_EQ(picker.cxGrid1DBTableView1->Model()->rowCount(), 0);
    EXPECT_FALSE(picker.RzBitBtn6->isEnabled());
    EXPECT_FALSE(picker.CheckBox1->isEnabled());
    EXPECT_EQ(picker.FormStyle(), ui::fsNormal);
}

TEST_F(GoodsPickerTest, ParentsFollowTheirChildrenInThreeStates) {
    Tfrm_selectgoods picker;
    picker.Create();
    QTreeWidgetItem* season = Root(picker, QStringLiteral("季节"));
    ASSERT_NE(season, nullptr);
    ASSERT_GE(season->childCount(), 2);
    EXPECT_EQ(TRzCheckTree::ItemState(season), TRzCheckTree::csUnchecked);
    TRzCheckTree::SetItemState(season->child(0), TRzCheckTree::csChecked);
    EXPECT_EQ(TRzCheckTree::ItemState(season), TRzCheckTree::csPartiallyChecked);
    for (int i = 0; i < season->childCount(); ++i) {
        TRzCheckTree::SetItemState(season->child(i), TRzCheckTree::csChecked);
    }
    EXPECT_EQ(TRzCheckTree::ItemState(season), TRzCheckTree::csChecked);
    TRzCheckTree::SetItemState(season, TRzCheckTree::csUnchecked);
    for (int i = 0; i < season->childCount(); ++i) {
        EXPECT_EQ(TRzCheckTree::ItemState(season->child(i)), TRzCheckTree::csUnchecked);
    }
    TRzCheckTree::SetItemState(season, TRzCheckTree::csChecked);
    EXPECT_EQ(TRzCheckTree::ItemState(season->child(season->childCount() - 1)),
              TRzCheckTree::csChecked);
}

TEST_F(GoodsPickerTest, SearchStatementsMatchTheCorpus) {
    {
        Tfrm_selectgoods picker;
        picker.Create();
        picker.RzBitBtn1->click();
        EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectgoods.search_plain.sql"));
        EXPECT_EQ(picker.Goods_Table->GetRecordCount(),
                  Query("select count(*) from goods").front().toInt());
        EXPECT_TRUE(picker.RzBitBtn6->isEnabled());
        EXPECT_TRUE(picker.CheckBox1->isEnabled());
        picker.edit_goods->setText(QStringLiteral("MF'25"));
        picker.RzBitBtn1->click();
        EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectgoods.search_quote.sql"));
        // Nothing found: OK and tick-all go back to disabled.
        EXPECT_FALSE(picker.RzBitBtn6->isEnabled());
        EXPECT_FALSE(picker.CheckBox1->isEnabled());
    }
    SignIn(QStringLiteral("002"));
    ASSERT_EQ(pub_brandcodes, QStringLiteral("'莫凡','雅岚'"));
    Tfrm_selectgoods picker;
    picker.Create();
    Tick(Root(picker, QStringLiteral("年份")), {"2025", "2026"});
    Tick(Root(picker, QStringLiteral("季节")), {"春"});
    picker.edit_goods->setText(QStringLiteral("25"));
    TakeStatements();
    picker.RzBitBtn1->click();
    EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectgoods.search_filtered.sql"));
    const auto statements = TakeStatements();
    EXPECT_NE(std::find(statements.begin(), statements.end(),
                        CorpusStatement("frm_selectgoods.fieldname.sql")),
              statements.end());
    const QStringList brands = ColumnValues(picker.Goods_Table, "brand");
    ASSERT_FALSE(brands.isEmpty());
    for (const QString& b : brands)
        EXPECT_TRUE(b == "莫凡" || b == "雅岚") << b.toStdString();
    for (const QString& s : ColumnValues(picker.Goods_Table, "season"))
        EXPECT_EQ(s, "春");
}

TEST_F(GoodsPickerTest, AllValuesOfAnAttributeAreNoRestriction) {
    Tfrm_selectgoods picker;
    picker.Create();
    QTreeWidgetItem* brand = Root(picker, QStringLiteral("品牌"));
    TRzCheckTree::SetItemState(brand, TRzCheckTree::csChecked);
    picker.RzBitBtn1->click();
    EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectgoods.search_plain.sql"));
    TRzCheckTree::SetItemState(brand->child(0), TRzCheckTree::csUnchecked);
    picker.RzBitBtn1->click();
    QStringList rest;
    for (int i = 1; i < brand->childCount(); ++i)
        rest << "'" + brand->child(i)->text(0) + "'";
    EXPECT_TRUE(picker.Goods_Table->SQL().endsWith(QChar(13) + QString(" and (brand in(") +
                                                   rest.join(',') + "))"))
        << picker.Goods_Table->SQL().toStdString();
}

TEST_F(GoodsPickerTest, EnterSearchesAndDoubleClickTogglesWithoutClosing) {
    Tfrm_selectgoods picker;
    picker.Create();
    picker.show();
    picker.edit_goods->setFocus();
    picker.edit_goods->setText(QStringLiteral("SY25"));
    QTest::keyClick(picker.edit_goods, Qt::Key_Return);
    ASSERT_TRUE(picker.Goods_Table->Active());
    const QStringList ids = ColumnValues(picker.Goods_Table, "goodsid");
    ASSERT_FALSE(ids.isEmpty());
    for (const QString& id : ids)
        EXPECT_TRUE(id.contains("SY25"));

    auto* grid = picker.cxGrid1DBTableView1;
    const QRect cell = grid->visualRect(grid->Model()->index(1, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(picker.ModalResult(), ui::mrNone);
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "goodsid"), QStringList{ids[1]});
    picker.Goods_Table->SetRecNo(2);
    picker.cxGrid1DBTableView1DblClick(grid);
    EXPECT_TRUE(TickedCodes(picker.Goods_Table, "goodsid").isEmpty());

    picker.CheckBox1->click();
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "goodsid"), ids);
    picker.CheckBox1->click();
    EXPECT_TRUE(TickedCodes(picker.Goods_Table, "goodsid").isEmpty());
    // The local column "类别" may be changed in the grid; the database keeps its value.
    auto* model = grid->Model();
    ASSERT_TRUE(model->setData(model->index(0, 4), QStringLiteral("改过"), Qt::EditRole));
    EXPECT_EQ(model->index(0, 4).data().toString(), QStringLiteral("改过"));
    EXPECT_EQ(Query("select count(*) from goods where sort='改过'").front(), "0");
    EXPECT_EQ(grid->FooterText(0), QStringLiteral("记录数"));
    EXPECT_EQ(grid->FooterText(1), QString::number(ids.size()));
}

TEST_F(GoodsPickerTest, ScriptedPickSearchesFirst) {
    Tfrm_selectgoods picker;
    picker.Create();
    host_->runner.QueuePick({"MF251008", "YL251006"});
    EXPECT_EQ(picker.ShowModal(), ui::mrOk);
    const QStringList ticked = TickedCodes(picker.Goods_Table, "goodsid");
    EXPECT_EQ(ticked.size(), 2);
    EXPECT_TRUE(ticked.contains("MF251008") && ticked.contains("YL251006"));
}

}  // namespace
}  // namespace morvane::test
