// The .xls reader on records that spreadsheet programs write and our writer
// does not: MULRK, LABEL, cached formula results, booleans, rich and
// extended strings split across CONTINUE records, column ranges, embedded
// chart substreams. Plus what it refuses.
#include "WorkbookTestSupport.h"

#include "platform/workbook/Bytes.h"
#include "platform/workbook/CompoundFile.h"
#include "platform/workbook/WorkbookError.h"
#include "platform/workbook/XlsReader.h"

#include <gtest/gtest.h>

#include <tuple>

namespace morvane::workbook {
namespace {

using namespace bytes;

void put16s(std::string& out, std::initializer_list<unsigned> values) {
    for (unsigned v : values)
        put16(out, v);
}

void put32s(std::string& out, std::initializer_list<std::uint32_t> values) {
    for (std::uint32_t v : values)
        put32(out, v);
}

void rec(std::string& out, unsigned type, const std::string& body) {
    put16s(out, {type, static_cast<unsigned>(body.size())});
    out += body;
}

std::string cellHead(unsigned row, unsigned col) {
    std::string b;
    put16s(b, {row, col, 15});
    return b;
}

std::string bof(unsigned kind) {
    std::string b;
    put16s(b, {0x0600, kind, 0x0DBB, 0x07CC});
    put32s(b, {0, 6});
    return b;
}

std::uint32_t rkInt(int v, bool hundredths) {
    return (static_cast<std::uint32_t>(v) << 2) | 2u | (hundredths ? 1u : 0u);
}

// A workbook stream as another program would write it.
std::string foreignStream() {
    std::string s;
    rec(s, 0x0809, bof(0x0005));
    std::string sheet;
    put32(sheet, 0);                             // the sheet's offset, patched below
    put16s(sheet, {0, 0x0102, 0x8868, 0x5355});  // a visible worksheet named 表单 (16-bit)
    const size_t boundSheet = s.size() + 4;
    rec(s, 0x0085, sheet);

    // SST: "abc" with two formatting runs; then an extended string whose
    // characters start 8-bit in the SST and go on 16-bit in a CONTINUE.
    std::string sst;
    put32s(sst, {3, 2});
    put16(sst, 3);
    put8(sst, 0x08);
    put16(sst, 2);  // runs
    sst += "abc";
    put32s(sst, {0x00010000, 0x00020001});
    put16(sst, 4);
    put8(sst, 0x04);
    put32(sst, 3);  // extension bytes
    sst += "xy";
    rec(s, 0x00FC, sst);
    std::string cont("\x01", 1);
    put16s(cont, {0x4E2D, 0x6587});
    cont += std::string("\x01\x02\x03", 3);
    rec(s, 0x003C, cont);
    rec(s, 0x000A, "");

    set32(s, boundSheet, static_cast<std::uint32_t>(s.size()));
    rec(s, 0x0809, bof(0x0010));
    std::string b;
    put16s(b, {1, 3, 10 * 256, 15, 0, 0});
    rec(s, 0x007D, b);  // columns 1 to 3 ten characters wide
    b.clear();
    put16s(b, {2, 0, 3, 600, 0, 0});  // row 2, 30 points
    put32(b, 0x000F0140);
    rec(s, 0x0208, b);

    b = cellHead(0, 0);
    put32(b, 0);
    rec(s, 0x00FD, b);  // "abc"
    b = cellHead(0, 1);
    put32(b, 1);
    rec(s, 0x00FD, b);  // "xy中文"

    b.clear();
    put16s(b, {1, 2});
    for (auto [v, h] : {std::pair{7, false}, std::pair{-1234, true}, std::pair{0, false}}) {
        put16(b, 15);
        put32(b, rkInt(v, h));
    }
    put16(b, 4);
    rec(s, 0x00BD, b);  // row 1, columns 2 to 4

    b = cellHead(2, 0);
    put16(b, 2);
    put8(b, 1);
    put16s(b, {0x5E97, 0x94FA});  // 店铺
    rec(s, 0x0204, b);

    b = cellHead(2, 1);
    putDouble(b, 2.5);
    put16s(b, {0, 0, 0, 0});
    rec(s, 0x0006, b);  // formula with a number result
    b = cellHead(2, 2) + std::string("\x00\x00\x00\x00\x00\x00\xFF\xFF", 8);
    put16s(b, {0, 0, 0, 0});
    rec(s, 0x0006, b);  // formula with a text result...
    b.clear();
    put16(b, 2);
    put8(b, 0);
    rec(s, 0x0207, b + "ok");  // ...given by the STRING record after it
    b = cellHead(2, 3);
    put16(b, 1);
    rec(s, 0x0205, b);  // TRUE

    // An embedded chart: its cells are not the sheet's.
    rec(s, 0x0809, bof(0x0020));
    b = cellHead(9, 9);
    putDouble(b, 99);
    rec(s, 0x0203, b);
    rec(s, 0x000A, "");

    b.clear();
    put16s(b, {2, 3, 4, 0, 1, 5, 5, 5, 5});  // rows 3-4 x cols 0-1; one single cell
    rec(s, 0x00E5, b);
    rec(s, 0x000A, "");
    return s;
}

TEST(XlsReader, ReadsWhatOtherProgramsWrite) {
    const std::string file = writeCompoundFile("Workbook", foreignStream());
    const Workbook wb = readXlsBytes(file);
    ASSERT_EQ(wb.sheetCount(), 1);
    const Sheet& s = wb.sheet(0);
    EXPECT_EQ(s.name(), QStringLiteral("表单"));
    EXPECT_EQ(s.textAt(0, 0), QStringLiteral("abc"));
    EXPECT_EQ(s.textAt(0, 1), QStringLiteral("xy中文"));
    EXPECT_EQ(s.textAt(2, 0), QStringLiteral("店铺"));
    EXPECT_EQ(s.textAt(2, 2), QStringLiteral("ok"));
    // MULRK (integers and hundredths), a formula's number, a boolean.
    const std::tuple<int, int, double> numbers[] = {
        {1, 2, 7}, {1, 3, -12.34}, {1, 4, 0}, {2, 1, 2.5}, {2, 3, 1}};
    for (auto [r, c, v] : numbers) {
        ASSERT_NE(s.cell(r, c), nullptr) << r << "," << c;
        EXPECT_EQ(s.cell(r, c)->kind, Cell::Kind::Number) << r << "," << c;
        EXPECT_EQ(s.cell(r, c)->number, v) << r << "," << c;
    }
    EXPECT_EQ(s.cell(9, 9), nullptr) << "the chart's cell";
    EXPECT_EQ(s.merges(), (std::vector<CellRange>{{3, 0, 4, 1}}));
    EXPECT_EQ(s.columnWidth(0), 0);
    EXPECT_EQ(s.columnWidth(1), 10);
    EXPECT_EQ(s.columnWidth(3), 10);
    EXPECT_EQ(s.rowHeight(2), 30);
    EXPECT_EQ(s.rowHeight(0), 0);
}

// A compound file that keeps a small stream in the mini stream, as
// programs do for streams under 4,096 bytes: FAT in sector 0, directory in
// sector 1, mini FAT in sector 2, the mini stream's container from sector 3.
std::string miniStreamFile(const std::string& stream) {
    std::string container = stream;
    container.resize((stream.size() + 63) / 64 * 64, '\0');
    const size_t miniSectors = container.size() / 64;
    const size_t containerSectors = (container.size() + 511) / 512;
    container.resize(containerSectors * 512, '\0');

    std::string f("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    f.append(16, '\0');
    put16s(f, {0x003E, 0x0003, 0xFFFE, 9, 6});
    f.append(6, '\0');
    put32s(f, {0, 1, 1, 0, 4096, 2, 1, 0xFFFFFFFE, 0, 0});  // the FAT is sector 0
    while (f.size() < 512)
        put32(f, 0xFFFFFFFF);

    std::string fat;
    put32s(fat, {0xFFFFFFFD, 0xFFFFFFFE, 0xFFFFFFFE});
    for (size_t k = 0; k < containerSectors; ++k)
        put32(fat, k + 1 < containerSectors ? static_cast<std::uint32_t>(4 + k) : 0xFFFFFFFE);
    fat.resize(512, '\xFF');
    f += fat;

    auto entry = [](std::string& out, const std::string& name, unsigned type, std::uint32_t child,
                    std::uint32_t start, std::uint32_t size) {
        const size_t begin = out.size();
        for (char ch : name)
            put16(out, static_cast<unsigned char>(ch));
        out.resize(begin + 64, '\0');
        put16(out, static_cast<unsigned>((name.size() + 1) * 2));
        put16(out, type | 0x100);  // black in the red-black tree
        put32s(out, {0xFFFFFFFF, 0xFFFFFFFF, child});
        out.append(36, '\0');
        put32s(out, {start, size, 0});
    };
    std::string dir;
    entry(dir, "Root Entry", 5, 1, 3, static_cast<std::uint32_t>(miniSectors * 64));
    entry(dir, "Workbook", 2, 0xFFFFFFFF, 0, static_cast<std::uint32_t>(stream.size()));
    dir.resize(512, '\0');
    f += dir;

    std::string miniFat;
    for (size_t k = 0; k < miniSectors; ++k)
        put32(miniFat, k + 1 < miniSectors ? static_cast<std::uint32_t>(k + 1) : 0xFFFFFFFE);
    miniFat.resize(512, '\xFF');
    f += miniFat;
    f += container;
    return f;
}

TEST(XlsReader, ReadsASmallWorkbookFromTheMiniStream) {
    const std::string stream = foreignStream();
    ASSERT_LT(stream.size(), 4096u);
    const std::string file = miniStreamFile(stream);
    EXPECT_EQ(readCompoundStream(file, "workbook"), stream) << "names compare without case";
    const Workbook wb = readXlsBytes(file);
    EXPECT_EQ(wb.sheet(0).textAt(0, 1), QStringLiteral("xy中文"));
}

TEST(XlsReader, RefusesWhatItCannotRead) {
    EXPECT_THROW(readXlsBytes("PK\x03\x04 not a compound file, an .xlsx perhaps"), WorkbookError);

    std::string biff5;
    rec(biff5, 0x0809, bof(0x0005));
    set16(biff5, 4, 0x0500);
    EXPECT_THROW(readXlsBytes(writeCompoundFile("Workbook", biff5)), WorkbookError);
    EXPECT_THROW(readXlsBytes(writeCompoundFile("Book", biff5)), WorkbookError);

    std::string locked;
    rec(locked, 0x0809, bof(0x0005));
    rec(locked, 0x002F, std::string(6, '\0'));
    test::expectWorkbookError([&] { readXlsBytes(writeCompoundFile("Workbook", locked)); },
                              {"password"});

    // Cut short in the middle of the sheet's records.
    std::string stream = foreignStream();
    stream.resize(stream.size() - 30);
    EXPECT_THROW(readXlsBytes(writeCompoundFile("Workbook", stream)), WorkbookError);

    // A FAT chain that loops.
    std::string file = writeCompoundFile("Workbook", foreignStream());
    set32(file, (1 + 9) * 512, 0);  // the FAT (sector 9): sector 0 points to itself
    EXPECT_THROW(readXlsBytes(file), WorkbookError);
}

}  // namespace
}  // namespace morvane::workbook
