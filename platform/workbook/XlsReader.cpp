#include "platform/workbook/XlsReader.h"

#include "platform/workbook/Bytes.h"
#include "platform/workbook/CompoundFile.h"
#include "platform/workbook/WorkbookError.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane::workbook {

using namespace bytes;

namespace {

enum : unsigned {
    kBof = 0x0809,
    kEof = 0x000A,
    kFilePass = 0x002F,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kDefColWidth = 0x0055,
    kColInfo = 0x007D,
    kRow = 0x0208,
    kNumber = 0x0203,
    kRk = 0x027E,
    kMulRk = 0x00BD,
    kLabelSst = 0x00FD,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kFormula = 0x0006,
    kString = 0x0207,
    kMergedCells = 0x00E5,
};

[[noreturn]] void damaged(const char* what) {
    throw WorkbookError(std::string("The .xls file is damaged (") + what + ")");
}

struct Record {
    unsigned type = 0;
    std::string_view data;
    size_t next = 0;  // position of the following record
};

Record recordAt(std::string_view stream, size_t at) {
    if (at + 4 > stream.size())
        damaged("record past the end of the stream");
    Record r;
    r.type = get16(stream, at);
    const size_t len = get16(stream, at + 2);
    if (at + 4 + len > stream.size())
        damaged("record past the end of the stream");
    r.data = stream.substr(at + 4, len);
    r.next = at + 4 + len;
    return r;
}

// Reads texts from a record and the CONTINUE records after it. Characters
// split across a record boundary resume after a flags byte that says
// whether the rest is 8-bit or 16-bit; other fields run on unchanged.
class ContinuedReader {
  public:
    explicit ContinuedReader(std::vector<std::string_view> parts) : parts_(std::move(parts)) {}

    unsigned byte() {
        skipExhausted();
        return get8(parts_[part_], at_++);
    }
    unsigned u16() { return byte() | (byte() << 8); }
    std::uint32_t u32() { return u16() | (static_cast<std::uint32_t>(u16()) << 16); }
    void skip(size_t n) {
        while (n > 0) {
            skipExhausted();
            const size_t k = std::min(n, parts_[part_].size() - at_);
            at_ += k;
            n -= k;
        }
    }
    bool atEnd() {
        while (part_ < parts_.size() && at_ >= parts_[part_].size()) {
            ++part_;
            at_ = 0;
        }
        return part_ >= parts_.size();
    }

    // XLUnicodeRichExtendedString (SST) or XLUnicodeString (LABEL, STRING).
    QString text() {
        const unsigned cch = u16();
        const unsigned flags = byte();
        bool wide = flags & 0x01;
        const unsigned runs = (flags & 0x08) ? u16() : 0;
        const std::uint32_t ext = (flags & 0x04) ? u32() : 0;
        QString s;
        s.reserve(static_cast<qsizetype>(cch));
        for (unsigned i = 0; i < cch; ++i) {
            if (part_ < parts_.size() && at_ >= parts_[part_].size()) {
                nextPart();
                wide = byte() & 0x01;
            }
            s.append(QChar(static_cast<char16_t>(wide ? u16() : byte())));
        }
        skip(4 * static_cast<size_t>(runs) + ext);
        return s;
    }

  private:
    void nextPart() {
        if (part_ + 1 >= parts_.size())
            damaged("text past the end of its record");
        ++part_;
        at_ = 0;
    }
    void skipExhausted() {
        while (at_ >= parts_[part_].size())
            nextPart();
    }
    std::vector<std::string_view> parts_;
    size_t part_ = 0, at_ = 0;
};

double rkToDouble(std::uint32_t rk) {
    double v;
    if (rk & 0x02) {
        v = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &bits, 8);
    }
    return (rk & 0x01) ? v / 100 : v;
}

// The record and the CONTINUE records that follow it.
std::vector<std::string_view> withContinues(std::string_view stream, Record& r) {
    std::vector<std::string_view> parts{r.data};
    while (r.next + 4 <= stream.size() && get16(stream, r.next) == kContinue) {
        const Record c = recordAt(stream, r.next);
        parts.push_back(c.data);
        r.next = c.next;
    }
    return parts;
}

