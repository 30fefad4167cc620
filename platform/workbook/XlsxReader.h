#pragma once

#include "platform/workbook/Workbook.h"

#include <QString>

namespace morvane::workbook {

// Reads an .xlsx workbook (Office Open XML, as this system's writer and the
// spreadsheet programs save it), so that a workbook saved as .xlsx can be
// loaded again. Kept: worksheets with their names, numbers, texts (shared,
// inline and formula results), booleans as 0/1, merged ranges, column widths,
// row heights of their own, and each cell's format: font (face, size, bold,
// italic, colour), borders (thin or medium), alignment, wrapping, solid fill
// and number format. Theme colours read as automatic. Throws WorkbookError
// for files that are not such workbooks or are damaged.
Workbook readXlsx(const QString& path);

}  // namespace morvane::workbook
