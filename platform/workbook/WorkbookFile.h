#pragma once

#include "platform/workbook/Workbook.h"

#include <QString>

namespace morvane::workbook {

enum class FileFormat { Xls, Xlsx };

// .xlsx when the file name ends in ".xlsx" (any case), .xls otherwise: the
// save dialogs offer "*.xls" first.
FileFormat formatForPath(const QString& path);

// Writes the workbook in the format its file name asks for (writeXls or
// writeXlsx), replacing the file atomically: on any failure the earlier file
// stays as it was. Throws WorkbookError (a limit of the format) or
// io::FileError (the file cannot be written). Returns what the user must be
// told about the file written (texts cut to a cell's limit), "" for nothing.
QString saveWorkbook(const Workbook& workbook, const QString& path);

// Reads the workbook in the format its file name says (readXlsx or readXls).
// Throws WorkbookError.
Workbook loadWorkbook(const QString& path);

}  // namespace morvane::workbook
