#pragma once

#include "platform/workbook/Workbook.h"

#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace morvane::workbook::test {

// The independent readers: python3-xlrd for .xls, python3-openpyxl for
// .xlsx, run through /usr/bin/python3 (the Debian interpreter that has them).
// Returns the workbook as dump_workbook.py prints it; fails the
// test (and returns an empty object) when the reader fails. With `cells`
// ("r,c;r,c"), only those cells are listed.
QJsonObject readWithXlrd(const QString& path, bool formats = false, const QString& cells = {});
QJsonObject readWithOpenpyxl(const QString& path, bool formats = false, const QString& cells = {});

// Compares a sheet as an independent reader saw it with the source sheet:
// every number and text (and, with formats, every formatted blank and each
// cell's font, borders, alignment, wrap, fill and number format), the
// merged ranges, the column widths within widthTolerance characters and the
// row heights. Reports each difference as a test failure.
void expectSheetMatches(const Workbook& source, int sheetIndex, const QJsonObject& dumped,
                        bool formats, double widthTolerance);

// Compares two in-memory sheets: cells (kinds and values), merges, widths of
// their own and row heights.
void expectSameContent(const Sheet& expected, const Sheet& actual);

// A test with a temporary folder of its own.
class TempFolderTest : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

// Fails unless `run` throws a WorkbookError whose message contains every
// one of `parts`.
void expectWorkbookError(const std::function<void()>& run,
                         std::initializer_list<const char*> parts);

// The sheet's rows as lines of cells joined by `separator`; a cell is
// empty (none or blank), a number in its shortest form or a text. With
// `tagged`, numbers are written "n:<number>" and texts "s:<text>".
QString renderSheet(const Sheet& sheet, QChar separator, bool tagged);

// The spreadsheet program's converter, when installed.
QString sofficePath();

// A workbook with what the writers must carry: numbers of every kind (whole,
// negative, fractions, large, zero), Chinese and Latin texts, an empty text,
// merged ranges across rows and columns, widths, heights and formats.
Workbook sampleWorkbook();

}  // namespace morvane::workbook::test
