#include "platform/workbook/PivotExport.h"

#include "platform/pivot/PivotEngine.h"
#include "platform/workbook/WorkbookFile.h"

#include <algorithm>

namespace morvane::workbook {

using pivot::HeaderKind;
using pivot::MatrixCell;

namespace {

// Pixels of the view to characters of the sheet's default font.
double characters(int pixels) {
    return std::max(1.0, static_cast<double>(pixels) / 7.0);
}

}  // namespace

Sheet& exportPivot(pivot::PivotEngine& grid, Workbook& workbook,
                   const PivotExportOptions& options) {
    pivot::MatrixOptions layout;
    // The export writes what the fields' display texts and the raw values
    // give; the custom-draw handlers paint the screen only, and with the
    // header areas off no field captions are laid out.
    layout.customDraw = false;
    layout.expandAll = true;
    layout.fieldCaptions = false;
    const pivot::PivotMatrix m = grid.layoutMatrix(layout);
    checkSheetSize(options.sheetName, m.rowCount(), m.columnCount());

    CellFormat base;
    base.borders = Borders::all(BorderStyle::Thin);
    base.valign = VAlign::Center;
    const FormatId cellFormat = workbook.addFormat(base);
    CellFormat header = base;
    header.fill = 0xF0F0F0;
    const FormatId headerFormat = workbook.addFormat(header);

    Sheet& sheet = workbook.addSheet(options.sheetName);
    // A group value: numbers as numbers; texts as the field shows them, or
    // as they are when a display-text handler blanked them.
    auto putGroupValue = [&sheet](int r, int c, const MatrixCell& cell, FormatId f) {
        if (cell.value.isNumber())
            sheet.setNumber(r, c, cell.value.toReal(), f);
        else if (!cell.text.isEmpty())
            sheet.setText(r, c, cell.text, f);
        else if (cell.value.type() == pivot::ValueType::Text)
            sheet.setText(r, c, cell.value.textValue(), f);
        else
            sheet.setBlank(r, c, f);
    };

    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < m.columnCount(); ++c) {
            const MatrixCell& cell = m.at(r, c);
            switch (cell.role) {
                case MatrixCell::Role::Corner:
                    break;
                case MatrixCell::Role::Cell:
                    // Raw summaries: zeros stay 0 whatever the display text.
                    if (cell.value.isNull())
                        sheet.setBlank(r, c, cellFormat);
                    else if (cell.value.isNumber())
                        sheet.setNumber(r, c, cell.value.toReal(), cellFormat);
                    else
                        sheet.setText(r, c, cell.text, cellFormat);
                    break;
                case MatrixCell::Role::ColumnHeader:
                case MatrixCell::Role::RowHeader:
                    if (cell.covered) {
                        if (options.mergeHeaders)
                            sheet.setBlank(r, c, headerFormat);
                        break;
                    }
                    if (cell.headerKind == HeaderKind::Value)
                        putGroupValue(r, c, cell, headerFormat);
                    else
                        sheet.setText(r, c, cell.text, headerFormat);
                    if (options.mergeHeaders && (cell.rowSpan > 1 || cell.colSpan > 1))
                        sheet.merge({r, c, r + cell.rowSpan - 1, c + cell.colSpan - 1});
                    break;
            }
        }

    if (options.columnWidths) {
        for (int l = 0; l < m.headerColumnCount(); ++l)
            sheet.setColumnWidth(l, characters(grid.rowLevelWidth(l)));
        for (int j = 0; j + m.headerColumnCount() < m.columnCount(); ++j)
            sheet.setColumnWidth(m.headerColumnCount() + j, characters(grid.columnWidth(j)));
    }
    return sheet;
}

Workbook pivotWorkbook(pivot::PivotEngine& grid, const PivotExportOptions& options) {
    Workbook wb;
    exportPivot(grid, wb, options);
    return wb;
}

QString exportPivotToFile(pivot::PivotEngine& grid, const QString& path,
                          const PivotExportOptions& options) {
    return saveWorkbook(pivotWorkbook(grid, options), path);
}

}  // namespace morvane::workbook
