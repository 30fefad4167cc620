#pragma once

#include "platform/workbook/Workbook.h"

#include <QString>

#include <string_view>

namespace morvane::workbook {

// Reads an .xls workbook (BIFF8, Excel 97 and later) as this system's writer
// and the spreadsheet programs save it, so that a workbook the user edited
// can be loaded again. Kept: worksheets with their names, numbers (NUMBER,
// RK, MULRK, cached FORMULA results, booleans as 0/1), texts (LABELSST
// through the shared string table and its CONTINUE records, LABEL, formula
// results read from STRING), merged ranges, column widths, the default
// column width and row heights of their own. Cell formats are not read: the
// cells get the default format. Throws WorkbookError for files that are not
// BIFF8 workbooks, are password-protected or damaged.
Workbook readXls(const QString& path);
// The same from the bytes of a file.
Workbook readXlsBytes(std::string_view file);

}  // namespace morvane::workbook
