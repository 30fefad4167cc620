#include "platform/workbook/XlsxWriter.h"

#include "platform/io/AtomicFile.h"
#include "platform/workbook/TextLimits.h"
#include "platform/workbook/WorkbookError.h"

#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cerrno>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace morvane::workbook {

namespace {

void check(lxw_error err, const char* what) {
    if (err == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE)
        throw WorkbookError(std::string("Cannot write the .xlsx workbook (") + what +
                            "): a position beyond the 1,048,576 rows and 16,384 columns an "
                            ".xlsx sheet holds");
    if (err != LXW_NO_ERROR)
        throw WorkbookError(std::string("Cannot write the .xlsx workbook (") + what +
                            "): " + lxw_strerror(err));
}

std::string nativePath(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

std::uint8_t border(BorderStyle s) {
    return s == BorderStyle::Thin     ? LXW_BORDER_THIN
           : s == BorderStyle::Medium ? LXW_BORDER_MEDIUM
                                      : LXW_BORDER_NONE;
}

}  // namespace

// The file libxlsxwriter writes the package to.
class Scratch {
  public:
    Scratch() = default;
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() {
#ifdef __linux__
        if (fd_ >= 0)
            ::close(fd_);
#endif
    }
    // Throws io::FileError naming the target.
    void open(const QString& target) {
#ifdef __linux__
        fd_ = ::memfd_create("morvane-xlsx", MFD_CLOEXEC);
        if (fd_ >= 0) {
            name_ = "/proc/self/fd/" + QByteArray::number(fd_);
            return;
        }
#endif
        file_.setFileTemplate(QDir::tempPath() + "/morvane-XXXXXX.xlsx");
        if (!file_.open())
            throw io::FileError("cannot write " + nativePath(target) + ": " +
                                file_.errorString().toStdString());
        file_.close();
        name_ = QFile::encodeName(file_.fileName());
    }
    const char* name() const {
        return name_.constData();
    }
    // Passes the package to `sink` in pieces. Throws io::FileError naming the target.
    template <class Sink>
    void read(const QString& target, Sink sink) {
        QFile package;
        bool opened = false;
        if (fd_ >= 0) {
            opened = package.open(fd_, QIODevice::ReadOnly);
        } else {
            package.setFileName(file_.fileName());
            opened = package.open(QIODevice::ReadOnly);
        }
        if (!opened || !package.seek(0))
            throw io::FileError("cannot write " + nativePath(target) + ": " +
                                package.errorString().toStdString());
        std::vector<char> chunk(1 << 20);
        for (;;) {
            const qint64 n = package.read(chunk.data(), static_cast<qint64>(chunk.size()));
            if (n < 0)
                throw io::FileError("cannot write " + nativePath(target) + ": " +
                                    package.errorString().toStdString());
            if (n == 0)
                return;
            sink(std::string_view(chunk.data(), static_cast<size_t>(n)));
        }
    }

  private:
    int fd_ = -1;
    QTemporaryFile file_;
    QByteArray name_;
};

struct XlsxStreamWriter::Impl {
    QString path;
    // libxlsxwriter writes the whole package to a file it opens by name: a scratch file in
    // memory where the system has them, whose bytes then reach the target through the atomic
    // file. So a full disk shows as one failed write of ours, with its reason, and the
    // library never writes into the target's folder.
    std::unique_ptr<io::AtomicFile> file;
    Scratch scratch;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    QString sheetName;
    int sheetColumn = 0;
    TextCuts cuts;
    FormatTable table;
    std::vector<lxw_format*> formats;