class Reader {
  public:
    explicit Reader(std::string_view stream) : s_(stream) {}

    Workbook run() {
        struct SheetEntry {
            size_t offset;
            QString name;
        };
        std::vector<SheetEntry> entries;
        size_t at = 0;
        Record r = recordAt(s_, at);
        if (r.type != kBof || r.data.size() < 4 || get16(r.data, 0) != 0x0600 ||
            get16(r.data, 2) != 0x0005)
            throw WorkbookError("The file is not an Excel 97 (BIFF8) workbook");
        for (at = r.next; at < s_.size();) {
            r = recordAt(s_, at);
            if (r.type == kEof)
                break;
            switch (r.type) {
                case kFilePass:
                    throw WorkbookError("The .xls workbook is protected by a password");
                case kBoundSheet: {
                    if (r.data.size() < 8)
                        damaged("sheet entry");
                    if (get8(r.data, 5) != 0)  // chart, macro or VB sheets
                        break;
                    const unsigned cch = get8(r.data, 6);
                    const bool wide = get8(r.data, 7) & 1;
                    if (8 + cch * (wide ? 2u : 1u) > r.data.size())
                        damaged("sheet name");
                    QString name;
                    for (unsigned i = 0; i < cch; ++i)
                        name.append(QChar(static_cast<char16_t>(wide ? get16(r.data, 8 + 2 * i)
                                                                     : get8(r.data, 8 + i))));
                    entries.push_back({get32(r.data, 0), name});
                    break;
                }
                case kSst: {
                    ContinuedReader in(withContinues(s_, r));
                    in.skip(4);
                    const std::uint32_t unique = in.u32();
                    sst_.reserve(std::min<std::uint32_t>(unique, 1u << 20));
                    for (std::uint32_t i = 0; i < unique; ++i)
                        sst_.push_back(in.text().toStdString());
                    break;
                }
                default:
                    break;
            }
            at = r.next;
        }
        Workbook wb;
        for (const SheetEntry& e : entries)
            readSheet(wb.addSheet(e.name), e.offset);
        return wb;
    }

