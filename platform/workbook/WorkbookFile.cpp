#include "platform/workbook/WorkbookFile.h"

#include "platform/workbook/XlsReader.h"
#include "platform/workbook/XlsWriter.h"
#include "platform/workbook/XlsxReader.h"
#include "platform/workbook/XlsxWriter.h"

namespace morvane::workbook {

FileFormat formatForPath(const QString& path) {
    return path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? FileFormat::Xlsx
                                                                       : FileFormat::Xls;
}

QString saveWorkbook(const Workbook& workbook, const QString& path) {
    if (formatForPath(path) == FileFormat::Xlsx)
        return writeXlsx(workbook, path);
    return writeXls(workbook, path);
}

Workbook loadWorkbook(const QString& path) {
    return formatForPath(path) == FileFormat::Xlsx ? readXlsx(path) : readXls(path);
}

}  // namespace morvane::workbook
