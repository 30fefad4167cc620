#!/bin/sh
# The dataset fill against a bare SQLite step loop over the same statement, in one run.
#
#   bench/db/compare-fill.sh [path/to/bench_db] [repetitions]
#
# Runs bench_db (a 1,000,000-row x 10-column result: the bare sqlite3_step loop that reads
# every column, the columnar fill, and TRemoteUdpDataSet::Open) and prints the least and the
# median time of the repetitions of each with its ratios to the bare loop on a connection of
# the same kind.
# The machine's load is printed before and after: figures taken under load are not
# comparable.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
bench=${1:-$here/../../build/bench/db/bench_db}
reps=${2:-5}

if [ ! -x "$bench" ]; then
    echo "compare-fill: no benchmark binary at $bench (build the bench_db target)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$bench" --benchmark_repetitions="$reps" --benchmark_format=json >"$work/fill.json" \
    2>"$work/fill.err" || {
    cat "$work/fill.err" >&2
    exit 1
}
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

/usr/bin/python3 - "$work/fill.json" <<'PY'
import json
import statistics
import sys

with open(sys.argv[1]) as f:
    runs = [b for b in json.load(f)["benchmarks"] if b.get("run_type") == "iteration"]


def times(prefix):
    found = [b["real_time"] for b in runs if b["run_name"].startswith(prefix)]
    return (min(found), statistics.median(found)) if found else None


def show(label, case, bare):
    print(f"{label:<40}{case[0]:>8.0f}{case[1]:>8.0f}"
          f"{case[0] / bare[0]:>11.2f}x{case[1] / bare[1]:>9.2f}x")


print()
print(f"{'case':<40}{'least':>8}{'median':>8}{'vs bare loop, least / median':>30}")
for flag, label in ((32768, "no mutex"), (65536, "serialized")):
    bare = times(f"BM_BareStepLoop/{flag}/")
    fill = times(f"BM_ColumnarFill/{flag}/")
    if bare is None or fill is None:
        continue
    show(f"bare step loop ({label})", bare, bare)
    show(f"columnar fill ({label})", fill, bare)
bare = times("BM_BareStepLoop/32768/")
opened = times("BM_DataSetOpen/")
if bare is not None and opened is not None:
    show("TRemoteUdpDataSet::Open (no mutex)", opened, bare)
PY
