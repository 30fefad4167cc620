"""Prints an .xls workbook as JSON, read by xlrd (an independent reader).

Usage: dump_xls.py FILE [--formats] [--cells R,C;R,C...]
With --cells, only those cells are listed (large sheets).
"""
import json
import sys

import xlrd


def main():
    path = sys.argv[1]
    formats = "--formats" in sys.argv
    only = None
    if "--cells" in sys.argv:
        only = set(sys.argv[sys.argv.index("--cells") + 1].split(";"))
    # Merged ranges and column widths are only read with the formatting.
    book = xlrd.open_workbook(path, formatting_info=True)
    out = {"sheets": []}
    for sh in book.sheets():
        cells = {}
        for r in range(sh.nrows):
            for c in range(sh.ncols):
                if only is not None and "%d,%d" % (r, c) not in only:
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
                    colour = book.colour_map.get(font.colour_index)
                    b = xf.border
                    fill = None
                    if xf.background.fill_pattern == 1:
                        fill = book.colour_map.get(xf.background.pattern_colour_index)
                    entry["fmt"] = {
                        "font": [font.name, font.height / 20, bool(font.bold),
                                 bool(font.italic), colour],
                        "border": [b.left_line_style, b.right_line_style,
                                   b.top_line_style, b.bottom_line_style],
                        "h": xf.alignment.hor_align,
                        "v": xf.alignment.vert_align,
                        "wrap": bool(xf.alignment.text_wrapped),
                        "fill": fill,
                        "num": book.format_map[xf.format_key].format_str,
                    }
                cells["%d,%d" % (r, c)] = entry
        widths = {}
        for c, info in sh.colinfo_map.items():
            widths[str(c)] = info.width / 256
        heights = {}
        for r, info in sh.rowinfo_map.items():
            if info.height_mismatch:
                heights[str(r)] = info.height / 20
        out["sheets"].append({
            "name": sh.name,
            "rows": sh.nrows,
            "cols": sh.ncols,
            "cells": cells,
            "merges": sorted([r1, c1, r2 - 1, c2 - 1] for r1, r2, c1, c2 in sh.merged_cells),
            "widths": widths,
            "heights": heights,
        })
    json.dump(out, sys.stdout, ensure_ascii=False)


main()
