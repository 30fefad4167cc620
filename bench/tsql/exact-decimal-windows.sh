#!/usr/bin/env bash
# Cost of exact decimal money on the fourteen period windows (the ten sale, retail, receipt and
# payment windows by day and by month, and the four client and shop-assistant windows) on the
# scale-50 demo database: two builds of `morvane` in one run, before and after, alternating run
# by run. Per window: the median of RUNS runs of `morvane run` (open the window, get data, lay
# out the pivot, write it as TSV) with each build, the median of RUNS runs of its statement alone
# through `morvane query`, and how the two window outputs differ: cells that differ only by
# binary noise (relative difference below 1e-9) and any other cell.
#
#   bench/tsql/exact-decimal-windows.sh BEFORE_BUILD [AFTER_BUILD]    (RUNS=5 by default)
#
# BEFORE_BUILD is a build folder of the earlier commit with the targets morvane_tool and morvane
# built (for example `git archive <commit> | tar -x -C /tmp/before` and a build there);
# AFTER_BUILD defaults to build/ of this checkout. The database is $DB, by default
# /tmp/morvane-scale50.db (shared with the other benchmarks): created when absent, never removed;
# the windows add their usage-log rows to it.
set -euo pipefail
unset MORVANE_PLUGIN  # each build loads the plug-in it built

[[ $# -ge 1 ]] || { echo "usage: $0 BEFORE_BUILD [AFTER_BUILD]" >&2; exit 1; }
before=$1/cli/morvane
after=${2:-$(cd "$(dirname "$0")/../.." && pwd)/build}/cli/morvane
db=${DB:-/tmp/morvane-scale50.db}
runs=${RUNS:-5}
shop=ZY001

for m in "$before" "$after"; do
    [[ -x $m ]] || { echo "no $m: build the targets morvane_tool and morvane" >&2; exit 1; }
done
if [[ ! -e $db ]]; then
    echo "creating $db (scale 50) ..." >&2
    "$after" demo-db --scale 50 "$db" >&2
fi

declare -A settings=(
    [frm_OLAPSaleMonth]="edit_year=2025 edit_month=3"
    [frm_OLAPRetailMonth]="edit_year=2025 edit_month=3"
    [frm_OLAPRecevingMonth]="edit_year=2025 edit_month=3"
    [frm_OLAPPaymentMonth]="edit_year=2025 edit_month=3"
    [frm_OLAPPaymentsMonth]="edit_year=2025 edit_month=3"
    [frm_OLAPSaleYear]="edit_year=2025"
    [frm_OLAPRetailYear]="edit_year=2025"
    [frm_OLAPRecevingYear]="edit_year=2025"
    [frm_OLAPPaymentYear]="edit_year=2025"
    [frm_OLAPPaymentsYear]="edit_year=2025"
    [frm_OLAPClientMonth]="edit_year=2025 edit_month=3"
    [frm_OLAPClientYear]="edit_year=2025"
    [frm_OLAPEmpSaleMonth]="Com_client=$shop edit_year=2025 edit_month=3"
    [frm_OLAPEmpSaleYear]="Com_client=$shop edit_year=2025"
)
windows=(frm_OLAPSaleMonth frm_OLAPRetailMonth frm_OLAPRecevingMonth frm_OLAPPaymentMonth
         frm_OLAPPaymentsMonth frm_OLAPSaleYear frm_OLAPRetailYear frm_OLAPRecevingYear
         frm_OLAPPaymentYear frm_OLAPPaymentsYear frm_OLAPClientMonth frm_OLAPClientYear
         frm_OLAPEmpSaleMonth frm_OLAPEmpSaleYear)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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

# "noise other" cell counts between two TSV files of the same shape.
differences() {
    paste -d '\n' "$1" "$2" | awk -F '\t' '
        NR % 2 == 1 { n = split($0, a, "\t"); next }
        {
            m = split($0, b, "\t")
            for (i = 1; i <= (n > m ? n : m); i++) {
                if (a[i] == b[i]) continue
                x = a[i] + 0; y = b[i] + 0; d = x - y; if (d < 0) d = -d
                s = x < 0 ? -x : x; if (s < 1) s = 1
                if (a[i] ~ /^-?[0-9.e+-]+$/ && b[i] ~ /^-?[0-9.e+-]+$/ && d <= 1e-9 * s) noise++
                else other++
            }
        }
        END { printf "%d %d\n", noise, other }'
}

printf '%-22s %9s %9s %7s %9s %9s %7s %6s %6s %6s\n' window "run old" "run new" change \
    "query old" "query new" change rows noise other
percent() { echo "scale=1; 100 * ($2 - $1) / $1" | bc; }
totals=(0 0 0 0)
for w in "${windows[@]}"; do
    args=(--db "$db")
    for s in ${settings[$w]}; do
        args+=(--set "$s")
    done
    "$before" run "$w" "${args[@]}" > "$work/before.tsv"
    "$after" run "$w" "${args[@]}" > "$work/after.tsv"
    "$after" run "$w" "${args[@]}" --sql > "$work/statement.sql"
    rows=$(($(wc -l < "$work/after.tsv") - 1))
    read -r noise other < <(differences "$work/before.tsv" "$work/after.tsv")
    rb=() ra=() qb=() qa=()
    for ((i = 0; i < runs; i++)); do
        rb+=("$(millis "$before" run "$w" "${args[@]}")")
        ra+=("$(millis "$after" run "$w" "${args[@]}")")
        qb+=("$(millis bash -c '"$1" query --db "$2" - < "$3"' _ "$before" "$db" "$work/statement.sql")")
        qa+=("$(millis bash -c '"$1" query --db "$2" - < "$3"' _ "$after" "$db" "$work/statement.sql")")
    done
    m=("$(median "${rb[@]}")" "$(median "${ra[@]}")" "$(median "${qb[@]}")" "$(median "${qa[@]}")")
    for k in 0 1 2 3; do
        totals[k]=$((totals[k] + m[k]))
    done
    printf '%-22s %9s %9s %6s%% %9s %9s %6s%% %6s %6s %6s\n' "$w" "${m[0]}" "${m[1]}" \
        "$(percent "${m[0]}" "${m[1]}")" "${m[2]}" "${m[3]}" "$(percent "${m[2]}" "${m[3]}")" \
        "$rows" "$noise" "$other"
done
printf '%-22s %9s %9s %6s%% %9s %9s %6s%%\n' "all fourteen (ms)" "${totals[0]}" "${totals[1]}" \
    "$(percent "${totals[0]}" "${totals[1]}")" "${totals[2]}" "${totals[3]}" \
    "$(percent "${totals[2]}" "${totals[3]}")"