    lxw_format* make(const CellFormat& f) {
        lxw_format* x = workbook_add_format(book);
        format_set_font_name(x, f.font.name.c_str());
        format_set_font_size(x, f.font.size);
        if (f.font.bold)
            format_set_bold(x);
        if (f.font.italic)
            format_set_italic(x);
        if (f.font.color != kAutoColor)
            format_set_font_color(x, static_cast<lxw_color_t>(f.font.color & 0xFFFFFF));
        format_set_left(x, border(f.borders.left));
        format_set_right(x, border(f.borders.right));
        format_set_top(x, border(f.borders.top));
        format_set_bottom(x, border(f.borders.bottom));
        static constexpr std::uint8_t kH[] = {LXW_ALIGN_NONE, LXW_ALIGN_LEFT, LXW_ALIGN_CENTER,
                                              LXW_ALIGN_RIGHT};
        static constexpr std::uint8_t kV[] = {LXW_ALIGN_VERTICAL_TOP, LXW_ALIGN_VERTICAL_CENTER,
                                              LXW_ALIGN_VERTICAL_BOTTOM};
        if (f.halign != HAlign::General)
            format_set_align(x, kH[static_cast<int>(f.halign)]);
        if (f.valign != VAlign::Bottom)
            format_set_align(x, kV[static_cast<int>(f.valign)]);
        if (f.wrap)
            format_set_text_wrap(x);
        if (f.fill != kAutoColor) {
            format_set_pattern(x, LXW_PATTERN_SOLID);
            format_set_bg_color(x, static_cast<lxw_color_t>(f.fill & 0xFFFFFF));
        }
        if (f.numberFormat != "General")
            format_set_num_format(x, f.numberFormat.c_str());
        return x;
    }
    lxw_format* at(FormatId id) const {
        if (id >= formats.size())
            throw WorkbookError("Unknown cell format " + std::to_string(id));
        return formats[id];
    }
    lxw_worksheet* current() const {
        if (!sheet)
            throw WorkbookError("No sheet to write into");
        return sheet;
    }
};

XlsxStreamWriter::XlsxStreamWriter(const QString& path, bool constantMemory)
    : d_(std::make_unique<Impl>()) {
    d_->path = path;
    // A folder that cannot take the file fails here, before any work.
    d_->file = std::make_unique<io::AtomicFile>(path);
    d_->scratch.open(path);
    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    d_->book = workbook_new_opt(d_->scratch.name(), &options);
    if (!d_->book)
        throw WorkbookError("Cannot start the .xlsx workbook " + nativePath(path));
    d_->formats.push_back(d_->make(CellFormat{}));
}

XlsxStreamWriter::~XlsxStreamWriter() {
    // Not closed: nothing is written; the scratch and temporary files go, the target stays.
    if (d_ && d_->book)
        lxw_workbook_free(d_->book);
}

FormatId XlsxStreamWriter::addFormat(const CellFormat& format) {
    const FormatId id = d_->table.add(format);
    if (id == d_->formats.size())
        d_->formats.push_back(d_->make(format));
    return id;
}

void XlsxStreamWriter::addSheet(const QString& name) {
    QByteArray n = name.toUtf8();
    if (auto safe = xmlSafeText(std::string_view(n.constData(), static_cast<size_t>(n.size()))))
        n = QByteArray::fromStdString(*safe);
    d_->sheetName = name;
    d_->sheet = workbook_add_worksheet(d_->book, n.constData());
    if (!d_->sheet)
        throw WorkbookError("Cannot add the sheet \"" + name.toStdString() +
                            "\" to the .xlsx workbook");
}

void XlsxStreamWriter::setColumnWidth(int column, double characters) {
    check(worksheet_set_column(d_->current(), static_cast<lxw_col_t>(column),
                               static_cast<lxw_col_t>(column), characters, nullptr),
          "column width");
}

void XlsxStreamWriter::freezePanes(int rows, int columns) {
    worksheet_freeze_panes(d_->current(), static_cast<lxw_row_t>(rows),
                           static_cast<lxw_col_t>(columns));
}

void XlsxStreamWriter::setRowHeight(int row, double points) {
    check(worksheet_set_row(d_->current(), static_cast<lxw_row_t>(row), points, nullptr),
          "row height");
}

void XlsxStreamWriter::merge(const CellRange& r, FormatId format) {
    check(worksheet_merge_range(d_->current(), static_cast<lxw_row_t>(r.firstRow),
                                static_cast<lxw_col_t>(r.firstColumn),
                                static_cast<lxw_row_t>(r.lastRow),
                                static_cast<lxw_col_t>(r.lastColumn), "", d_->at(format)),
          "merged range");
}

void XlsxStreamWriter::writeNumber(int row, int column, double value, FormatId format) {
    check(worksheet_write_number(d_->current(), static_cast<lxw_row_t>(row),
                                 static_cast<lxw_col_t>(column), value, d_->at(format)),
          "number");
}

void XlsxStreamWriter::writeText(int row, int column, std::string_view utf8, FormatId format) {
    // The file stays valid whatever the text holds: characters XML forbids are replaced and a
    // text longer than a cell holds is cut (and counted, to be told once).
    std::optional<std::string> safe = xmlSafeText(utf8);
    if (safe)
        utf8 = *safe;
    std::optional<std::string> cut = cutCellText(utf8);
    if (cut) {
        utf8 = *cut;
        d_->cuts.add(d_->sheetName, row, column);
    }
    // libxlsxwriter reads C strings; most texts fit the stack buffer.
    char small[256];
    std::string large;
    const char* text;
    if (utf8.size() < sizeof small) {
        std::memcpy(small, utf8.data(), utf8.size());
        small[utf8.size()] = '\0';
        text = small;
    } else {
        large.assign(utf8);
        text = large.c_str();
    }
    check(worksheet_write_string(d_->current(), static_cast<lxw_row_t>(row),
                                 static_cast<lxw_col_t>(column), text, d_->at(format)),
          "text");
}

void XlsxStreamWriter::writeBlank(int row, int column, FormatId format) {
    check(worksheet_write_blank(d_->current(), static_cast<lxw_row_t>(row),
                                static_cast<lxw_col_t>(column), d_->at(format)),
          "blank cell");
}

void XlsxStreamWriter::close() {
    lxw_workbook* book = d_->book;
    d_->book = nullptr;
    d_->sheet = nullptr;
    if (!book)
        return;
    errno = 0;
    const lxw_error err = workbook_close(book);
    if (err != LXW_NO_ERROR) {
        // The system's reason says more than the library's name for the failed step.
        const int reason = errno;
        throw io::FileError("cannot write " + nativePath(d_->path) + ": " +
                            (reason ? io::SystemReason(reason) : lxw_strerror(err)));
    }
    d_->scratch.read(d_->path, [this](std::string_view piece) { d_->file->Write(piece); });
    d_->file->Commit();
}

const TextCuts& XlsxStreamWriter::cuts() const {
    return d_->cuts;
}

bool fitsConstantMemory(const Sheet& sheet) {
    for (const CellRange& m : sheet.merges())
        if (m.lastRow != m.firstRow)
            return false;
    return true;
}

QString writeXlsx(const Workbook& workbook, const QString& path) {
    if (workbook.sheetCount() == 0)
        throw WorkbookError("A workbook needs at least one sheet");
    bool constant = true;
    for (int i = 0; i < workbook.sheetCount(); ++i)
        constant = constant && fitsConstantMemory(workbook.sheet(i));
    XlsxStreamWriter out(path, constant);
    const FormatTable& table = workbook.formats();
    std::vector<FormatId> ids(table.size());
    for (FormatId id = 0; id < table.size(); ++id)
        ids[id] = out.addFormat(table.at(id));

    for (int i = 0; i < workbook.sheetCount(); ++i) {
        const Sheet& s = workbook.sheet(i);
        out.addSheet(s.name());
        for (int c = 0; c < s.columnWidthCount(); ++c)
            if (s.columnWidth(c) > 0)
                out.setColumnWidth(c, s.columnWidth(c));
        if (s.frozenRows() > 0 || s.frozenColumns() > 0)
            out.freezePanes(s.frozenRows(), s.frozenColumns());
        // Merges by first row, so each is set up with its row.
        std::vector<CellRange> merges = s.merges();
        std::sort(merges.begin(), merges.end(),
                  [](const CellRange& a, const CellRange& b) { return a.firstRow < b.firstRow; });
        size_t nextMerge = 0;
        for (int r = 0; r < s.rowCount(); ++r) {
            if (s.rowHeight(r) > 0)
                out.setRowHeight(r, s.rowHeight(r));
            for (; nextMerge < merges.size() && merges[nextMerge].firstRow == r; ++nextMerge) {
                const CellRange& m = merges[nextMerge];
                const Cell* corner = s.cell(m.firstRow, m.firstColumn);
                out.merge(m, ids[corner ? corner->format : 0]);
            }
            for (const Cell& c : s.row(r)) {
                const FormatId f = ids[c.format];
                switch (c.kind) {
                    case Cell::Kind::Number:
                        out.writeNumber(r, c.column, c.number, f);
                        break;
                    case Cell::Kind::Text:
                        out.writeText(r, c.column, s.text(c), f);
                        break;
                    case Cell::Kind::Blank:
                        out.writeBlank(r, c.column, f);
                        break;
                }
            }
        }
        // Merges below the last row with cells.
        for (; nextMerge < merges.size(); ++nextMerge) {
            const CellRange& m = merges[nextMerge];
            out.merge(m, ids[0]);
        }
    }
    out.close();
    return out.cuts().notice(".xlsx");
}

}  // namespace morvane::workbook
