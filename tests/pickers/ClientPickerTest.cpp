// The client picker on the demo database: its statements against the corpus, the user's
// client scope, the search, tick-all, double click and the modal results.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "pickers/unt_selectClient.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "platform/ui/HostServices.h"
#include "session/totalpub1.h"
#include "tests/pickers/PickerFixture.h"

namespace morvane::test {
namespace {

const QString kScope = QStringLiteral("'ZY002','ZY008','JM002','PF003','ZG004'");

class ClientPickerTest : public PickerTest {};

TEST_F(ClientPickerTest, StatementsMatchTheCorpus) {
    {
        Tfrm_selectClient picker;
        picker.Create();
        EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectClient.initial.sql"));
        picker.RzBitBtn1->click();
        EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectClient.search_plain.sql"));
        picker.edit_fabbrev->setText(QStringLiteral("O'Neil"));
        picker.RzBitBtn1->click();
        EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectClient.search_quote.sql"));
        EXPECT_EQ(picker.Goods_Table->GetRecordCount(), 0);
    }
    pub_clientall = false;
    pub_clientcodes = kScope;
    Tfrm_selectClient picker;
    picker.Create();
    EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectClient.initial_scoped.sql"));
    picker.com_Mathod->setCurrentText(QStringLiteral("加盟"));
    picker.com_Grad->setCurrentText(QStringLiteral("经销商"));
    picker.Com_priceType->setCurrentText(QStringLiteral("按折扣"));
    picker.edit_fcode->setText(QStringLiteral("JM"));
    picker.edit_fabbrev->setText(QStringLiteral("店"));
    picker.RzBitBtn1->click();
    EXPECT_EQ(picker.Goods_Table->SQL(), CorpusStatement("frm_selectClient.search_filtered.sql"));
}

TEST_F(ClientPickerTest, DesignOfTheDialog) {
    Tfrm_selectClient picker;
    picker.Create();
    EXPECT_EQ(picker.Caption(), QStringLiteral("客户/店铺选择"));
    EXPECT_EQ(picker.com_Mathod->count(), 5);
    EXPECT_EQ(picker.com_Mathod->itemText(3), QStringLiteral("加盟"));
    EXPECT_EQ(picker.Com_priceType->itemText(1), QStringLiteral("按折扣"));
    EXPECT_EQ(picker.com_Grad->count(), 6);
    EXPECT_TRUE(picker.com_Mathod->currentText().isEmpty());
    auto* model = picker.cxGrid1DBTableView1->Model();
    ASSERT_EQ(model->columnCount(), 7);
    QStringList captions;
    for (int c = 0; c < 7; ++c)
        captions << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(captions.join(','),
              QStringLiteral("选择,客户编号,客户简称,客户性质,客户等级,价格方式,地区名称"));
    // Only the tick column can be changed.
    EXPECT_TRUE(model->flags(model->index(0, 0)) & Qt::ItemIsUserCheckable);
    for (int c = 1; c < 7; ++c) {
        EXPECT_FALSE(model->flags(model->index(0, c)) &
                     (Qt::ItemIsEditable | Qt::ItemIsUserCheckable));
    }
    // Even rows take the shared grid style, the others are white.
    EXPECT_EQ(model->index(1, 2).data(Qt::BackgroundRole).value<QBrush>().color(),
              gridStyle_->QtColor());
    EXPECT_EQ(model->index(0, 2).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(Qt::white));
    // Opening writes "进入" under the caption; the empty close handler writes nothing.
    picker.CloseModal(ui::mrCancel);
    const auto rows = host_->SyslogRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), QStringLiteral("001|客户/店铺选择|进入"));
    EXPECT_TRUE(picker.isHidden());
}

TEST_F(ClientPickerTest, RestrictedUserSeesOnlyScopeCodesBeforeAndAfterSearches) {
    SignIn(QStringLiteral("002"));
    ASSERT_FALSE(pub_clientall);
    ASSERT_FALSE(pub_clientcodes.isEmpty());
    const QStringList scope = pub_clientcodes.split(',').replaceInStrings("'", "");
    Tfrm_selectClient picker;
    picker.Create();
    const auto inScope = [&] {
        const QStringList codes = ColumnValues(picker.Goods_Table, "fcode");
        for (const QString& code : codes)
            EXPECT_TRUE(scope.contains(code)) << code.toStdString();
        return codes.size();
    };
    EXPECT_EQ(inScope(), scope.size());
    picker.RzBitBtn1->click();
    EXPECT_EQ(inScope(), scope.size());
    picker.com_Mathod->setCurrentText(QStringLiteral("加盟"));
    picker.RzBitBtn1->click();
    const auto franchise = inScope();
    EXPECT_GT(franchise, 0);
    EXPECT_LT(franchise, scope.size());
}

TEST_F(ClientPickerTest, SearchByCodePartAndExactKindAndPricing) {
    Tfrm_selectClient picker;
    picker.Create();
    const int all = picker.Goods_Table->GetRecordCount();
    EXPECT_EQ(all, Query("select count(*) from dt_client").front().toInt());

    picker.edit_fcode->setText(QStringLiteral("01"));
    picker.RzBitBtn1->click();
    const QStringList codes = ColumnValues(picker.Goods_Table, "fcode");
    EXPECT_EQ(codes.size(),
              Query("select count(*) from dt_client where fcode like '%01%'").front().toInt());
    EXPECT_TRUE(codes.contains("ZY001"));
    EXPECT_TRUE(codes.contains("ZY010"));  // "01" inside the code, not only at its start
    for (const QString& c : codes)
        EXPECT_TRUE(c.contains("01")) << c.toStdString();

    picker.edit_fcode->clear();
    picker.com_Mathod->setCurrentText(QStringLiteral("加盟"));
    picker.Com_priceType->setCurrentText(QStringLiteral("按折扣"));
    picker.RzBitBtn1->click();
    const int n = picker.Goods_Table->GetRecordCount();
    EXPECT_GT(n, 0);
    EXPECT_EQ(n,
              Query("select count(*) from dt_client where fmathod='加盟' and fprice_type='按折扣'")
                  .front()
                  .toInt());
    for (picker.Goods_Table->First(); !picker.Goods_Table->Eof(); picker.Goods_Table->Next()) {
        EXPECT_EQ(picker.Goods_Table->FieldByName("fmathod")->AsString(), QStringLiteral("加盟"));
        EXPECT_EQ(picker.Goods_Table->FieldByName("fprice_type")->AsString(),
                  QStringLiteral("按折扣"));
    }
}

