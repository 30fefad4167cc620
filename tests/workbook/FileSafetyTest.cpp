// Files stay valid whatever the cells hold: texts over a cell's limit are cut (and the cut is
// told once), characters XML forbids are replaced in .xlsx, and a pivot wider than a sheet is
// refused naming the limit. The files are read back by the independent readers.
#include "WorkbookTestSupport.h"

#include "platform/pivot/MemorySource.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/workbook/PivotExport.h"
#include "platform/workbook/TextLimits.h"
#include "platform/workbook/WorkbookError.h"
#include "platform/workbook/WorkbookFile.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace morvane::workbook {
namespace {

using namespace test;

using FileSafety = TempFolderTest;

TEST_F(FileSafety, TextsAreCutToTheCellLimitAndXmlForbiddenCharactersReplaced) {
    const QString cjk(40000, QChar(0x4E2D));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units
    const QString replaced = QString(QChar(0xFFFD));
    const struct {
        const char* name;
        QString text;
        QString xls;   // as the .xls holds it
        QString xlsx;  // as the .xlsx holds it
    } cases[] = {
        {"long", cjk, cjk.left(kCellTextLimit), cjk.left(kCellTextLimit)},
        // The limit falls inside a character of two units: the whole character goes.
        {"pair at the limit", QString(kCellTextLimit - 1, 'a') + emoji + "b",
         QString(kCellTextLimit - 1, 'a'), QString(kCellTextLimit - 1, 'a')},
        {"exactly the limit", QString(kCellTextLimit, 'z'), QString(kCellTextLimit, 'z'),
         QString(kCellTextLimit, 'z')},
        {"forbidden in XML", QString::fromUtf8("甲\xEF\xBF\xBE乙\x01丙\xEF\xBF\xBF"),
         QString::fromUtf8("甲\xEF\xBF\xBE乙\x01丙\xEF\xBF\xBF"),
         "甲" + replaced + "乙" + replaced + "丙" + replaced},
        {"allowed controls", "a\tb\nc", "a\tb\nc", "a\tb\nc"},
    };
    Workbook wb;
    Sheet& sheet = wb.addSheet(QStringLiteral("长文本"));
    for (int r = 0; r < int(std::size(cases)); ++r)
        sheet.setText(r, 1, cases[r].text);

    const char* const notice =
        "2 cell texts were longer than the 32,767 characters an %1 cell holds and were cut to "
        "that length (the first in cell B1 of sheet 长文本).";
    for (const char* name : {"t.xls", "t.xlsx"}) {
        SCOPED_TRACE(name);
        const bool xlsx = QString(name).endsWith("xlsx");
        EXPECT_EQ(saveWorkbook(wb, path(name)),
                  QString::fromUtf8(notice).arg(xlsx ? ".xlsx" : ".xls"));
        const QJsonObject dumped = xlsx ? readWithOpenpyxl(path(name)) : readWithXlrd(path(name));
        const QJsonObject cells = dumped["sheets"].toArray()[0].toObject()["cells"].toObject();
        for (int r = 0; r < int(std::size(cases)); ++r) {
            SCOPED_TRACE(cases[r].name);
            EXPECT_EQ(cells[QString("%1,1").arg(r)].toObject()["v"].toString(),
                      xlsx ? cases[r].xlsx : cases[r].xls);
        }
    }
}

TEST_F(FileSafety, APivotWiderThanASheetIsRefusedNamingTheLimit) {
    auto rows = std::make_shared<pivot::MemorySource>();
    rows->addColumn(QStringLiteral("货号"), pivot::ValueType::Text);
    rows->addColumn(QStringLiteral("数量"), pivot::ValueType::Integer);
    for (int i = 0; i < 18130; ++i)
        rows->appendRow(
            {pivot::Value::text(QString::number(100000 + i)), pivot::Value::integer(1)});
    pivot::PivotEngine grid;
    grid.setSource(rows);
    grid.createAllFields();
    grid.setFieldArea(QStringLiteral("货号"), pivot::Area::Column);
    grid.setFieldArea(QStringLiteral("数量"), pivot::Area::Data);
    for (const char* name : {"wide.xls", "wide.xlsx"}) {
        expectWorkbookError([&] { exportPivotToFile(grid, path(name)); },
                            {"Sheet1", "18,13", "columns", "16,384 columns", "256 columns"});
        EXPECT_FALSE(QFile::exists(path(name)));
    }
}

}  // namespace
}  // namespace morvane::workbook
