#pragma once

#include "platform/workbook/CellFormat.h"
#include "platform/workbook/Sheet.h"
#include "platform/workbook/TextLimits.h"
#include "platform/workbook/Workbook.h"

#include <QString>

#include <memory>
#include <string_view>

namespace morvane::workbook {

// Writes .xlsx files through libxlsxwriter, a sheet at a time and, in
// constant-memory mode, a row at a time: each row goes to disk when a later
// row is started, so memory stays flat however many rows are written. In
// that mode rows must come in ascending order (cells within a row in any
// order) and the set-up of a row (its height, merges that start in it)
// comes before its cells; a merged range may not reach below its first row.
// Normal mode keeps the whole sheet in memory and has none of these rules.
//
// The file is replaced only by close(), atomically (io::AtomicFile): a writer
// that fails or is destroyed without close() leaves the earlier file as it
// was and no temporary file behind. Texts are made safe for the file: XML's
// forbidden characters become U+FFFD, a text over kCellTextLimit is cut and
// counted (cuts()).
//
// Throws WorkbookError when libxlsxwriter refuses a call (a position outside
// the sheet, an unknown format) and io::FileError when the file cannot be
// written (from the constructor when its folder cannot take it).
class XlsxStreamWriter {
  public:
    XlsxStreamWriter(const QString& path, bool constantMemory);
    ~XlsxStreamWriter();  // without close(): writes nothing
    XlsxStreamWriter(const XlsxStreamWriter&) = delete;
    XlsxStreamWriter& operator=(const XlsxStreamWriter&) = delete;

    // Formats are registered once and referred to by id; id 0 is the
    // default CellFormat.
    FormatId addFormat(const CellFormat& format);

    void addSheet(const QString& name);
    // Sheet set-up, before the sheet's first cell.
    void setColumnWidth(int column, double characters);
    // Freezes the first rows and columns of the sheet (sheet set-up).
    void freezePanes(int rows, int columns);
    // Row set-up, before the row's cells.
    void setRowHeight(int row, double points);
    // The merged range shows the cell at its top-left corner, written after
    // this call as usual.
    void merge(const CellRange& range, FormatId format);

    void writeNumber(int row, int column, double value, FormatId format = 0);
    void writeText(int row, int column, std::string_view utf8, FormatId format = 0);
    void writeBlank(int row, int column, FormatId format);

    // Writes the file: libxlsxwriter's close status, every write, the flush to
    // disk and the rename are checked. Throws io::FileError with the reason.
    void close();
    // The texts cut so far.
    const TextCuts& cuts() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Whether a sheet can be written in constant-memory mode: every merged range
// lies within one row (a range reaching down would write cells into rows
// before their turn).
bool fitsConstantMemory(const Sheet& sheet);

// Writes the workbook as an .xlsx file, in constant-memory mode when every
// sheet fits it and in normal mode otherwise. A workbook without a sheet is
// refused (WorkbookError). Returns the notice of cut texts for the user ("" when
// none was cut).
QString writeXlsx(const Workbook& workbook, const QString& path);

}  // namespace morvane::workbook
