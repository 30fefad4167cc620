// The .xlsx writer read back by python3-openpyxl, in both of its modes.
#include "WorkbookTestSupport.h"

#include "platform/io/AtomicFile.h"
#include "platform/workbook/WorkbookError.h"
#include "platform/workbook/WorkbookFile.h"
#include "platform/workbook/XlsxWriter.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace morvane::workbook {
namespace {

using namespace test;

using XlsxRoundTrip = TempFolderTest;

// libxlsxwriter stores widths in whole pixels with the padding of the
// default font added (5 pixels of 7 to a character).
constexpr double kWidthTolerance = 0.8;

TEST_F(XlsxRoundTrip, OpenpyxlReadsValuesMergesWidthsHeightsAndFormats) {
    const Workbook wb = sampleWorkbook();
    ASSERT_FALSE(fitsConstantMemory(wb.sheet(0))) << "the sample merges across rows";
    saveWorkbook(wb, path("sample.xlsx"));
    const QJsonObject dumped = readWithOpenpyxl(path("sample.xlsx"), true);
    ASSERT_EQ(dumped["sheets"].toArray().size(), 2);
    expectSheetMatches(wb, 0, dumped, true, kWidthTolerance);
    expectSheetMatches(wb, 1, dumped, true, kWidthTolerance);
    EXPECT_TRUE(dumped["sharedStrings"].toBool()) << "normal mode shares its strings";
}

TEST_F(XlsxRoundTrip, ConstantMemoryModeWritesRowsInOrderWithSingleRowMerges) {
    Workbook wb;
    CellFormat centred;
    centred.halign = HAlign::Center;
    centred.borders = Borders::all(BorderStyle::Thin);
    const FormatId f = wb.addFormat(centred);
    Sheet& s = wb.addSheet(QStringLiteral("总进销存"));
    s.setText(0, 2, QStringLiteral("总进销存"), f);
    s.merge({0, 2, 0, 9});
    for (int c = 3; c <= 9; ++c)
        s.setBlank(0, c, f);
    for (int r = 1; r < 500; ++r) {
        s.setText(r, 0, QStringLiteral("货号%1").arg(r));
        s.setNumber(r, 1, r % 7 == 0 ? 0 : r * 1.5);
        s.setNumber(r, 5, -r);
    }
    s.setRowHeight(3, 20);
    s.setColumnWidth(2, 4);
    ASSERT_TRUE(fitsConstantMemory(s));
    writeXlsx(wb, path("stream.xlsx"));
    const QJsonObject dumped = readWithOpenpyxl(path("stream.xlsx"), true);
    expectSheetMatches(wb, 0, dumped, true, kWidthTolerance);
    EXPECT_FALSE(dumped["sharedStrings"].toBool()) << "constant-memory mode writes inline strings";
}

TEST_F(XlsxRoundTrip, StreamWriterRefusalsBecomeWorkbookErrors) {
    XlsxStreamWriter out(path("refused.xlsx"), true);
    out.addSheet(QStringLiteral("S"));
    EXPECT_THROW(out.writeNumber(0, 0, 1, 99), WorkbookError) << "unknown format";
    expectWorkbookError([&] { out.writeNumber(0, Sheet::kMaxColumns, 1); },
                        {"1,048,576 rows and 16,384 columns"});
    out.writeNumber(0, 0, 1);
    out.close();

    // A folder that cannot take the file fails before any work.
    EXPECT_THROW(XlsxStreamWriter(path("no-such-folder/x.xlsx"), true), io::FileError);
}

}  // namespace
}  // namespace morvane::workbook
