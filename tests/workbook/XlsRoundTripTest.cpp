// The .xls writer, read back by python3-xlrd and by our own reader; the
// shared string table across CONTINUE records; the format's limits.
#include "WorkbookTestSupport.h"

#include "platform/io/AtomicFile.h"
#include "platform/workbook/Bytes.h"
#include "platform/workbook/CompoundFile.h"
#include "platform/workbook/WorkbookError.h"
#include "platform/workbook/XlsReader.h"
#include "platform/workbook/XlsWriter.h"

#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

namespace morvane::workbook {
namespace {

using namespace test;

using XlsRoundTrip = TempFolderTest;

TEST_F(XlsRoundTrip, XlrdAndOurReaderReadBackValuesMergesWidthsHeightsAndFormats) {
    const Workbook wb = sampleWorkbook();
    writeXls(wb, path("sample.xls"));
    const QJsonObject dumped = readWithXlrd(path("sample.xls"), true);
    const Workbook back = readXls(path("sample.xls"));
    ASSERT_EQ(dumped["sheets"].toArray().size(), 2);
    ASSERT_EQ(back.sheetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        expectSheetMatches(wb, i, dumped, true, 1.0 / 256);
        expectSameContent(wb.sheet(i), back.sheet(i));
    }
}

// Numbers at the edges of the compact number record: halves whose high word ends in the
// record's flag bits, whole numbers at the 30-bit limits, hundredths, and values that need
// the full eight bytes.
TEST_F(XlsRoundTrip, NumbersSurviveTheCompactNumberForm) {
    const double values[] = {376640.5,   269971.5,  1016073.5, 0.5,     -2.5,   1.25,
                             0.07,       12.34,     -0.01,     1e15,    1e-300, 536870911,
                             536870912,  -536870912, -536870913, 3.0e9, 0,      -0.0};
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("N"));
    int row = 0;
    for (double v : values)
        s.setNumber(row++, 0, v);
    writeXls(wb, path("numbers.xls"));
    expectSheetMatches(wb, 0, readWithXlrd(path("numbers.xls")), false, 0);
    expectSameContent(wb.sheet(0), readXls(path("numbers.xls")).sheet(0));
}

// Texts of every size, Latin and Chinese, so that records end inside 8-bit
// and 16-bit characters, at string headers and inside a text longer than a
// whole record.
Workbook longStringTable() {
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("SST"));
    int row = 0;
    for (int i = 0; i < 3000; ++i) {
        QString t = i % 3 ? QStringLiteral("货品%1-").arg(i) : QStringLiteral("item %1-").arg(i);
        t += QString(i % 37, i % 2 ? QChar(0x4E2D) : QLatin1Char('x'));
        s.setText(row++, 0, t);
    }
    s.setText(row++, 1, QString(10000, QChar(0x6587)));
    s.setText(row++, 1, QString(20000, QLatin1Char('L')));
    s.setText(row++, 1, QStringLiteral("末尾"));
    s.setText(row++, 1, QStringLiteral("item 0-"));  // repeated: one entry, two references
    return wb;
}

TEST_F(XlsRoundTrip, LongSharedStringTableSpansContinueRecords) {
    const Workbook wb = longStringTable();
    const std::string stream = xlsWorkbookStream(wb);

    // Walk the globals: the SST must be followed by CONTINUE records, and
    // every EXTSST bucket must point at the header of its string.
    using namespace bytes;
    size_t at = 0, continues = 0, sstAt = 0;
    std::string_view ext;
    while (at + 4 <= stream.size()) {
        const unsigned type = get16(stream, at), len = get16(stream, at + 2);
        ASSERT_LE(len, 8224u) << "record of type " << type;
        if (type == 0x00FC) {
            sstAt = at;
            EXPECT_EQ(get32(stream, at + 4), 3004u) << "references";
            EXPECT_EQ(get32(stream, at + 8), 3003u) << "distinct texts";
        }
        if (type == 0x003C && sstAt)
            ++continues;
        if (type == 0x00FF)
            ext = std::string_view(stream).substr(at + 4, len);
        if (type == 0x000A)
            break;
        at += 4 + len;
    }
    EXPECT_GE(continues, 9u);
    ASSERT_FALSE(ext.empty());
    const unsigned dsst = get16(ext, 0);
    const size_t buckets = (ext.size() - 2) / 8;
    EXPECT_EQ(buckets, (3003 + dsst - 1) / dsst);
    EXPECT_LE(buckets, 128u);
    for (size_t k = 0; k < buckets; ++k) {
        const std::uint32_t ib = get32(ext, 2 + 8 * k);
        const unsigned cbOffset = get16(ext, 6 + 8 * k);
        const QString expected =
            QString::fromStdString(wb.strings().at(static_cast<StringId>(k * dsst)));
        ASSERT_LT(ib, stream.size());
        EXPECT_EQ(get16(stream, ib), static_cast<unsigned>(expected.size())) << "bucket " << k;
        const size_t recordStart = ib - cbOffset;
        const unsigned type = get16(stream, recordStart);
        EXPECT_TRUE(type == 0x00FC || type == 0x003C) << "bucket " << k;
    }

    writeXls(wb, path("sst.xls"));
    expectSheetMatches(wb, 0, readWithXlrd(path("sst.xls")), false, 0);
    expectSameContent(wb.sheet(0), readXls(path("sst.xls")).sheet(0));
}

