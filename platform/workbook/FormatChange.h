#pragma once

#include "platform/workbook/CellFormat.h"
#include "platform/workbook/Sheet.h"
#include "platform/workbook/Workbook.h"

#include <optional>
#include <string>

namespace morvane::workbook {

// What a format-cells dialog changes on a range: each attribute that is set
// replaces the cell's own, every other attribute of each cell stays as it was.
struct FormatChange {
    std::optional<std::string> numberFormat;
    std::optional<std::string> fontName;
    std::optional<double> fontSize;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<HAlign> halign;
    std::optional<VAlign> valign;
    std::optional<bool> wrap;
    // The edges around the range, and the edges between its cells.
    std::optional<BorderStyle> outline;
    std::optional<BorderStyle> inside;
    // true: the range becomes one merged range (ranges it overlaps are undone)
    // showing its top-left cell, the other cells' values cleared;
    // false: the merged ranges it overlaps are undone.
    std::optional<bool> merge;

    bool empty() const {
        return !numberFormat && !fontName && !fontSize && !bold && !italic && !halign && !valign &&
               !wrap && !outline && !inside && !merge;
    }
};

// Applies the change to every cell of the range (empty cells get a formatted
// blank). Throws WorkbookError for a range outside the sheet.
void applyFormatChange(Workbook& workbook, Sheet& sheet, const CellRange& range,
                       const FormatChange& change);

}  // namespace morvane::workbook
