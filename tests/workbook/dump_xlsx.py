"""Prints an .xlsx workbook as JSON, read by openpyxl (an independent reader),
in the same form as dump_xls.py.

Usage: dump_xlsx.py FILE [--formats] [--cells R,C;R,C...]
With --cells, only those cells are listed (large sheets).
"""
import json
import sys
import zipfile

import openpyxl
from openpyxl.cell.cell import MergedCell
from openpyxl.utils import column_index_from_string

H = {None: 0, "general": 0, "left": 1, "center": 2, "right": 3}
V = {"top": 0, "center": 1, None: 2, "bottom": 2}
LINES = {None: 0, "thin": 1, "medium": 2}


def rgb(color):
    if color is None or color.type != "rgb" or color.rgb is None:
        return None
    value = color.rgb
    return [int(value[2:4], 16), int(value[4:6], 16), int(value[6:8], 16)]


def main():
    path = sys.argv[1]
    formats = "--formats" in sys.argv
    only = None
    if "--cells" in sys.argv:
        only = set(sys.argv[sys.argv.index("--cells") + 1].split(";"))
    book = openpyxl.load_workbook(path)
    out = {"sheets": [],
           "sharedStrings": "xl/sharedStrings.xml" in zipfile.ZipFile(path).namelist()}
    for ws in book.worksheets:
        cells = {}
        for row in ws.iter_rows():
            for cell in row:
                if only is not None and "%d,%d" % (cell.row - 1, cell.column - 1) not in only:
                    continue
                if isinstance(cell, MergedCell):
                    # openpyxl makes up the formats of covered cells.
                    if formats:
                        cells["%d,%d" % (cell.row - 1, cell.column - 1)] = {"t": "b", "merged": True}
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
                    fill = rgb(cell.fill.fgColor) if cell.fill.fill_type == "solid" else None
                    entry["fmt"] = {
                        "font": [f.name, float(f.sz), bool(f.b), bool(f.i), rgb(f.color)],
                        "border": [LINES[b.left.style], LINES[b.right.style],
                                   LINES[b.top.style], LINES[b.bottom.style]],
                        "h": H[a.horizontal],
                        "v": V[a.vertical],
                        "wrap": bool(a.wrap_text),
                        "fill": fill,
                        "num": cell.number_format,
                    }
                cells["%d,%d" % (cell.row - 1, cell.column - 1)] = entry
        widths = {}
        for letter, dim in ws.column_dimensions.items():
            if dim.customWidth and dim.width:
                first = column_index_from_string(letter)
                for c in range(dim.min or first, (dim.max or first) + 1):
                    widths[str(c - 1)] = dim.width
        heights = {}
        for r, dim in ws.row_dimensions.items():
            if dim.height is not None:
                heights[str(r - 1)] = dim.height
        out["sheets"].append({
            "name": ws.title,
            "rows": ws.max_row,
            "cols": ws.max_column,
            "cells": cells,
            "merges": sorted([m.min_row - 1, m.min_col - 1, m.max_row - 1, m.max_col - 1]
                             for m in ws.merged_cells.ranges),
            "widths": widths,
            "heights": heights,
        })
    json.dump(out, sys.stdout, ensure_ascii=False)


main()
