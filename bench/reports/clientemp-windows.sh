#!/usr/bin/env bash
# Wall times of the franchise-client composite and shop-assistant windows on the scale-50 demo
# database: per window, the median of 5 runs of `morvane run` (open, get data, pivot, TSV to
# /dev/null) and the median of 5 runs of the same statement alone through `morvane query`.
#
#   bench/reports/clientemp-windows.sh [BUILD_DIR]     (default build/ of this checkout)
#
# /tmp/morvane-scale50.db is shared with other benchmarks: created when absent, never removed.
set -euo pipefail

build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
morvane=$build/cli/morvane
db=/tmp/morvane-scale50.db
runs=5
# The busiest retail shop of the demo data serves the assistant windows.
shop=ZY001

[[ -x $morvane ]] || { echo "no $morvane: build the target morvane_tool first" >&2; exit 1; }
if [[ ! -e $db ]]; then
    echo "creating $db (scale 50) ..." >&2
    "$morvane" demo-db --scale 50 "$db" >&2
fi

# Milliseconds of wall time of one command.
millis() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() {
    printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"
}

declare -A settings=(
    [frm_OLAPClientYear]="edit_year=2025"
    [frm_OLAPClientMonth]="edit_year=2025 edit_month=3"
    [frm_OLAPEmpSaleYear]="Com_client=$shop edit_year=2025"
    [frm_OLAPEmpSaleMonth]="Com_client=$shop edit_year=2025 edit_month=3"
)

sqlfile=$(mktemp)
trap 'rm -f "$sqlfile"' EXIT

printf '%-22s %12s %12s %8s\n' window "run (ms)" "query (ms)" rows
for w in frm_OLAPClientYear frm_OLAPClientMonth frm_OLAPEmpSaleYear frm_OLAPEmpSaleMonth; do
    args=(--db "$db")
    for s in ${settings[$w]}; do
        args+=(--set "$s")
    done
    "$morvane" run "$w" "${args[@]}" --sql > "$sqlfile"
    rows=$("$morvane" query --db "$db" - < "$sqlfile" | tail -n +2 | wc -l)
    run_ms=() query_ms=()
    for ((i = 0; i < runs; i++)); do
        run_ms+=("$(millis "$morvane" run "$w" "${args[@]}")")
        query_ms+=("$(millis bash -c '"$1" query --db "$2" - < "$3"' _ "$morvane" "$db" "$sqlfile")")
    done
    printf '%-22s %12s %12s %8s\n' "$w" "$(median "${run_ms[@]}")" "$(median "${query_ms[@]}")" \
        "$rows"
done
