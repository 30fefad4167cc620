#!/bin/sh
# The pivot engine against DuckDB on the same rows and shapes, in one run.
#
#   bench/pivot/compare-duckdb.sh [path/to/bench_pivot] [repetitions]
#
# Runs the fresh memory cases of bench_pivot at 1,000,000 and 10,000,000 rows
# (a result the engine has never seen: the brief 2x1x2 case laid out whole,
# the wide 3x2x3 case aggregated, laid out and a screen read), which also
# writes the rows it generates as CSV files, then duckdb_pivot.mjs, which
# loads those files into DuckDB and runs each pivot as one GROUP BY GROUPING
# SETS. Prints per case our best and median wall-clock time of the
# repetitions with the process CPU time of the best, the same for DuckDB, and
# how many times faster we are by each (the CPU ratio is the one that a busy
# machine disturbs least). The machine's load is printed before and after:
# wall-clock figures taken under load are not comparable.
#
# DuckDB comes from the npm registry (the @duckdb/node-api package, for the
# Node.js that Debian ships); the script installs it on first use into
# $MORVANE_BENCH_CACHE/duckdb (default ~/.cache/morvane-bench/duckdb). Nothing
# else installs it: neither the build, nor the tests, nor scripts/bootstrap.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/bench/pivot/bench_pivot}
reps=${2:-3}
cache=${MORVANE_BENCH_CACHE:-$HOME/.cache/morvane-bench}/duckdb
package=@duckdb/node-api@1.5.6-r.1

if [ ! -x "$bench" ]; then
    echo "compare-duckdb: no benchmark binary at $bench (build the bench_pivot target)" >&2
    exit 1
fi
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "compare-duckdb: needs node and npm (Debian packages nodejs and npm)" >&2
    exit 1
fi
if [ ! -f "$cache/node_modules/@duckdb/node-api/package.json" ]; then
    echo "compare-duckdb: installing $package into $cache"
    mkdir -p "$cache"
    npm install --prefix "$cache" --no-audit --no-fund --loglevel=error "$package" >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$bench" --rows_csv="$work" --benchmark_filter='^BM_(Brief|Wide)Fresh/memory/' \
    --benchmark_repetitions="$reps" --benchmark_format=json >"$work/ours.json" \
    2>"$work/ours.err" || {
    cat "$work/ours.err" >&2
    exit 1
}
echo "load between: $(cut -d' ' -f1-3 /proc/loadavg)"
node "$here/duckdb_pivot.mjs" "$cache" "$work" "$reps" >"$work/duckdb.txt"
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
head -1 "$work/duckdb.txt"

/usr/bin/python3 - "$work/ours.json" "$work/duckdb.txt" <<'PY'
import json
import re
import statistics
import sys

with open(sys.argv[1]) as f:
    runs = [b for b in json.load(f)["benchmarks"] if b.get("run_type") == "iteration"]
duck = {}
with open(sys.argv[2]) as f:
    for line in f:
        m = re.match(r"duckdb (\w+) (\d+): ([0-9.]+) ms, median ([0-9.]+) ms, CPU ([0-9.]+) ms,"
                     r" (\d+) groups", line)
        if m:
            duck[(m.group(1), int(m.group(2)))] = (float(m.group(3)), float(m.group(4)),
                                                  float(m.group(5)), int(m.group(6)))

print()
print(f"{'case':<28}{'rows':>11}{'ours best/median ms':>21}{'CPU ms':>8}"
      f"{'duckdb best/median ms':>23}{'CPU ms':>8}{'groups':>12}{'ratio':>7}{'median':>8}"
      f"{'CPU':>7}")
for shape, label in (("brief", "brief 2x1x2, whole matrix"), ("wide", "wide 3x2x3, screen")):
    for rows in (1_000_000, 10_000_000):
        mine = [b for b in runs
                if b["run_name"].startswith(f"BM_{shape.capitalize()}Fresh/memory/{rows}/")]
        if not mine or (shape, rows) not in duck:
            continue
        best = min(mine, key=lambda b: b["real_time"])
        wall, cpu = best["real_time"], best["cpu_time"]
        median = statistics.median(b["real_time"] for b in mine)
        d, dmedian, dcpu, groups = duck[(shape, rows)]
        print(f"{label:<28}{rows:>11,}{wall:>12.0f} /{median:>6.0f}{cpu:>8.0f}"
              f"{d:>14.0f} /{dmedian:>6.0f}{dcpu:>8.0f}{groups:>12,}{d / wall:>6.1f}x"
              f"{dmedian / median:>7.1f}x{dcpu / cpu:>6.1f}x")
PY