TEST_F(XlsRoundTrip, FullHeightSheetUsesDifatSectorsAndReadsBack) {
    // 65,536 rows of doubles that need NUMBER records: a stream of about
    // 12 MB, whose FAT needs more sectors than the header lists.
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("Full"));
    for (int r = 0; r < kXlsMaxRows; ++r)
        for (int c = 0; c < 10; ++c)
            s.setNumber(r, c, r + c / 7.0);
    s.setText(kXlsMaxRows - 1, 3, QStringLiteral("最后一行"));
    writeXls(wb, path("full.xls"));

    QFile f(path("full.xls"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_GT(bytes::get32(std::string_view(bytes.constData(), 512), 72), 0u) << "DIFAT sectors";

    const Workbook back =
        readXlsBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    expectSameContent(s, back.sheet(0));

    const QJsonObject dumped =
        readWithXlrd(path("full.xls"), false, QStringLiteral("65535,3;40000,6"));
    const QJsonObject sheet = dumped["sheets"].toArray()[0].toObject();
    EXPECT_EQ(sheet["rows"].toInt(), kXlsMaxRows);
    EXPECT_EQ(sheet["cols"].toInt(), 10);
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["65535,3"].toObject()["v"].toString(), QStringLiteral("最后一行"));
    EXPECT_EQ(cells["40000,6"].toObject()["v"].toDouble(), 40000 + 6 / 7.0);
}

TEST_F(XlsRoundTrip, LimitsAreCheckedBeforeAnythingIsWritten) {
    Workbook rows;
    rows.addSheet(QStringLiteral("Rows")).setNumber(kXlsMaxRows, 0, 1);  // the 65,537th row
    expectWorkbookError([&] { writeXls(rows, path("rows.xls")); },
                        {".xlsx", "65,537 rows", "Rows"});
    EXPECT_FALSE(QFile::exists(path("rows.xls")));
    EXPECT_THROW(writeXls(Workbook{}, path("empty.xls")), WorkbookError) << "no sheet";

    // One step past each limit is refused; every limit reached at once is not. (A text past
    // its limit is cut, not refused: see FileSafetyTest.)
    const QString longest(kXlsMaxTextLength, QChar(0x4E2D));
    const std::function<void(Sheet&)> pastALimit[] = {
        [](Sheet& s) { s.setText(0, kXlsMaxColumns, QStringLiteral("x")); },
        [](Sheet& s) {
            s.merge({kXlsMaxRows - 1, 0, kXlsMaxRows, 0});
        },
    };
    for (const auto& fill : pastALimit) {
        Workbook wb;
        fill(wb.addSheet(QStringLiteral("S")));
        EXPECT_THROW(checkXlsLimits(wb), WorkbookError);
    }
    Workbook edge;
    edge.addSheet(QStringLiteral("Edge")).setNumber(kXlsMaxRows - 1, kXlsMaxColumns - 1, 1);
    edge.sheet(0).setText(0, 0, longest);
    EXPECT_NO_THROW(checkXlsLimits(edge));
}

TEST_F(XlsRoundTrip, ManyMergedRangesAreSplitIntoRecordsOf1027) {
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("Merges"));
    for (int r = 0; r < 2500; ++r) {
        s.setText(r, 0, QStringLiteral("行%1").arg(r));
        s.merge({r, 0, r, 1 + r % 3});
    }
    const std::string stream = xlsWorkbookStream(wb);
    size_t records = 0;
    for (size_t at = stream.find("\xE5\x00", 0); at != std::string::npos;
         at = stream.find("\xE5\x00", at + 1))
        if (at + 6 <= stream.size() &&
            bytes::get16(stream, at + 2) == 2 + 8 * bytes::get16(stream, at + 4))
            ++records;
    EXPECT_EQ(records, 3u);
    writeXls(wb, path("merges.xls"));
    expectSheetMatches(wb, 0, readWithXlrd(path("merges.xls")), false, 0);
    EXPECT_EQ(readXls(path("merges.xls")).sheet(0).merges(), s.merges());
}

TEST_F(XlsRoundTrip, UnwritablePathReportsTheSystemsReason) {
    Workbook wb;
    wb.addSheet(QStringLiteral("S")).setNumber(0, 0, 1);
    try {
        writeXls(wb, path("no-such-folder/out.xls"));
        ADD_FAILURE() << "no error";
    } catch (const io::FileError& e) {
        EXPECT_EQ(std::string(e.what()), "cannot write " +
                                             path("no-such-folder/out.xls").toStdString() +
                                             ": No such file or directory");
    }
}

}  // namespace
}  // namespace morvane::workbook
