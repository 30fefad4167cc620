#pragma once

#include "platform/workbook/Workbook.h"

#include <QString>
#include <QStringList>

namespace morvane::pivot {
class PivotEngine;
}

namespace morvane::workbook {

struct PivotExportOptions {
    QString sheetName = QStringLiteral("Sheet1");
    // Header cells that span several rows or columns become merged ranges;
    // otherwise only their top-left cell holds the text.
    bool mergeHeaders = true;
    // Column widths from the grid's widths (pixels of the view, about seven
    // to a character).
    bool columnWidths = true;
    // The texts the screen shows: the grid's custom-draw handlers run, so
    // total captions read as the window paints them ("合计", "<value> 小计")
    // and a share cell painted as "25%" is written as the number 0.25 in a
    // percent format; the captions of the row fields head their columns.
    bool asShown = false;
    // Number formats that keep the values numbers: whole numbers as "0",
    // other numbers with two decimals ("0.00").
    bool numberFormats = false;
    // The header rows (and the heading above them) and the row-header
    // columns stay in view while the rest scrolls.
    bool freezeHeaders = false;
    // Lines written above the pivot, each across its width: the first as a
    // bold title, the others plain (the period, the filters); a blank row
    // separates them from the pivot.
    QStringList heading;
};

// The pivot as the grid lays it out, every group expanded and the header
// areas off: the column headers first (one row per column field, then one
// for the data-field captions when the columns hold several data fields),
// then one row per view row with the row headers at the left, the grand
// total last. Cells hold the raw summaries: numbers as numbers in the
// grid's native (General) format, so a zero is written as 0 whatever the
// display-text handlers show; texts as texts; a cell without a summary
// stays empty. Header values that are numbers are written as numbers, other
// headers as the text the grid gives them. Reads the grid and changes
// nothing in it (expansion is forced for the layout only).
//
// Adds the sheet to the workbook and returns it. A pivot larger than a sheet
// holds is refused before anything is added (WorkbookError naming the limit).
Sheet& exportPivot(pivot::PivotEngine& grid, Workbook& workbook,
                   const PivotExportOptions& options = {});

// A workbook of one sheet holding the exported pivot.
Workbook pivotWorkbook(pivot::PivotEngine& grid, const PivotExportOptions& options = {});

// Writes the exported pivot to a file, .xlsx when the name ends in ".xlsx"
// and .xls otherwise (see saveWorkbook, also for what it throws and returns).
QString exportPivotToFile(pivot::PivotEngine& grid, const QString& path,
                          const PivotExportOptions& options = {});

}  // namespace morvane::workbook
