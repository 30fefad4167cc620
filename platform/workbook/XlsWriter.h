#pragma once

#include "platform/workbook/TextLimits.h"
#include "platform/workbook/Workbook.h"

#include <QString>

#include <string>

namespace morvane::workbook {

// Limits of the .xls (BIFF8) format.
inline constexpr int kXlsMaxRows = 65536;
inline constexpr int kXlsMaxColumns = 256;
inline constexpr int kXlsMaxTextLength = kCellTextLimit;  // characters of one cell text

// Throws WorkbookError when the workbook has no sheet and, naming the sheet
// and suggesting .xlsx, when the workbook does not fit the .xls format: more than 65,536 rows or
// 256 columns in a sheet (cells, widths, heights or merges), or more cell formats than the
// format holds. Longer texts than a cell holds are no reason to refuse: they are cut.
void checkXlsLimits(const Workbook& workbook);

// The workbook as a BIFF8 "Workbook" stream (without its compound file).
// Checks the limits first; cuts texts longer than kXlsMaxTextLength.
std::string xlsWorkbookStream(const Workbook& workbook);

// The text cells xlsWorkbookStream cuts.
TextCuts xlsTextCuts(const Workbook& workbook);

// Writes the workbook as an .xls file (BIFF8 in an OLE2 compound file),
// replacing the file atomically (io::AtomicFile: the earlier file stays as it
// was on any failure). Throws WorkbookError on limits, io::FileError when the
// file cannot be written (the message names it and carries the system's
// reason). Returns the notice of cut texts for the user ("" when none was cut).
QString writeXls(const Workbook& workbook, const QString& path);

}  // namespace morvane::workbook
