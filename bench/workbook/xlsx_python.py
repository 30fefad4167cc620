"""Writes the same million cells as bench_workbook --write-xlsx with
python3-xlsxwriter in constant-memory mode (the reference figure)."""
import sys

import xlsxwriter

WORDS = ["红色", "藏青", "米白", "卡其", "深灰", "酒红", "墨绿"]
ROWS, COLUMNS = 100000, 10

book = xlsxwriter.Workbook(sys.argv[1], {"constant_memory": True})
sheet = book.add_worksheet("数据")
for r in range(ROWS):
    for c in range(COLUMNS):
        if c % 2 == 0:
            sheet.write_number(r, c, 0 if r % 11 == 0 else r * 0.5 + c)
        else:
            sheet.write_string(r, c, "货品%d%s款" % ((r * 7 + c) % 5000, WORDS[(r + c) % 7]))
book.close()
