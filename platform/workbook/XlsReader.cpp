#include "platform/workbook/XlsReader.h"

#include "platform/workbook/Bytes.h"
#include "platform/workbook/CompoundFile.h"
#include "platform/workbook/Palette.h"
#include "platform/workbook/WorkbookError.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
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
    kBlank = 0x0201,
    kMulBlank = 0x00BE,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kPalette = 0x0092,
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
                case kFont:
                    readFont(r.data);
                    break;
                case kFormat: {
                    if (r.data.size() < 5)
                        damaged("number format");
                    ContinuedReader in({r.data.substr(2)});
                    numberFormats_[get16(r.data, 0)] = in.text().toStdString();
                    break;
                }
                case kXf:
                    if (r.data.size() < 20)
                        damaged("cell format");
                    xfs_.emplace_back(r.data.substr(0, 20));
                    break;
                case kPalette: {
                    if (r.data.size() < 2)
                        damaged("palette");
                    const unsigned count = std::min<unsigned>(get16(r.data, 0), 56);
                    if (2 + 4 * static_cast<size_t>(count) > r.data.size())
                        damaged("palette");
                    for (unsigned k = 0; k < count; ++k)
                        palette_[k] = (get8(r.data, 2 + 4 * k) << 16) |
                                      (get8(r.data, 3 + 4 * k) << 8) | get8(r.data, 4 + 4 * k);
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
        wb_ = &wb;
        formatOfXf_.assign(xfs_.size(), kUnresolved);
        for (const SheetEntry& e : entries)
            readSheet(wb.addSheet(e.name), e.offset);
        wb_ = nullptr;
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
        FormatId pendingFormat = 0;
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
                        sheet.setNumber(get16(d, 0), get16(d, 2), getDouble(d, 6),
                                        formatOf(get16(d, 4)));
                    break;
                case kRk:
                    need(10);
                    if (depth == 1)
                        sheet.setNumber(get16(d, 0), get16(d, 2), rkToDouble(get32(d, 6)),
                                        formatOf(get16(d, 4)));
                    break;
                case kMulRk: {
                    need(6);
                    const unsigned row = get16(d, 0), first = get16(d, 2);
                    const size_t count = (d.size() - 6) / 6;
                    for (size_t k = 0; k < count && depth == 1; ++k)
                        sheet.setNumber(static_cast<int>(row), static_cast<int>(first + k),
                                        rkToDouble(get32(d, 4 + 6 * k + 2)),
                                        formatOf(get16(d, 4 + 6 * k)));
                    break;
                }
                case kBlank:
                    need(6);
                    if (depth == 1)
                        sheet.setBlank(get16(d, 0), get16(d, 2), formatOf(get16(d, 4)));
                    break;
                case kMulBlank: {
                    need(6);
                    const unsigned row = get16(d, 0), first = get16(d, 2);
                    const size_t count = (d.size() - 6) / 2;
                    for (size_t k = 0; k < count && depth == 1; ++k)
                        sheet.setBlank(static_cast<int>(row), static_cast<int>(first + k),
                                       formatOf(get16(d, 4 + 2 * k)));
                    break;
                }
                case kLabelSst: {
                    need(10);
                    const std::uint32_t isst = get32(d, 6);
                    if (isst >= sst_.size())
                        damaged("shared string index");
                    if (depth == 1)
                        sheet.setText(get16(d, 0), get16(d, 2), sst_[isst], formatOf(get16(d, 4)));
                    break;
                }
                case kLabel: {
                    need(9);
                    ContinuedReader in({d.substr(6)});
                    if (depth == 1)
                        sheet.setText(get16(d, 0), get16(d, 2), in.text(), formatOf(get16(d, 4)));
                    break;
                }
                case kBoolErr:
                    need(8);
                    if (depth == 1 && get8(d, 7) == 0)
                        sheet.setNumber(get16(d, 0), get16(d, 2), get8(d, 6),
                                        formatOf(get16(d, 4)));
                    break;
                case kFormula: {
                    need(20);
                    if (depth != 1)
                        break;
                    const int row = static_cast<int>(get16(d, 0)),
                              col = static_cast<int>(get16(d, 2));
                    const FormatId format = formatOf(get16(d, 4));
                    if (get16(d, 12) != 0xFFFF) {
                        sheet.setNumber(row, col, getDouble(d, 6), format);
                    } else if (get8(d, 6) == 0) {
                        pendingRow = row;
                        pendingCol = col;
                        pendingFormat = format;
                    } else if (get8(d, 6) == 1) {
                        sheet.setNumber(row, col, get8(d, 8), format);
                    }
                    break;
                }
                case kString: {
                    std::vector<std::string_view> parts = withContinues(s_, r);
                    ContinuedReader in(std::move(parts));
                    if (depth == 1 && pendingRow >= 0)
                        sheet.setText(pendingRow, pendingCol, in.text(), pendingFormat);
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

    // FONT records in file order; the index 4 of the format does not exist, so a cell
    // format's font index past 3 is one more than the position here.
    void readFont(std::string_view d) {
        if (d.size() < 16)
            damaged("font");
        Font f;
        f.size = get16(d, 0) / 20.0;
        f.italic = get16(d, 2) & 0x0002;
        f.bold = get16(d, 6) >= 700;
        fontColors_.push_back(get16(d, 4));
        const unsigned cch = get8(d, 14);
        const bool wide = get8(d, 15) & 1;
        QString name;
        for (unsigned i = 0; i < cch && 16 + (i + 1) * (wide ? 2u : 1u) <= d.size(); ++i)
            name.append(
                QChar(static_cast<char16_t>(wide ? get16(d, 16 + 2 * i) : get8(d, 16 + i))));
        f.name = name.toStdString();
        fonts_.push_back(f);
    }

    // A palette index as a colour: 0-7 the basic colours, 8-63 the palette, anything else
    // (the system's window text and background) automatic.
    Color colorOf(unsigned index) const {
        static constexpr std::array<Color, 8> kBasic = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                                        0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF};
        if (index < 8)
            return kBasic[index];
        if (index < 64)
            return palette_[index - 8];
        return kAutoColor;
    }

    static BorderStyle borderOf(unsigned style) {
        // Thin: thin, dashed, dotted, double, hair and the thin dash-dots; the rest are heavy.
        switch (style) {
            case 0:
                return BorderStyle::None;
            case 1:
            case 3:
            case 4:
            case 6:
            case 7:
            case 9:
            case 11:
                return BorderStyle::Thin;
            default:
                return BorderStyle::Medium;
        }
    }

    static std::string builtinFormat(unsigned index) {
        static const std::map<unsigned, std::string> m = {{0, "General"},
                                                          {1, "0"},
                                                          {2, "0.00"},
                                                          {3, "#,##0"},
                                                          {4, "#,##0.00"},
                                                          {9, "0%"},
                                                          {10, "0.00%"},
                                                          {11, "0.00E+00"},
                                                          {12, "# ?/?"},
                                                          {13, "# ?\?/?\?"},
                                                          {14, "yyyy-mm-dd"},
                                                          {15, "d-mmm-yy"},
                                                          {16, "d-mmm"},
                                                          {17, "mmm-yy"},
                                                          {18, "h:mm AM/PM"},
                                                          {19, "h:mm:ss AM/PM"},
                                                          {20, "h:mm"},
                                                          {21, "h:mm:ss"},
                                                          {22, "yyyy-mm-dd h:mm"},
                                                          {45, "mm:ss"},
                                                          {46, "[h]:mm:ss"},
                                                          {47, "mm:ss.0"},
                                                          {48, "##0.0E+0"},
                                                          {49, "@"}};
        auto it = m.find(index);
        return it == m.end() ? "General" : it->second;
    }

    static constexpr FormatId kUnresolved = ~FormatId(0);

    // The workbook format of an XF index, made on first use.
    FormatId formatOf(unsigned ixfe) {
        if (ixfe >= xfs_.size())
            return 0;
        FormatId& id = formatOfXf_[ixfe];
        if (id != kUnresolved)
            return id;
        const std::string_view x = xfs_[ixfe];
        CellFormat f;
        const unsigned ifnt = get16(x, 0);
        const size_t font = ifnt < 4 ? ifnt : ifnt - 1;
        if (font < fonts_.size()) {
            f.font = fonts_[font];
            const unsigned icv = fontColors_[font];
            f.font.color = icv >= 64 ? kAutoColor : colorOf(icv);
        }
        const unsigned ifmt = get16(x, 2);
        auto custom = numberFormats_.find(ifmt);
        f.numberFormat = custom != numberFormats_.end() ? custom->second : builtinFormat(ifmt);
        const unsigned align = get8(x, 6);
        switch (align & 0x07) {
            case 1:
                f.halign = HAlign::Left;
                break;
            case 2:
            case 6:  // centred across the selection
                f.halign = HAlign::Center;
                break;
            case 3:
                f.halign = HAlign::Right;
                break;
            default:
                f.halign = HAlign::General;
        }
        f.wrap = align & 0x08;
        const unsigned v = (align >> 4) & 0x07;
        f.valign = v == 0 ? VAlign::Top : v == 1 ? VAlign::Center : VAlign::Bottom;
        const std::uint32_t lines = get32(x, 10);
        f.borders = {borderOf(lines & 0x0F), borderOf((lines >> 4) & 0x0F),
                     borderOf((lines >> 8) & 0x0F), borderOf((lines >> 12) & 0x0F)};
        const std::uint32_t more = get32(x, 14);
        if (((more >> 26) & 0x3F) == 1)  // solid fill
            f.fill = colorOf(get16(x, 18) & 0x7F);
        id = wb_->addFormat(f);
        return id;
    }

    std::string_view s_;
    std::vector<std::string> sst_;
    std::vector<Font> fonts_;
    std::vector<unsigned> fontColors_;
    std::map<unsigned, std::string> numberFormats_;
    std::vector<std::string_view> xfs_;
    std::vector<FormatId> formatOfXf_;
    std::array<Color, 56> palette_ = Palette().colors();
    Workbook* wb_ = nullptr;
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
