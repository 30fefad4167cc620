// frm_ShopGoodsTotal as a widget: its design rendered once against golden/, the missing shop,
// the sheet's files (working file, the user's copy, the Excel action), F7 and closing.

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/SpreadSheetBook.h"
#include "platform/workbook/NumberFormat.h"
#include "platform/workbook/WorkbookFile.h"
#include "reports/shopgoods/unt_ShopGoodsTotal.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

using ShopGoodsWindow = ReportTest;

// The texts of a workbook's first sheet as shown, for comparing a file with the view.
QString SheetTexts(const morvane::workbook::Workbook& book) {
    const morvane::workbook::Sheet& s = book.sheet(0);
    QStringList lines;
    for (int r = 0; r < s.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < s.columnCount(); ++c)
            cells << morvane::workbook::shownText(book, s, r, c);
        lines << cells.join('\t');
    }
    return lines.join('\n');
}

TEST_F(ShopGoodsWindow, OpensAsDesigned) {
    auto* w = Open<Tfrm_ShopGoodsTotal>();
    EXPECT_EQ(CheckGolden(SHOPGOODS_GOLDEN_DIR, "frm_ShopGoodsTotal.dump.txt", DumpWindow(w)), "");
    EXPECT_TRUE(w->sizecheck->isChecked());
    EXPECT_FALSE(w->OLAP_PivotGrid->isVisibleTo(w));
    QStringList menu;
    for (QAction* a : w->PopupMenu1->actions())
        menu << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(menu.join('|'), "打开对应的EXCEL表|重新加载EXCEL|保存到EXCEL|-|设置格式");
    EXPECT_EQ(w->Total_cxSpreadSheetBook->PopupMenu(), w->PopupMenu1);
}

TEST_F(ShopGoodsWindow, WithoutAShopItSaysSoAndLeavesTheSheetCleared) {
    auto* w = Open<Tfrm_ShopGoodsTotal>();
    w->sel_client = "'ZY001'";
    Run(w);
    ASSERT_GT(w->Total_cxSpreadSheetBook->ActiveSheet().rowCount(), 4);
    const std::size_t sent = host->Statements().size();
    w->sel_client.clear();
    w->ac_GetData->trigger();
    ASSERT_EQ(host->runner.messages.size(), 1u);
    EXPECT_EQ(host->runner.messages[0].caption, "系统提示");
    EXPECT_EQ(host->runner.messages[0].text, "请选择店铺进行分析统计!");
    EXPECT_EQ(host->Statements().size(), sent);  // no query
    EXPECT_EQ(w->Total_cxSpreadSheetBook->ActiveSheet().rowCount(), 0);
}

TEST_F(ShopGoodsWindow, TheSheetGoesToTheFilesAndComesBack) {
    auto* w = Open<Tfrm_ShopGoodsTotal>();
    w->sel_client = "'ZY002','JM002'";
    Run(w);
    TcxSpreadSheetBook* view = w->Total_cxSpreadSheetBook;
    const QString shown = view->SheetText();
    EXPECT_EQ(w->ResultText(), shown);
    // The working file lies in the program's folder, which the test host lets it write.
    EXPECT_EQ(QFileInfo(w->WorkingFile()).absolutePath(),
              QFileInfo(host->ProgramFolder()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo::exists(w->WorkingFile()));

    // The Excel action writes what the view shows, as .xls and as .xlsx.
    for (const QString& name : {QStringLiteral("sheet.xls"), QStringLiteral("sheet.xlsx")}) {
        const QString file = host->ProgramFolder() + "/" + name;
        host->runner.QueueSaveName(file);
        w->ac_Excel->trigger();
        ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
        EXPECT_EQ(SheetTexts(morvane::workbook::loadWorkbook(file)), shown) << name.toStdString();
        EXPECT_TRUE(host->runner.launched.isEmpty());
    }

    // The user's copy: saved, the sheet changed, reloaded as it was saved.
    EXPECT_FALSE(QFileInfo::exists(w->UserFile()));
    w->EXCEL2->trigger();
    EXPECT_FALSE(Errors().isEmpty());  // nothing to reload yet
    host->errors.messages.clear();
    w->EXCEL_SAVE->trigger();
    view->SetCellText(3, 4, "12345");
    w->EXCEL2->trigger();
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    EXPECT_EQ(view->SheetText(), shown);
    w->EXCEL1->trigger();
    EXPECT_EQ(host->runner.launched, QStringList{w->UserFile()});
}

TEST_F(ShopGoodsWindow, FourShopsAreWiderThanXlsAndGoThroughXlsxFiles) {
    auto* w = Open<Tfrm_ShopGoodsTotal>();
    w->sel_client = "'ZY001','ZY002','ZY008','JM002'";
    Run(w);
    EXPECT_GT(w->Layout().lastTotalsColumn(), 255);  // past column IV
    ASSERT_TRUE(w->WorkingFile().endsWith("店铺货品综合分析表.xlsx"));
    EXPECT_TRUE(w->UserFile().endsWith("店铺货品综合分析表1.xlsx"));
    TcxSpreadSheetBook* view = w->Total_cxSpreadSheetBook;
    EXPECT_EQ(view->CellText(0, w->Layout().firstTotalsColumn), "总进销存");
    w->EXCEL_SAVE->trigger();
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    EXPECT_EQ(SheetTexts(morvane::workbook::loadWorkbook(w->UserFile())), view->SheetText());
    // Saved as .xls on request, it does not fit: the user is told, and nothing is written.
    const QString file = host->ProgramFolder() + "/wide.xls";
    host->runner.QueueSaveName(file);
    w->ac_Excel->trigger();
    EXPECT_TRUE(Errors().contains(".xlsx")) << Errors().toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(ShopGoodsWindow, F7ShowsThePictureOfTheRowsGoodsAndClosingClearsTheSheet) {
    auto* w = Open<Tfrm_ShopGoodsTotal>();
    w->sel_client = "'ZY002'";
    Run(w);
    TcxSpreadSheetBook* view = w->Total_cxSpreadSheetBook;
    // The second colour of a goods item: its number shows merged in the row above.
    int row = -1;
    for (int r = 4; r < view->ActiveSheet().rowCount() && row < 0; ++r)
        if (view->CellText(r, 0).isEmpty() && !view->CellText(r, 1).isEmpty())
            row = r;
    ASSERT_GE(row, 0);
    const QString goods = view->CellText(view->ActiveSheet().mergeAt(row, 0)->firstRow, 0);
    view->SelectRange(row, 5, row, 5);
    QKeyEvent f7(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &f7);
    ASSERT_TRUE(Errors().isEmpty()) << Errors().toStdString();
    EXPECT_EQ(w->ads_GoodsImage->SQL(),
              "select top 1 fimage from goodsImage where fgoodsid='" + goods + "'");

    TCloseAction action = morvane::ui::caHide;
    w->FormClose(w, action);
    EXPECT_EQ(view->ActiveSheet().rowCount(), 0);
}

}  // namespace
}  // namespace morvane::test
