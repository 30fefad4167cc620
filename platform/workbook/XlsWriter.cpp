#include "platform/workbook/XlsWriter.h"

#include "platform/io/AtomicFile.h"
#include "platform/workbook/Bytes.h"
#include "platform/workbook/CompoundFile.h"
#include "platform/workbook/Palette.h"
#include "platform/workbook/TextLimits.h"
#include "platform/workbook/WorkbookError.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace morvane::workbook {

using namespace bytes;

namespace {

// Record types.
enum : unsigned {
    kBof = 0x0809,
    kEof = 0x000A,
    kCodepage = 0x0042,
    kWindow1 = 0x003D,
    kDateMode = 0x0022,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kPalette = 0x0092,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kExtSst = 0x00FF,
    kDefColWidth = 0x0055,
    kColInfo = 0x007D,
    kDimensions = 0x0200,
    kRow = 0x0208,
    kNumber = 0x0203,
    kRk = 0x027E,
    kLabelSst = 0x00FD,
    kBlank = 0x0201,
    kWindow2 = 0x023E,
    kPane = 0x0041,
    kMergedCells = 0x00E5,
};

constexpr std::size_t kMaxRecordData = 8224;
constexpr int kMaxMergesPerRecord = 1027;
constexpr unsigned kDefaultCellXf = 15;
constexpr std::size_t kMaxXfs = 4050;

std::string grouped(long long n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

std::string tooLarge(const Sheet& sheet, const std::string& what) {
    return "Sheet \"" + sheet.name().toStdString() + "\" " + what +
           ", more than an .xls workbook holds (65,536 rows and 256 columns). "
           "Save it as .xlsx instead.";
}

void record(std::string& out, unsigned type, std::string_view body) {
    put16(out, type);
    put16(out, static_cast<unsigned>(body.size()));
    out += body;
}

// Text as BIFF8 stores it: 8-bit when every character fits (flags 0),
// UTF-16LE otherwise (flags 1).
struct BiffText {
    std::u16string chars;
    bool wide = false;
    explicit BiffText(std::string_view utf8) {
        const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        chars.assign(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
        wide = std::any_of(chars.begin(), chars.end(), [](char16_t c) { return c > 0xFF; });
    }
    void putChars(std::string& out, size_t from, size_t count) const {
        for (size_t i = from; i < from + count; ++i)
            wide ? put16(out, chars[i]) : put8(out, chars[i]);
    }
};

// ShortXLUnicodeString (1-byte count) or XLUnicodeString (2-byte count).
void putText(std::string& out, std::string_view utf8, bool shortCount) {
    const BiffText t(utf8);
    shortCount ? put8(out, static_cast<unsigned>(t.chars.size()))
               : put16(out, static_cast<unsigned>(t.chars.size()));
    put8(out, t.wide ? 1 : 0);
    t.putChars(out, 0, t.chars.size());
}

// Numbers that fit the 4-byte RK form: whole numbers of 30 bits, doubles
// whose low 32 bits are zero, and either of them divided by 100.
std::optional<std::uint32_t> rkValue(double v) {
    auto whole = [](double x) -> std::optional<std::int32_t> {
        if (std::nearbyint(x) == x && x >= -536870912.0 && x <= 536870911.0)
            return static_cast<std::int32_t>(x);
        return std::nullopt;
    };
    if (auto i = whole(v))
        return (static_cast<std::uint32_t>(*i) << 2) | 2u;
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    // The compact form keeps the top 30 bits of the double; its two lowest bits are flags,
    // so the 34 bits below must all be zero.
    if ((bits & 0x3FFFFFFFFull) == 0)
        return static_cast<std::uint32_t>(bits >> 32);
    if (auto i = whole(v * 100); i && *i / 100.0 == v)
        return (static_cast<std::uint32_t>(*i) << 2) | 3u;
    return std::nullopt;
}

// Built-in number formats; any other code gets a FORMAT record from 164 up.
const std::map<std::string, unsigned>& builtinFormats() {
    static const std::map<std::string, unsigned> m = {
        {"General", 0}, {"0", 1},        {"0.00", 2},      {"#,##0", 3},  {"#,##0.00", 4},
        {"0%", 9},      {"0.00%", 10},   {"0.00E+00", 11}, {"# ?/?", 12}, {"# ?\?/?\?", 13},
        {"h:mm", 20},   {"h:mm:ss", 21}, {"@", 49}};
    return m;
}

class Writer {
  public:
    explicit Writer(const Workbook& wb) : wb_(wb) {}

    std::string run() {
        prepareFormats();
        writeGlobals();
        for (int i = 0; i < wb_.sheetCount(); ++i) {
            set32(out_, sheetOffsets_[static_cast<size_t>(i)],
                  static_cast<std::uint32_t>(out_.size()));
            writeSheet(wb_.sheet(i), i == 0);
        }
        return std::move(out_);
    }

  private:
    void prepareFormats() {
        const FormatTable& ft = wb_.formats();
        if (ft.size() + kDefaultCellXf > kMaxXfs)
            throw WorkbookError(
                "The workbook has more cell formats than an .xls file holds; save "
                "it as .xlsx instead.");
        fontOf_.resize(ft.size());
        numFmtOf_.resize(ft.size());
        fonts_.push_back(&ft.at(0).font);
        unsigned nextCustom = 164;
        for (FormatId id = 0; id < ft.size(); ++id) {
            const CellFormat& f = ft.at(id);
            size_t k = 0;
            while (k < fonts_.size() && !(*fonts_[k] == f.font))
                ++k;
            if (k == fonts_.size())
                fonts_.push_back(&f.font);
            // Font index 4 does not exist in BIFF: the records after the
            // fourth are numbered from 5. Fonts 0 to 3 are the default font.
            fontOf_[id] = k == 0 ? 0 : static_cast<unsigned>(k + 4);
            auto b = builtinFormats().find(f.numberFormat);
            if (b != builtinFormats().end()) {
                numFmtOf_[id] = b->second;
            } else {
                auto c = customFormats_.find(f.numberFormat);
                if (c == customFormats_.end())
                    c = customFormats_.emplace(f.numberFormat, nextCustom++).first;
                numFmtOf_[id] = c->second;
            }
        }
    }

    void writeGlobals() {
        std::string b;
        auto flush = [&](unsigned type) {
            record(out_, type, b);
            b.clear();
        };
        put16(b, 0x0600);
        put16(b, 0x0005);
        put16(b, 0x0DBB);
        put16(b, 0x07CC);
        put32(b, 0);
        put32(b, 0x06);
        flush(kBof);
        put16(b, 1200);  // UTF-16
        flush(kCodepage);
        put16(b, 0);
        put16(b, 0);
        put16(b, 0x3000);
        put16(b, 0x2000);
        put16(b, 0x0038);  // scroll bars and sheet tabs shown
        put16(b, 0);
        put16(b, 0);
        put16(b, 1);
        put16(b, 600);
        flush(kWindow1);
        put16(b, 0);
        flush(kDateMode);

        // Colours are resolved while the fonts and XFs are built, so the
        // palette that follows them holds every colour they use.
        std::string fonts;
        for (size_t k = 0; k < fonts_.size(); ++k)
            for (int copies = k == 0 ? 4 : 1; copies > 0; --copies) {
                const Font& f = *fonts_[k];
                put16(b, static_cast<unsigned>(std::lround(f.size * 20)));
                // Bit 0 repeats the weight for readers of the older font record.
                put16(b, (f.italic ? 0x0002 : 0) | (f.bold ? 0x0001 : 0));
                put16(b, palette_.index(f.color, 0x7FFF));
                put16(b, f.bold ? 700 : 400);
                put16(b, 0);
                put8(b, 0);
                put8(b, 0);
                const bool ascii = std::all_of(f.name.begin(), f.name.end(), [](char c) {
                    return static_cast<unsigned char>(c) < 0x80;
                });
                put8(b, ascii ? 0 : 134);  // GB2312 for Chinese face names
                put8(b, 0);
                putText(b, f.name, true);
                record(fonts, kFont, b);
                b.clear();
            }
        out_ += fonts;

        for (const auto& [code, index] : customFormats_) {
            put16(b, index);
            putText(b, code, false);
            flush(kFormat);
        }

        const FormatTable& ft = wb_.formats();
        for (unsigned i = 0; i < kDefaultCellXf; ++i) {
            putXf(b, ft.at(0), 0, 0, true, i == 0 ? 0x00 : 0xF4);
            flush(kXf);
        }
        for (FormatId id = 0; id < ft.size(); ++id) {
            putXf(b, ft.at(id), fontOf_[id], numFmtOf_[id], false, 0xFC);
            flush(kXf);
        }
        put16(b, 0x8000);
        put8(b, 0);
        put8(b, 0xFF);
        flush(kStyle);

        if (palette_.changed()) {
            put16(b, 56);
            for (Color c : palette_.colors()) {
                put8(b, (c >> 16) & 0xFF);
                put8(b, (c >> 8) & 0xFF);
                put8(b, c & 0xFF);
                put8(b, 0);
            }
            flush(kPalette);
        }

        for (int i = 0; i < wb_.sheetCount(); ++i) {
            sheetOffsets_.push_back(out_.size() + 4);
            put32(b, 0);  // BOF position, patched when the sheet is written
            put8(b, 0);
            put8(b, 0);
            const QByteArray name = wb_.sheet(i).name().toUtf8();
            putText(b, std::string_view(name.constData(), static_cast<size_t>(name.size())), true);
            flush(kBoundSheet);
        }

        writeSst();

        flush(kEof);
    }

    void putXf(std::string& b, const CellFormat& f, unsigned font, unsigned numFmt, bool style,
               unsigned used) {
        put16(b, font);
        put16(b, numFmt);
        put16(b, style ? 0xFFF5 : 0x0001);  // locked; a style XF has no parent
        static constexpr unsigned kH[] = {0, 1, 2, 3};
        static constexpr unsigned kV[] = {0, 1, 2};
        put8(b, kH[static_cast<int>(f.halign)] | (f.wrap ? 0x08 : 0) |
                    (kV[static_cast<int>(f.valign)] << 4));
        put8(b, 0);
        put8(b, 0);
        put8(b, used);
        auto style4 = [](BorderStyle s) -> std::uint32_t {
            return s == BorderStyle::Thin ? 1 : s == BorderStyle::Medium ? 2 : 0;
        };
        auto colour = [](BorderStyle s) -> std::uint32_t { return s == BorderStyle::None ? 0 : 8; };
        const Borders& d = f.borders;
        put32(b, style4(d.left) | (style4(d.right) << 4) | (style4(d.top) << 8) |
                     (style4(d.bottom) << 12) | (colour(d.left) << 16) | (colour(d.right) << 23));
        const bool filled = f.fill != kAutoColor;
        put32(b, colour(d.top) | (colour(d.bottom) << 7) | (filled ? (1u << 26) : 0u));
        const unsigned fore = filled ? palette_.index(f.fill, 0x40) : 0x40;
        put16(b, fore | (0x41u << 7));
    }

    // Shared string table: the strings in pool order. A record holds at most
    // 8,224 bytes; the rest goes into CONTINUE records. A string's 3-byte
    // header is never split; its characters may be, and the part in the next
    // record starts with its own flags byte. EXTSST indexes every dsst-th
    // string by its stream position and its offset in its record.
    void writeSst() {
        const StringPool& pool = wb_.strings();
        const size_t n = pool.size();
        std::uint32_t total = 0;
        for (int i = 0; i < wb_.sheetCount(); ++i)
            for (int r = 0; r < wb_.sheet(i).rowCount(); ++r)
                for (const Cell& c : wb_.sheet(i).row(r))
                    total += c.kind == Cell::Kind::Text;

        size_t header = out_.size();
        auto begin = [&](unsigned type) {
            header = out_.size();
            put16(out_, type);
            put16(out_, 0);
        };
        auto used = [&] { return out_.size() - header - 4; };
        auto end = [&] { set16(out_, header + 2, static_cast<unsigned>(used())); };

        const size_t dsst = std::max<size_t>(8, n / 128 + 1);
        std::string ext;
        put16(ext, static_cast<unsigned>(dsst));

        begin(kSst);
        put32(out_, total);
        put32(out_, static_cast<std::uint32_t>(n));
        for (StringId id = 0; id < n; ++id) {
            const std::optional<std::string> cut = cutCellText(pool.at(id));
            const BiffText t(cut ? *cut : pool.at(id));
            const size_t unit = t.wide ? 2 : 1;
            if (kMaxRecordData - used() < 3 + unit) {
                end();
                begin(kContinue);
            }
            if (id % dsst == 0) {
                put32(ext, static_cast<std::uint32_t>(out_.size()));
                put16(ext, static_cast<unsigned>(out_.size() - header));
                put16(ext, 0);
            }
            put16(out_, static_cast<unsigned>(t.chars.size()));
            put8(out_, t.wide ? 1 : 0);
            size_t done = 0;
            while (done < t.chars.size()) {
                size_t room = (kMaxRecordData - used()) / unit;
                if (room == 0) {
                    end();
                    begin(kContinue);
                    put8(out_, t.wide ? 1 : 0);
                    room = (kMaxRecordData - used()) / unit;
                }
                const size_t count = std::min(room, t.chars.size() - done);
                t.putChars(out_, done, count);
                done += count;
            }
        }
        end();
        record(out_, kExtSst, ext);
    }

    void writeSheet(const Sheet& s, bool first) {
        std::string b;
        auto flush = [&](unsigned type) {
            record(out_, type, b);
            b.clear();
        };
        put16(b, 0x0600);
        put16(b, 0x0010);
        put16(b, 0x0DBB);
        put16(b, 0x07CC);
        put32(b, 0);
        put32(b, 0x06);
        flush(kBof);

        put16(b, static_cast<unsigned>(std::lround(s.defaultColumnWidth())));
        flush(kDefColWidth);
        for (int c = 0; c < s.columnWidthCount(); ++c) {
            const double w = s.columnWidth(c);
            if (w <= 0)
                continue;
            put16(b, static_cast<unsigned>(c));
            put16(b, static_cast<unsigned>(c));
            put16(b, static_cast<unsigned>(std::clamp(std::lround(w * 256), 0L, 65535L)));
            put16(b, kDefaultCellXf);
            put16(b, 0);
            put16(b, 0);
            flush(kColInfo);
        }

        int firstRow = -1, lastRow = -1, firstCol = s.columnCount(), lastCol = -1;
        for (int r = 0; r < s.rowCount(); ++r) {
            const auto cells = s.row(r);
            if (cells.empty())
                continue;
            if (firstRow < 0)
                firstRow = r;
            lastRow = r;
            firstCol = std::min<int>(firstCol, cells.front().column);
            lastCol = std::max<int>(lastCol, cells.back().column);
        }
        if (firstRow < 0) {
            firstRow = lastRow = -1;
            firstCol = lastCol = -1;
        }
        put32(b, static_cast<std::uint32_t>(firstRow < 0 ? 0 : firstRow));
        put32(b, static_cast<std::uint32_t>(lastRow + 1));
        put16(b, static_cast<unsigned>(firstCol < 0 ? 0 : firstCol));
        put16(b, static_cast<unsigned>(lastCol + 1));
        put16(b, 0);
        flush(kDimensions);

        // Rows go in blocks of 32: the ROW records of the block, then its cells.
        out_.reserve(out_.size() + s.cellCount() * 14 + static_cast<size_t>(s.rowCount()) * 20);
        for (int block = 0; block < s.rowCount(); block += 32) {
            const int blockEnd = std::min(block + 32, s.rowCount());
            for (int r = block; r < blockEnd; ++r) {
                const auto cells = s.row(r);
                const double h = s.rowHeight(r);
                if (cells.empty() && h <= 0)
                    continue;
                put16(b, static_cast<unsigned>(r));
                put16(b, cells.empty() ? 0 : cells.front().column);
                put16(b, cells.empty() ? 0 : cells.back().column + 1u);
                put16(b, h > 0 ? static_cast<unsigned>(std::clamp(std::lround(h * 20), 1L, 8191L))
                               : 255u);
                put16(b, 0);
                put16(b, 0);
                put32(b, (h > 0 ? 0x0140u : 0x0100u) | (kDefaultCellXf << 16));
                flush(kRow);
            }
            for (int r = block; r < blockEnd; ++r)
                for (const Cell& c : s.row(r))
                    writeCell(r, c);
        }

        // Frozen panes: the window's "frozen" and "frozen, no split" flags, then the pane.
        const bool frozen = s.frozenRows() > 0 || s.frozenColumns() > 0;
        put16(b, (first ? 0x06B6u : 0x00B6u) | (frozen ? 0x0108u : 0u));
        put16(b, 0);
        put16(b, 0);
        put32(b, 64);
        put16(b, 0);
        put16(b, 0);
        put32(b, 0);
        flush(kWindow2);
        if (frozen) {
            put16(b, static_cast<unsigned>(s.frozenColumns()));
            put16(b, static_cast<unsigned>(s.frozenRows()));
            put16(b, static_cast<unsigned>(s.frozenRows()));
            put16(b, static_cast<unsigned>(s.frozenColumns()));
            // The active pane: lower right, lower left (rows only) or upper right (columns).
            b.push_back(static_cast<char>(s.frozenRows() > 0 && s.frozenColumns() > 0 ? 0
                                          : s.frozenRows() > 0                         ? 2
                                                                                       : 1));
            b.push_back(0);
            flush(kPane);
        }

        const auto& merges = s.merges();
        for (size_t at = 0; at < merges.size(); at += kMaxMergesPerRecord) {
            const size_t count = std::min<size_t>(kMaxMergesPerRecord, merges.size() - at);
            put16(b, static_cast<unsigned>(count));
            for (size_t k = at; k < at + count; ++k) {
                put16(b, static_cast<unsigned>(merges[k].firstRow));
                put16(b, static_cast<unsigned>(merges[k].lastRow));
                put16(b, static_cast<unsigned>(merges[k].firstColumn));
                put16(b, static_cast<unsigned>(merges[k].lastColumn));
            }
            flush(kMergedCells);
        }
        flush(kEof);
    }

    void writeCell(int row, const Cell& c) {
        // Cell XFs follow the 15 style XFs in format-table order.
        const unsigned xf = kDefaultCellXf + c.format;
        auto head = [&](unsigned type, unsigned size) {
            put16(out_, type);
            put16(out_, size);
            put16(out_, static_cast<unsigned>(row));
            put16(out_, c.column);
            put16(out_, xf);
        };
        switch (c.kind) {
            case Cell::Kind::Blank:
                head(kBlank, 6);
                break;
            case Cell::Kind::Text:
                head(kLabelSst, 10);
                put32(out_, c.text);
                break;
            case Cell::Kind::Number:
                if (auto rk = rkValue(c.number)) {
                    head(kRk, 10);
                    put32(out_, *rk);
                } else {
                    head(kNumber, 14);
                    putDouble(out_, c.number);
                }
                break;
        }
    }

    const Workbook& wb_;
    std::string out_;
    Palette palette_;
    std::vector<const Font*> fonts_;
    std::vector<unsigned> fontOf_, numFmtOf_;
    std::map<std::string, unsigned> customFormats_;
    std::vector<size_t> sheetOffsets_;
};

}  // namespace

void checkXlsLimits(const Workbook& wb) {
    if (wb.sheetCount() == 0)
        throw WorkbookError("A workbook needs at least one sheet");
    for (int i = 0; i < wb.sheetCount(); ++i) {
        const Sheet& s = wb.sheet(i);
        if (s.rowCount() > kXlsMaxRows)
            throw WorkbookError(tooLarge(s, "has " + grouped(s.rowCount()) + " rows"));
        if (s.columnCount() > kXlsMaxColumns || s.columnWidthCount() > kXlsMaxColumns)
            throw WorkbookError(tooLarge(
                s, "has " + grouped(std::max(s.columnCount(), s.columnWidthCount())) + " columns"));
        for (const CellRange& m : s.merges())
            if (m.lastRow >= kXlsMaxRows || m.lastColumn >= kXlsMaxColumns)
                throw WorkbookError(
                    tooLarge(s, "has a merged range beyond row 65,536 or column 256"));
    }
}

TextCuts xlsTextCuts(const Workbook& wb) {
    // Decided once per distinct text, counted once per cell that shows it.
    const StringPool& pool = wb.strings();
    std::vector<char> tooLong(pool.size(), 0);
    for (StringId id = 0; id < pool.size(); ++id)
        tooLong[id] = cutCellText(pool.at(id)).has_value();
    TextCuts cuts;
    for (int i = 0; i < wb.sheetCount(); ++i) {
        const Sheet& s = wb.sheet(i);
        for (int r = 0; r < s.rowCount(); ++r)
            for (const Cell& c : s.row(r))
                if (c.kind == Cell::Kind::Text && tooLong[c.text])
                    cuts.add(s.name(), r, c.column);
    }
    return cuts;
}

std::string xlsWorkbookStream(const Workbook& workbook) {
    checkXlsLimits(workbook);
    return Writer(workbook).run();
}

QString writeXls(const Workbook& workbook, const QString& path) {
    // A folder that cannot take the file fails before the work.
    io::AtomicFile file(path);
    file.Write(writeCompoundFile("Workbook", xlsWorkbookStream(workbook)));
    file.Commit();
    return xlsTextCuts(workbook).notice(".xls");
}

}  // namespace morvane::workbook
