"""Prints a workbook as JSON, read by an independent reader: xlrd (.xls) or
openpyxl (.xlsx), both in the same form.

Usage: dump_workbook.py xlrd|openpyxl FILE [--formats] [--cells R,C;R,C...]
With --cells, only those cells are listed (large sheets).
"""
import json
import sys
import zipfile

H = {None: 0, "general": 0, "left": 1, "center": 2, "right": 3}
V = {"top": 0, "center": 1, None: 2, "bottom": 2}
LINES = {None: 0, "thin": 1, "medium": 2}


def rgb(color):
    if color is None or color.type != "rgb" or color.rgb is None:
        return None
    value = color.rgb
    return [int(value[2:4], 16), int(value[4:6], 16), int(value[6:8], 16)]


def xls_sheets(path, formats, wanted):
    import xlrd
    # Merged ranges and column widths are only read with the formatting.
    book = xlrd.open_workbook(path, formatting_info=True)
    for sh in book.sheets():
        cells = {}
        for r in range(sh.nrows):
            for c in range(sh.ncols):
                if not wanted(r, c):
                    continue
                cell = sh.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    entry = {"t": "n", "v": cell.value}
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    entry = {"t": "s", "v": cell.value}
                elif formats and cell.ctype == xlrd.XL_CELL_BLANK:
                    entry = {"t": "b"}
                else:
                    continue
                if formats:
                    xf = book.xf_list[cell.xf_index]
                    font = book.font_list[xf.font_index]
                    b = xf.border
                    fill = None
                    if xf.background.fill_pattern == 1:
                        fill = book.colour_map.get(xf.background.pattern_colour_index)
                    entry["fmt"] = {
                        "font": [font.name, font.height / 20, bool(font.bold),
                                 bool(font.italic), book.colour_map.get(font.colour_index)],
                        "border": [b.left_line_style, b.right_line_style,
                                   b.top_line_style, b.bottom_line_style],
                        "h": xf.alignment.hor_align,
                        "v": xf.alignment.vert_align,
                        "wrap": bool(xf.alignment.text_wrapped),
                        "fill": fill,
                        "num": book.format_map[xf.format_key].format_str,
                    }
                cells["%d,%d" % (r, c)] = entry
        yield {
            "name": sh.name, "rows": sh.nrows, "cols": sh.ncols, "cells": cells,
            "merges": sorted([r1, c1, r2 - 1, c2 - 1] for r1, r2, c1, c2 in sh.merged_cells),
            "widths": {str(c): info.width / 256 for c, info in sh.colinfo_map.items()},
            "heights": {str(r): info.height / 20 for r, info in sh.rowinfo_map.items()
                        if info.height_mismatch},
        }


def xlsx_sheets(path, formats, wanted):
    import openpyxl
    from openpyxl.cell.cell import MergedCell
    from openpyxl.utils import column_index_from_string
    for ws in openpyxl.load_workbook(path).worksheets:
        cells = {}
        for row in ws.iter_rows():
            for cell in row:
                r, c = cell.row - 1, cell.column - 1
                if not wanted(r, c):
                    continue
                if isinstance(cell, MergedCell):
                    # openpyxl makes up the formats of covered cells.
                    if formats:
                        cells["%d,%d" % (r, c)] = {"t": "b", "merged": True}
                    continue
                if isinstance(cell.value, (int, float)) and not isinstance(cell.value, bool):
                    entry = {"t": "n", "v": float(cell.value)}
                elif isinstance(cell.value, str):
                    entry = {"t": "s", "v": cell.value}
                elif formats and cell.has_style:
                    entry = {"t": "b"}
                else:
                    continue
                if formats:
                    f, b, a = cell.font, cell.border, cell.alignment
                    entry["fmt"] = {
                        "font": [f.name, float(f.sz), bool(f.b), bool(f.i), rgb(f.color)],
                        "border": [LINES[b.left.style], LINES[b.right.style],
                                   LINES[b.top.style], LINES[b.bottom.style]],
                        "h": H[a.horizontal],
                        "v": V[a.vertical],
                        "wrap": bool(a.wrap_text),
                        "fill": rgb(cell.fill.fgColor) if cell.fill.fill_type == "solid" else None,
                        "num": cell.number_format,
                    }
                cells["%d,%d" % (r, c)] = entry
        widths = {}
        for letter, dim in ws.column_dimensions.items():
            if dim.customWidth and dim.width:
                first = column_index_from_string(letter)
                for c in range(dim.min or first, (dim.max or first) + 1):
                    widths[str(c - 1)] = dim.width
        yield {
            "name": ws.title, "rows": ws.max_row, "cols": ws.max_column, "cells": cells,
            "merges": sorted([m.min_row - 1, m.min_col - 1, m.max_row - 1, m.max_col - 1]
                             for m in ws.merged_cells.ranges),
            "widths": widths,
            "heights": {str(r - 1): dim.height for r, dim in ws.row_dimensions.items()
                        if dim.height is not None},
        }


def main():
    reader, path = sys.argv[1], sys.argv[2]
    formats = "--formats" in sys.argv
    only = None
    if "--cells" in sys.argv:
        only = set(sys.argv[sys.argv.index("--cells") + 1].split(";"))

    def wanted(r, c):
        return only is None or "%d,%d" % (r, c) in only

    if reader == "openpyxl":
        out = {"sheets": list(xlsx_sheets(path, formats, wanted)),
               "sharedStrings": "xl/sharedStrings.xml" in zipfile.ZipFile(path).namelist()}
    else:
        out = {"sheets": list(xls_sheets(path, formats, wanted))}
    json.dump(out, sys.stdout, ensure_ascii=False)


main()
