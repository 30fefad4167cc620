#!/usr/bin/env python3
"""The pivots of bench_pivot laid out by pandas, for comparison.

Same shapes as bench_pivot (1,000,000 rows; "brief": rows 品牌/货号, columns
日, data 数量 and 金额; "wide": rows 品牌/货号/颜色, columns 店铺/类型, data
数量, 金额 and 吊牌额), built with pivot_table(..., aggfunc="sum",
margins=True), which like the engine gives totals. Prints milliseconds per
layout; compare-pandas.sh runs it beside bench_pivot and prints the ratios.
Needs python3-pandas (Debian).
"""
import sys
import time

import numpy as np
import pandas as pd

ROWS = 1_000_000


def make_rows(wide: bool) -> pd.DataFrame:
    rng = np.random.default_rng(20260101)
    g = rng.integers(0, 3000, ROWS)
    qty = rng.integers(-5, 45, ROWS).astype("float64")
    qty[rng.integers(0, 20, ROWS) == 0] = np.nan
    return pd.DataFrame({
        "品牌": np.array([f"品牌{i}" for i in range(20)])[g % 20],
        "货号": np.array([f"G{i:05d}" for i in range(3000)])[g],
        "颜色": np.array([f"色{i}" for i in range(8)])[rng.integers(0, 8, ROWS)],
        "店铺": np.array([f"店{i:03d}" for i in range(300)])[rng.integers(0, 300 if wide else 1, ROWS)],
        "类型": np.array(["1进", "2销", "3退", "4存"])[rng.integers(0, 4, ROWS)],
        "日": rng.integers(1, 32, ROWS),
        "数量": qty,
        "金额": rng.integers(0, 100000, ROWS) / 100.0,
        "吊牌额": rng.integers(0, 50000, ROWS) / 10.0,
    })


def best_of(n, f):
    times = []
    for _ in range(n):
        t = time.perf_counter()
        f()
        times.append((time.perf_counter() - t) * 1000)
    return min(times)


def main() -> int:
    brief = make_rows(False)
    ms = best_of(3, lambda: pd.pivot_table(brief, index=["品牌", "货号"], columns=["日"],
                                           values=["数量", "金额"], aggfunc="sum", margins=True))
    print(f"pandas brief pivot_table(margins=True): {ms:.0f} ms")
    wide = make_rows(True)
    ms = best_of(1, lambda: pd.pivot_table(wide, index=["品牌", "货号", "颜色"], columns=["店铺", "类型"],
                                           values=["数量", "金额", "吊牌额"], aggfunc="sum", margins=True))
    print(f"pandas wide pivot_table(margins=True): {ms:.0f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
