#!/bin/sh
# The pivot engine against pandas on the same shapes, in one run.
#
#   bench/pivot/compare-pandas.sh [path/to/bench_pivot] [repetitions]
#
# Runs the fresh cases of bench_pivot at 1,000,000 rows (a result the engine has never seen,
# read from a MemorySource and from a dataset fetched from SQLite; the brief
# 2x1x2 case laid out whole, the wide 3x2x3 case aggregated, laid out and a
# screen read) and pandas_pivot.py (pivot_table(..., aggfunc="sum",
# margins=True) with Debian's python3-pandas), then prints per case: our best
# wall-clock time of the repetitions and the process CPU time of that
# repetition, pandas' time, and how many times faster we are. The machine's
# load is printed before and after: figures taken under load are not
# comparable.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/bench/pivot/bench_pivot}
reps=${2:-3}
python=/usr/bin/python3

if [ ! -x "$bench" ]; then
    echo "compare-pandas: no benchmark binary at $bench (build the bench_pivot target)" >&2
    exit 1
fi
if ! "$python" -c 'import pandas' 2>/dev/null; then
    echo "compare-pandas: $python has no pandas (Debian package python3-pandas)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$bench" --benchmark_filter='^BM_(Brief|Wide)Fresh/[a-z]+/1000000/' --benchmark_repetitions="$reps" \
    --benchmark_format=json >"$work/ours.json" 2>"$work/ours.err" || {
    cat "$work/ours.err" >&2
    exit 1
}
"$python" "$here/pandas_pivot.py" >"$work/pandas.txt"
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

"$python" - "$work/ours.json" "$work/pandas.txt" <<'EOF'
import json
import re
import sys

with open(sys.argv[1]) as f:
    runs = [b for b in json.load(f)["benchmarks"] if b.get("run_type") == "iteration"]
pandas = {}
with open(sys.argv[2]) as f:
    for line in f:
        m = re.match(r"pandas (\w+) .*: ([0-9.]+) ms", line)
        if m:
            pandas[m.group(1)] = float(m.group(2))


def best(prefix):
    mine = [b for b in runs if b["run_name"].startswith(prefix)]
    if not mine:
        return None
    b = min(mine, key=lambda b: b["real_time"])
    return b["real_time"], b["cpu_time"]


print()
print(f"{'case':<40}{'ours ms':>10}{'ours CPU ms':>13}{'pandas ms':>11}{'ratio':>8}")
for case, shape in (("brief", "2x1x2, whole matrix"), ("wide", "3x2x3, screen")):
    for source in ("memory", "dataset"):
        name = f"BM_{case.capitalize()}Fresh/{source}/1000000/"
        got = best(name)
        if got is None:
            continue
        wall, cpu = got
        p = pandas.get(case)
        ratio = f"{p / wall:.1f}x" if p else "-"
        label = f"{case} {shape} ({source})"
        print(f"{label:<40}{wall:>10.0f}{cpu:>13.0f}{(p or 0):>11.0f}{ratio:>8}")
EOF
