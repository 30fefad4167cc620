#include "platform/workbook/FormatChange.h"

#include <unordered_map>

namespace morvane::workbook {

void applyFormatChange(Workbook& workbook, Sheet& sheet, const CellRange& range,
                       const FormatChange& change) {
    // Cells of one format mostly stay of one format: remember what each became, per edge case.
    std::unordered_map<std::uint64_t, FormatId> made;
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstColumn; c <= range.lastColumn; ++c) {
            const Cell* cell = sheet.cell(r, c);
            const FormatId old = cell ? cell->format : 0;
            const unsigned edges =
                (r == range.firstRow ? 1u : 0u) | (r == range.lastRow ? 2u : 0u) |
                (c == range.firstColumn ? 4u : 0u) | (c == range.lastColumn ? 8u : 0u);
            const std::uint64_t key = (std::uint64_t(old) << 4) | edges;
            auto it = made.find(key);
            if (it == made.end()) {
                CellFormat f = workbook.formats().at(old);
                if (change.numberFormat)
                    f.numberFormat = *change.numberFormat;
                if (change.fontName)
                    f.font.name = *change.fontName;
                if (change.fontSize)
                    f.font.size = *change.fontSize;
                if (change.bold)
                    f.font.bold = *change.bold;
                if (change.italic)
                    f.font.italic = *change.italic;
                if (change.halign)
                    f.halign = *change.halign;
                if (change.valign)
                    f.valign = *change.valign;
                if (change.wrap)
                    f.wrap = *change.wrap;
                auto edge = [&](bool outer, BorderStyle& side) {
                    const std::optional<BorderStyle>& s = outer ? change.outline : change.inside;
                    if (s)
                        side = *s;
                };
                edge(edges & 1u, f.borders.top);
                edge(edges & 2u, f.borders.bottom);
                edge(edges & 4u, f.borders.left);
                edge(edges & 8u, f.borders.right);
                it = made.emplace(key, workbook.addFormat(f)).first;
            }
            sheet.setFormat(r, c, it->second);
        }
    if (change.merge) {
        sheet.unmerge(range);
        const bool single =
            range.firstRow == range.lastRow && range.firstColumn == range.lastColumn;
        if (*change.merge && !single) {
            // As the spreadsheet programs merge: the range shows its top-left cell, and the
            // values of the others go (their formats stay).
            for (int r = range.firstRow; r <= range.lastRow; ++r)
                for (int c = range.firstColumn; c <= range.lastColumn; ++c)
                    if (r != range.firstRow || c != range.firstColumn)
                        sheet.setBlank(r, c, sheet.cell(r, c)->format);
            sheet.merge(range);
        }
    }
}

}  // namespace morvane::workbook