  private:
    void readSheet(Sheet& sheet, size_t at) {
        Record r = recordAt(s_, at);
        if (r.type != kBof)
            damaged("sheet position");
        int depth = 1;
        // A FORMULA whose result is a text is followed by its STRING record.
        int pendingRow = -1, pendingCol = -1;
        for (at = r.next; depth > 0 && at < s_.size(); at = r.next) {
            r = recordAt(s_, at);
            const std::string_view d = r.data;
            auto need = [&](size_t n) {
                if (d.size() < n)
                    damaged("short cell record");
            };
            switch (r.type) {
                case kBof:
                    ++depth;  // an embedded chart's substream
                    break;
                case kEof:
                    --depth;
                    break;
                case kNumber:
                    need(14);
                    if (depth == 1)
                        sheet.setNumber(get16(d, 0), get16(d, 2), getDouble(d, 6));
                    break;
                case kRk:
                    need(10);
                    if (depth == 1)
                        sheet.setNumber(get16(d, 0), get16(d, 2), rkToDouble(get32(d, 6)));
                    break;
                case kMulRk: {
                    need(6);
                    const unsigned row = get16(d, 0), first = get16(d, 2);
                    const size_t count = (d.size() - 6) / 6;
                    for (size_t k = 0; k < count && depth == 1; ++k)
                        sheet.setNumber(static_cast<int>(row), static_cast<int>(first + k),
                                        rkToDouble(get32(d, 4 + 6 * k + 2)));
                    break;
                }
                case kLabelSst: {
                    need(10);
                    const std::uint32_t isst = get32(d, 6);
                    if (isst >= sst_.size())
                        damaged("shared string index");
                    if (depth == 1)
                        sheet.setText(get16(d, 0), get16(d, 2), sst_[isst]);
                    break;
                }
                case kLabel: {
                    need(9);
                    ContinuedReader in({d.substr(6)});
                    if (depth == 1)
                        sheet.setText(get16(d, 0), get16(d, 2), in.text());
                    break;
                }
                case kBoolErr:
                    need(8);
                    if (depth == 1 && get8(d, 7) == 0)
                        sheet.setNumber(get16(d, 0), get16(d, 2), get8(d, 6));
                    break;
                case kFormula: {
                    need(20);
                    if (depth != 1)
                        break;
                    const int row = static_cast<int>(get16(d, 0)),
                              col = static_cast<int>(get16(d, 2));
                    if (get16(d, 12) != 0xFFFF) {
                        sheet.setNumber(row, col, getDouble(d, 6));
                    } else if (get8(d, 6) == 0) {
                        pendingRow = row;
                        pendingCol = col;
                    } else if (get8(d, 6) == 1) {
                        sheet.setNumber(row, col, get8(d, 8));
                    }
                    break;
                }
                case kString: {
                    std::vector<std::string_view> parts = withContinues(s_, r);
                    ContinuedReader in(std::move(parts));
                    if (depth == 1 && pendingRow >= 0)
                        sheet.setText(pendingRow, pendingCol, in.text());
                    pendingRow = pendingCol = -1;
                    break;
                }
                case kMergedCells: {
                    need(2);
                    const unsigned count = get16(d, 0);
                    if (2 + 8 * static_cast<size_t>(count) > d.size())
                        damaged("merged ranges");
                    for (unsigned k = 0; k < count && depth == 1; ++k) {
                        const size_t p = 2 + 8 * static_cast<size_t>(k);
                        CellRange m{
                            static_cast<int>(get16(d, p)), static_cast<int>(get16(d, p + 4)),
                            static_cast<int>(get16(d, p + 2)), static_cast<int>(get16(d, p + 6))};
                        // A range of one cell merges nothing.
                        if (m.firstRow != m.lastRow || m.firstColumn != m.lastColumn)
                            sheet.merge(m);
                    }
                    break;
                }
                case kColInfo: {
                    need(10);
                    if (depth != 1)
                        break;
                    const unsigned first = get16(d, 0);
                    const unsigned last = std::min<unsigned>(get16(d, 2), 255);
                    const double width = get16(d, 4) / 256.0;
                    for (unsigned c = first; c <= last; ++c)
                        sheet.setColumnWidth(static_cast<int>(c), width);
                    break;
                }
                case kDefColWidth:
                    need(2);
                    if (depth == 1)
                        sheet.setDefaultColumnWidth(get16(d, 0));
                    break;
                case kRow: {
                    need(16);
                    const unsigned height = get16(d, 6) & 0x7FFF;
                    if (depth == 1 && (get16(d, 12) & 0x0040))
                        sheet.setRowHeight(static_cast<int>(get16(d, 0)), height / 20.0);
                    break;
                }
                default:
                    break;
            }
        }
    }

    std::string_view s_;
    std::vector<std::string> sst_;
};

}  // namespace

Workbook readXlsBytes(std::string_view file) {
    std::string stream;
    try {
        stream = readCompoundStream(file, "Workbook");
    } catch (const WorkbookError&) {
        // Excel 5 and 95 files hold a "Book" stream in the older format.
        if (file.size() >= 8 &&
            file.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
            bool old = false;
            try {
                readCompoundStream(file, "Book");
                old = true;
            } catch (const WorkbookError&) {
            }
            if (old)
                throw WorkbookError(
                    "The workbook is in the Excel 5/95 format; save it as Excel 97 "
                    "(.xls) or .xlsx first");
        }
        throw;
    }
    return Reader(stream).run();
}

Workbook readXls(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw WorkbookError("Cannot open " + path.toStdString() + ": " +
                            f.errorString().toStdString());
    const QByteArray bytes = f.readAll();
    return readXlsBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace morvane::workbook
