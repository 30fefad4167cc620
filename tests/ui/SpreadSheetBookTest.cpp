// The spreadsheet book: a workbook loaded, merged and formatted through the format-cells
// dialog, saved as .xls and .xlsx and read back by independent readers (xlrd, openpyxl) and
// by the book itself; selection, copy and typing.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>

#include "GridTestSupport.h"
#include "platform/ui/SpreadSheetBook.h"
#include "platform/ui/SpreadSheetFormatDialog.h"
#include "platform/workbook/WorkbookFile.h"
#include "tests/workbook/WorkbookTestSupport.h"

namespace {

using morvane::workbook::test::TempFolderTest;

TEST_F(TempFolderTest, BookLoadsMergesFormatsAndSavesWhatRealReadersSee) {
    morvane::workbook::saveWorkbook(morvane::workbook::test::sampleWorkbook(), path("in.xls"));
    TcxSpreadSheetBook book;
    book.LoadFromFile(path("in.xls"));
    EXPECT_EQ(book.CellText(2, 0), "000");  // a goods number keeps its zeros
    EXPECT_EQ(book.CellText(6, 2), "1,234,567.89");
    EXPECT_EQ(book.CellText(3, 3), "13%");
    EXPECT_EQ(book.rowSpan(0, 0), 1);
    EXPECT_EQ(book.columnSpan(0, 0), 6);  // the title's merged range shows as one cell

    // Bold, centred, a heavy outline, another number format, and the range merged.
    book.SelectRange(2, 2, 4, 3);
    const auto& first = book.Book().formats().at(book.ActiveSheet().cell(2, 2)->format);
    TcxSpreadSheetFormatDialog dialog(first, false);
    EXPECT_EQ(dialog.Caption(), "设置单元格格式");
    dialog.NumberFormat->setCurrentText("0.0");
    dialog.HorizontalAlign->setCurrentIndex(2);
    dialog.FontBold->setChecked(true);
    dialog.FontSize->setValue(12);
    dialog.OutlineBorder->setCurrentIndex(3);
    dialog.MergeCells->setChecked(true);
    const morvane::workbook::FormatChange change = dialog.Change();
    EXPECT_FALSE(change.italic.has_value());  // untouched: every cell keeps its own
    book.ApplyFormat(change);
    EXPECT_EQ(book.columnSpan(2, 2), 2);
    EXPECT_EQ(book.rowSpan(2, 2), 3);
    EXPECT_EQ(book.CellText(2, 2), "0.0");
    EXPECT_EQ(book.CellText(3, 2), "");  // a merged range keeps only its first value
    // The percent cells of the range keep their italics.
    EXPECT_TRUE(book.Book().formats().at(book.ActiveSheet().cell(3, 3)->format).font.italic);

    for (const char* name : {"out.xls", "out.xlsx"}) {
        SCOPED_TRACE(name);
        book.SaveToFile(path(name));
        const bool xls = QString(name).endsWith(".xls");
        // openpyxl gives the cells of a merged range the range's edges, so the formats of
        // .xlsx are checked through the book's own reading below.
        const QJsonObject seen = xls ? morvane::workbook::test::readWithXlrd(path(name), true)
                                     : morvane::workbook::test::readWithOpenpyxl(path(name));
        morvane::workbook::test::expectSheetMatches(book.Book(), 0, seen, xls, xls ? 0.01 : 0.8);
        TcxSpreadSheetBook again;
        again.LoadFromFile(path(name));
        EXPECT_EQ(again.SheetText(), book.SheetText());
        EXPECT_EQ(again.columnSpan(2, 2), 2);
        for (int r = 0; r < book.ActiveSheet().rowCount(); ++r)
            for (const morvane::workbook::Cell& c : book.ActiveSheet().row(r))
                EXPECT_TRUE(
                    again.Book().formats().at(again.ActiveSheet().cell(r, c.column)->format) ==
                    book.Book().formats().at(c.format))
                    << r << "," << c.column;
    }
}

TEST(SpreadSheetBook, SelectionCopiesAsShownAndTypingKeepsTheFormat) {
    TcxSpreadSheetBook book;
    book.SetCellText(0, 0, "'00123");
    book.SetCellText(0, 1, "25%");
    book.SetCellText(1, 0, "品名");
    book.SetCellText(1, 1, "7");
    EXPECT_EQ(book.ActiveSheet().cell(0, 0)->kind, morvane::workbook::Cell::Kind::Text);
    EXPECT_EQ(book.ActiveSheet().cell(0, 1)->number, 0.25);
    book.SelectRange(0, 0, 1, 1);
    EXPECT_EQ(book.SelectionRect(), QRect(0, 0, 2, 2));
    EXPECT_EQ(book.SelectionText(), "00123\t25%\n品名\t7");
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&book, &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "00123\t25%\n品名\t7");

    book.SetCellText(0, 1, "0.5");  // still a percentage cell
    EXPECT_EQ(book.CellText(0, 1), "50%");
    int seen = 0;
    book.SetOnKeyDown([&seen](int& key, Qt::KeyboardModifiers) {
        seen = key;
        key = 0;
    });
    QKeyEvent f7(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QApplication::sendEvent(&book, &f7);
    EXPECT_EQ(seen, Qt::Key_F7);
    book.ClearAll();
    EXPECT_EQ(book.SheetText(), "");
}

}  // namespace

int main(int argc, char** argv) {
    return runQtTests(argc, argv);
}