TEST_F(ClientPickerTest, TickAllAndUntickAllIncludingHandTicks) {
    Tfrm_selectClient picker;
    picker.Create();
    auto* model = picker.cxGrid1DBTableView1->Model();
    // Ticks by hand through the grid, then a search: the new rows come unticked.
    ASSERT_TRUE(model->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole));
    ASSERT_TRUE(model->setData(model->index(5, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "fcode").size(), 2);
    EXPECT_EQ(model->index(2, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

    picker.RzCheckBox1->click();
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "fcode").size(),
              picker.Goods_Table->GetRecordCount());
    picker.RzCheckBox1->click();
    EXPECT_TRUE(TickedCodes(picker.Goods_Table, "fcode").isEmpty());

    model->setData(model->index(1, 0), Qt::Checked, Qt::CheckStateRole);
    picker.edit_fcode->setText("JM");
    picker.RzBitBtn1->click();
    EXPECT_TRUE(TickedCodes(picker.Goods_Table, "fcode").isEmpty());
    picker.RzCheckBox1->click();  // ticks only the listed rows
    const QStringList ticked = TickedCodes(picker.Goods_Table, "fcode");
    EXPECT_EQ(ticked.size(),
              Query("select count(*) from dt_client where fcode like '%JM%'").front().toInt());
}

TEST_F(ClientPickerTest, EnterStaysInTheFocusedControl) {
    Tfrm_selectClient picker;
    picker.Create();
    picker.show();
    picker.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
    picker.edit_fcode->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), picker.edit_fcode);
    QTest::keyClick(picker.edit_fcode, Qt::Key_Return);
    // The dialog's empty key handler lets Enter through: no move to the next control.
    EXPECT_EQ(QApplication::focusWidget(), picker.edit_fcode);
    EXPECT_EQ(picker.ModalResult(), ui::mrNone);
}

TEST_F(ClientPickerTest, DoubleClickConfirmsWithoutTicking) {
    InteractiveRunner runner;
    host::HostApplication app(runner, host_->errors);
    ui::SetApplication(&app);
    runner.act = [](ui::TForm& form) {
        auto& picker = static_cast<Tfrm_selectClient&>(form);
        auto* grid = picker.cxGrid1DBTableView1;
        picker.show();
        const QRect cell = grid->visualRect(grid->Model()->index(1, 2));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    };
    Tfrm_selectClient picker;
    picker.Create();
    EXPECT_EQ(picker.ShowModal(), ui::mrOk);
    EXPECT_TRUE(TickedCodes(picker.Goods_Table, "fcode").isEmpty());
}

TEST_F(ClientPickerTest, RealModalLoopOkCancelAndCloseBox) {
    Tfrm_selectClient picker;
    picker.Create();
    auto* model = picker.cxGrid1DBTableView1->Model();
    model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    QTimer::singleShot(0, &picker, [&] { picker.RzBitBtn6->click(); });
    EXPECT_EQ(picker.ExecModal(), ui::mrOk);
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "fcode"), QStringList{"ZY001"});
    QTimer::singleShot(0, &picker, [&] { picker.RzBitBtn7->click(); });
    EXPECT_EQ(picker.ExecModal(), ui::mrCancel);
    QTimer::singleShot(0, &picker, [&] { picker.close(); });
    EXPECT_EQ(picker.ExecModal(), ui::mrCancel);
    EXPECT_TRUE(host_->errors.messages.isEmpty());
}

TEST_F(ClientPickerTest, TicksNeverReachTheDatabase) {
    {
        Tfrm_selectClient picker;
        picker.Create();
        picker.RzCheckBox1->click();
        picker.edit_fcode->setText("ZY");
        picker.RzBitBtn1->click();
        picker.RzCheckBox1->click();  // unticks all
        picker.RzCheckBox1->click();  // ticks all again
        ASSERT_GT(TickedCodes(picker.Goods_Table, "fcode").size(), 0);
    }
    for (const QString& sql : TakeStatements()) {
        EXPECT_TRUE(sql.startsWith("select ") || sql.startsWith("insert into syslog("))
            << sql.toStdString();
    }
    EXPECT_EQ(Query("select count(*) from fn_checkclient('') where checkid<>0").front(), "0");
}

TEST_F(ClientPickerTest, ScriptedPickTicksTheCodesAndConfirms) {
    Tfrm_selectClient picker;
    picker.Create();
    host_->runner.QueuePick({"JM002", "ZY003", "NOPE"});
    EXPECT_EQ(picker.ShowModal(), ui::mrOk);
    EXPECT_EQ(TickedCodes(picker.Goods_Table, "fcode"), (QStringList{"ZY003", "JM002"}));
    EXPECT_EQ(host_->runner.unmatchedCodes, QStringList{"NOPE"});
}

}  // namespace
}  // namespace morvane::test
