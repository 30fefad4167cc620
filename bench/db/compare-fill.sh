#!/bin/sh
# The dataset fill against a bare SQLite step loop over the same statement, in one run.
#
#   bench/db/compare-fill.sh [path/to/bench_db] [repetitions]
#
# Runs bench_db (a 1,000,000-row x 10-column result: the bare sqlite3_step loop that reads
# every column, the columnar fill, and TRemoteUdpDataSet::Open) and prints the least time of
# the repetitions of each with its ratio to the bare loop on a connection of the same kind.
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
import sys

with open(sys.argv[1]) as f:
    runs = [b for b in json.load(f)["benchmarks"] if b.get("run_type") == "iteration"]


def least(prefix):
    times = [b["real_time"] for b in runs if b["run_name"].startswith(prefix)]
    return min(times) if times else None


print()
print(f"{'case':<44}{'least ms':>10}{'vs bare loop':>14}")
for flag, label in ((32768, "no mutex"), (65536, "serialized")):
    bare = least(f"BM_BareStepLoop/{flag}/")
    fill = least(f"BM_ColumnarFill/{flag}/")
    if bare is None or fill is None:
        continue
    print(f"{'bare step loop (' + label + ')':<44}{bare:>10.0f}{'1.00x':>14}")
    print(f"{'columnar fill (' + label + ')':<44}{fill:>10.0f}{fill / bare:>13.2f}x")
bare = least("BM_BareStepLoop/32768/")
opened = least("BM_DataSetOpen/")
if bare is not None and opened is not None:
    print(f"{'TRemoteUdpDataSet::Open (no mutex)':<44}{opened:>10.0f}{opened / bare:>13.2f}x")
PY
