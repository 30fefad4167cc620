#!/usr/bin/env bash
# Where the get data of frm_ShopGoodsTotal spends its time: for each case, the median over N
# runs of `morvane run` of the whole run and of the window's four steps as it logs them
# (category morvane.shopgoods): the statement (size list and report statement), the hidden
# pivot's layout, the workbook (export to the working file, headers, totals, shares, ratios,
# paste) and the load of the working file into the sheet; each step's share of the get data;
# and the CPU time (user + system) of the whole run, which tells what the wall time owes to
# other programs on the machine.
#
#   bench/reports/shopgoods-steps.sh [CASES] [BUILD_DIR]
#
# CASES defaults to bench/reports/shopgoods.cases. Environment: DB (default
# /tmp/morvane-scale50.db, created at scale 50 when absent), RUNS (default 3).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cases=${1:-$here/shopgoods.cases}
build=${2:-$here/../../build}
morvane=$build/cli/morvane
db=${DB:-/tmp/morvane-scale50.db}
runs=${RUNS:-3}

[[ -x $morvane ]] || { echo "no $morvane: build the target morvane_tool first" >&2; exit 1; }
if [[ ! -e $db ]]; then
    echo "creating $db (scale 50) ..." >&2
    "$morvane" demo-db --scale 50 "$db" >&2
fi

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

log=$(mktemp)
trap 'rm -f "$log" "$log.cpu"' EXIT
echo "each step: wall ms (share of the get data's wall time) / cpu ms"
printf '%-10s %8s %8s %6s | %24s %24s %24s %24s\n' case "run ms" "cpu ms" rows statement pivot workbook view
while read -r label window rest; do
    [[ -z ${label:-} || $label == \#* ]] && continue
    read -r -a options <<< "${rest:-}"
    walls=() cpus=() st=() pv=() wb=() vw=() cst=() cpv=() cwb=() cvw=() rows=0
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        QT_LOGGING_RULES="morvane.shopgoods.info=true" /usr/bin/time -f "cpu %U %S" -a -o "$log.cpu" \
            "$morvane" run "$window" --db "$db" "${options[@]}" < /dev/null > /dev/null 2> "$log"
        end=$(date +%s%N)
        walls+=($(( (end - start) / 1000000 )))
        cpus+=("$(awk '/^cpu/ { t = ($2 + $3) * 1000 } END { printf "%d", t }' "$log.cpu")")
        rm -f "$log.cpu"
        read -r s p w v r cs cp cw cv < <(sed -nE 's/.*get data ms: statement ([0-9]+) pivot ([0-9]+) workbook ([0-9]+) view ([0-9]+) rows ([0-9]+); cpu ms: statement ([0-9]+) pivot ([0-9]+) workbook ([0-9]+) view ([0-9]+).*/\1 \2 \3 \4 \5 \6 \7 \8 \9/p' "$log")
        st+=("$s") pv+=("$p") wb+=("$w") vw+=("$v") rows=$r
        cst+=("$cs") cpv+=("$cp") cwb+=("$cw") cvw+=("$cv")
    done
    s=$(median "${st[@]}") p=$(median "${pv[@]}") w=$(median "${wb[@]}") v=$(median "${vw[@]}")
    total=$((s + p + w + v))
    share() { printf '%7d (%4.1f%%) / %6d' "$1" "$(echo "scale=3; 100 * $1 / $total" | bc)" "$2"; }
    printf '%-10s %8s %8s %6s | %24s %24s %24s %24s\n' "$label" "$(median "${walls[@]}")" \
        "$(median "${cpus[@]}")" "$rows" \
        "$(share "$s" "$(median "${cst[@]}")")" "$(share "$p" "$(median "${cpv[@]}")")" \
        "$(share "$w" "$(median "${cwb[@]}")")" "$(share "$v" "$(median "${cvw[@]}")")"
done < "$cases"
