#include "platform/workbook/PivotExport.h"

#include "platform/pivot/PivotEngine.h"
#include "platform/workbook/WorkbookFile.h"

#include <algorithm>
#include <optional>

namespace morvane::workbook {

using pivot::HeaderKind;
using pivot::MatrixCell;

namespace {

// A share as painted ("25%", "33.33%") as a fraction (0.25, 0.3333).
std::optional<double> percentValue(const QString& text) {
    if (!text.endsWith(QLatin1Char('%')))
        return std::nullopt;
    bool ok = false;
    const double v = text.chopped(1).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v / 100.0;
}

// Pixels of the view to characters of the sheet's default font.
double characters(int pixels) {
    return std::max(1.0, static_cast<double>(pixels) / 7.0);
}

}  // namespace

Sheet& exportPivot(pivot::PivotEngine& grid, Workbook& workbook,
                   const PivotExportOptions& options) {
    pivot::MatrixOptions layout;
    // The export writes what the fields' display texts and the raw values
    // give; the custom-draw handlers run only when the texts as shown are
    // asked for, and with the header areas off no field captions are laid
    // out (the row fields' captions are written below when asked for).
    layout.customDraw = options.asShown;
    layout.expandAll = true;
    layout.fieldCaptions = false;
    const pivot::PivotMatrix m = grid.layoutMatrix(layout);
    checkSheetSize(options.sheetName, m.rowCount(), m.columnCount());
    const int top = options.heading.isEmpty() ? 0 : static_cast<int>(options.heading.size()) + 1;

    CellFormat base;
    base.borders = Borders::all(BorderStyle::Thin);
    base.valign = VAlign::Center;
    const FormatId cellFormat = workbook.addFormat(base);
    CellFormat header = base;
    header.fill = 0xF0F0F0;
    const FormatId headerFormat = workbook.addFormat(header);

    FormatId wholeFormat = cellFormat, decimalFormat = cellFormat, percentFormat = cellFormat;
    if (options.numberFormats || options.asShown) {
        CellFormat f = base;
        f.numberFormat = "0";
        wholeFormat = workbook.addFormat(f);
        f.numberFormat = "0.00";
        decimalFormat = workbook.addFormat(f);
        f.numberFormat = "0.00%";
        percentFormat = workbook.addFormat(f);
    }
    if (!options.numberFormats)
        wholeFormat = decimalFormat = cellFormat;
    auto numberFormat = [&](const pivot::Value& v) {
        return v.type() == pivot::ValueType::Integer ? wholeFormat : decimalFormat;
    };

    Sheet& sheet = workbook.addSheet(options.sheetName);
    const int width = std::max(1, m.columnCount());
    for (int i = 0; i < options.heading.size(); ++i) {
        CellFormat f;
        f.halign = HAlign::Center;
        f.valign = VAlign::Center;
        f.font.bold = i == 0;
        f.font.size = i == 0 ? 14 : 10;
        sheet.setText(i, 0, options.heading[i], workbook.addFormat(f));
        if (width > 1)
            sheet.merge({i, 0, i, width - 1});
        if (i == 0)
            sheet.setRowHeight(i, 20);
    }
    // A group value: numbers as numbers; texts as the field shows them, or
    // as they are when a display-text handler blanked them.
    auto putGroupValue = [&sheet, top, &options](int matrixRow, int c, const MatrixCell& cell,
                                                 FormatId f) {
        const int r = top + matrixRow;
        const bool empty = cell.value.isNull() || (cell.value.type() == pivot::ValueType::Text &&
                                                   cell.value.textValue().isEmpty());
        if (cell.value.isNumber())
            sheet.setNumber(r, c, cell.value.toReal(), f);
        else if (!cell.text.isEmpty())
            sheet.setText(r, c, cell.text, f);
        else if (options.asShown && empty)
            sheet.setText(r, c, pivot::kBlankCaption, f);  // as the windows show it
        else if (cell.value.type() == pivot::ValueType::Text)
            sheet.setText(r, c, cell.value.textValue(), f);
        else
            sheet.setBlank(r, c, f);
    };

    for (int mr = 0; mr < m.rowCount(); ++mr)
        for (int c = 0; c < m.columnCount(); ++c) {
            const MatrixCell& cell = m.at(mr, c);
            const int r = top + mr;
            switch (cell.role) {
                case MatrixCell::Role::Corner:
                    break;
                case MatrixCell::Role::Cell:
                    // Raw summaries: zeros stay 0 whatever the display text.
                    if (cell.value.isNull()) {
                        // A cell with no summary that a handler painted (a share).
                        const std::optional<double> share =
                            options.asShown ? percentValue(cell.text) : std::nullopt;
                        if (share)
                            sheet.setNumber(r, c, *share, percentFormat);
                        else if (options.asShown && !cell.text.isEmpty())
                            sheet.setText(r, c, cell.text, cellFormat);
                        else
                            sheet.setBlank(r, c, cellFormat);
                    } else if (cell.value.isNumber()) {
                        sheet.setNumber(r, c, cell.value.toReal(), numberFormat(cell.value));
                    } else {
                        sheet.setText(r, c, cell.text, cellFormat);
                    }
                    break;
                case MatrixCell::Role::ColumnHeader:
                case MatrixCell::Role::RowHeader:
                    if (cell.covered) {
                        if (options.mergeHeaders)
                            sheet.setBlank(r, c, headerFormat);
                        break;
                    }
                    if (cell.headerKind == HeaderKind::Value)
                        putGroupValue(mr, c, cell, headerFormat);
                    else if (options.asShown && cell.headerKind == HeaderKind::Total &&
                             cell.text.startsWith(QLatin1Char(' ')))
                        // The total of an empty group ("(空白) 小计"), whose value the export
                        // writes without the windows' display texts.
                        sheet.setText(r, c, pivot::kBlankCaption + cell.text, headerFormat);
                    else
                        sheet.setText(r, c, cell.text, headerFormat);
                    if (options.mergeHeaders && (cell.rowSpan > 1 || cell.colSpan > 1))
                        sheet.merge({r, c, r + cell.rowSpan - 1, c + cell.colSpan - 1});
                    break;
            }
        }
    // The row fields' captions over their columns, in the last header row.
    if (options.asShown && m.headerRowCount() > 0) {
        const int r = top + m.headerRowCount() - 1;
        for (int l = 0; l < m.headerColumnCount(); ++l) {
            const pivot::PivotField* f = grid.rowLevelField(l);
            const QString caption = f                    ? f->caption()
                                    : grid.rowLevelIsData(l) ? grid.dataFieldCaption()
                                                             : QString();
            if (!caption.isEmpty() && !sheet.cell(r, l))
                sheet.setText(r, l, caption, headerFormat);
        }
    }
    if (options.freezeHeaders)
        sheet.setFrozen(top + m.headerRowCount(), m.headerColumnCount());

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
