#!/usr/bin/env bash
# Wall times of report windows on a demo database: for each case, the median of N runs of
# `morvane run` (open the window, set its controls, get data, lay out the pivot, write the
# result to /dev/null) beside the median of N runs of the same statement alone through
# `morvane query`, and the result's row count.
#
#   bench/reports/window-times.sh CASES [BUILD_DIR]
#
# CASES is a file of lines "LABEL WINDOW [morvane run options...]" ('#' starts a comment), for
# example
#   sale-march  frm_OLAPSaleMonth --set edit_year=2025 --set edit_month=3
# Environment: DB (default /tmp/morvane-scale50.db, created at scale 50 when absent; the runs
# write usage-log rows into it), RUNS (default 5).
set -euo pipefail

cases=${1:?usage: window-times.sh CASES [BUILD_DIR]}
build=${2:-$(cd "$(dirname "$0")/../.." && pwd)/build}
morvane=$build/cli/morvane
db=${DB:-/tmp/morvane-scale50.db}
runs=${RUNS:-5}

[[ -x $morvane ]] || { echo "no $morvane: build the target morvane_tool first" >&2; exit 1; }
if [[ ! -e $db ]]; then
    echo "creating $db (scale 50) ..." >&2
    "$morvane" demo-db --scale 50 "$db" >&2
fi

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

sqlfile=$(mktemp)
trap 'rm -f "$sqlfile"' EXIT

printf '%-28s %-26s %10s %10s %8s\n' case window "run (s)" "query (s)" rows
while read -r label window rest; do
    [[ -z ${label:-} || $label == \#* ]] && continue
    read -r -a options <<< "${rest:-}"
    args=(--db "$db" "${options[@]}")
    "$morvane" run "$window" "${args[@]}" --sql > "$sqlfile"
    rows=$("$morvane" query --db "$db" - < "$sqlfile" | tail -n +2 | wc -l)
    run_times=() query_times=()
    for ((i = 0; i < runs; i++)); do
        run_times+=("$(seconds "$morvane" run "$window" "${args[@]}")")
        query_times+=("$(seconds bash -c '"$1" query --db "$2" - < "$3"' _ "$morvane" "$db" "$sqlfile")")
    done
    printf '%-28s %-26s %10s %10s %8s\n' "$label" "$window" "$(median "${run_times[@]}")" \
        "$(median "${query_times[@]}")" "$rows"
done < "$cases"
