#!/usr/bin/env bash
# Wall times of the ten period report windows on the scale-50 demo database: for each window,
# the median of 5 runs of `morvane run` (open the window, get data, lay out the pivot, write it
# as TSV) and the median of 5 runs of its statement alone through `morvane query`.
#
#   bench/reports/period-windows.sh [BUILD_DIR]     (default build/ of this checkout)
#
# The database /tmp/morvane-scale50.db is shared with other benchmarks: it is created when
# absent and never removed.
set -euo pipefail

build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
morvane=$build/cli/morvane
db=/tmp/morvane-scale50.db
year=2025
month=3
runs=5

[[ -x $morvane ]] || { echo "no $morvane: build the target morvane_tool first" >&2; exit 1; }
if [[ ! -e $db ]]; then
    echo "creating $db (scale 50) ..." >&2
    "$morvane" demo-db --scale 50 "$db" >&2
fi

# Seconds of one command, to the millisecond.
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    printf '%.3f' "$(echo "scale=3; ($end - $start) / 1000000000" | bc)"
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

windows=(frm_OLAPSaleMonth frm_OLAPRetailMonth frm_OLAPRecevingMonth frm_OLAPPaymentMonth
         frm_OLAPPaymentsMonth frm_OLAPSaleYear frm_OLAPRetailYear frm_OLAPRecevingYear
         frm_OLAPPaymentYear frm_OLAPPaymentsYear)

sqlfile=$(mktemp)
trap 'rm -f "$sqlfile"' EXIT

printf '%-24s %10s %10s %8s\n' window "run (s)" "query (s)" rows
for w in "${windows[@]}"; do
    args=(--db "$db" --set "edit_year=$year")
    [[ $w == *Month ]] && args+=(--set "edit_month=$month")
    "$morvane" run "$w" "${args[@]}" --sql > "$sqlfile"
    rows=$("$morvane" query --db "$db" - < "$sqlfile" | tail -n +2 | wc -l)
    run_times=() query_times=()
    for ((i = 0; i < runs; i++)); do
        run_times+=("$(seconds "$morvane" run "$w" "${args[@]}")")
        query_times+=("$(seconds bash -c '"$1" query --db "$2" - < "$3"' _ "$morvane" "$db" "$sqlfile")")
    done
    printf '%-24s %10s %10s %8s\n' "$w" "$(median "${run_times[@]}")" \
        "$(median "${query_times[@]}")" "$rows"
done
