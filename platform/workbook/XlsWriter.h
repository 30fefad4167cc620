#pragma once

#include "platform/workbook/Workbook.h"

#include <QString>

#include <string>

namespace morvane::workbook {

// Limits of the .xls (BIFF8) format.
inline constexpr int kXlsMaxRows = 65536;
inline constexpr int kXlsMaxColumns = 256;
inline constexpr int kXlsMaxTextLength = 32767;  // characters of one cell text

// Throws WorkbookError when the workbook has no sheet and, naming the sheet
// and suggesting .xlsx, when the workbook does not fit the .xls format: more than 65,536 rows or
// 256 columns in a sheet (cells, widths, heights or merges), a text longer than 32,767 characters,
// or more cell formats than the format holds.
void checkXlsLimits(const Workbook& workbook);

// The workbook as a BIFF8 "Workbook" stream (without its compound file).
// Checks the limits first.
std::string xlsWorkbookStream(const Workbook& workbook);

// Writes the workbook as an .xls file (BIFF8 in an OLE2 compound file),
// replacing the file. Throws WorkbookError on limits or when the file cannot
// be written (the message carries the system's reason).
void writeXls(const Workbook& workbook, const QString& path);

}  // namespace morvane::workbook
