#!/usr/bin/env bash
# Writes the same 1,000,000 cells (half numbers, half Chinese texts) with our
# .xlsx writer and with python3-xlsxwriter, in one run, and prints the
# elapsed time, processor time (user + system) and peak resident memory of
# each (GNU time). On a machine shared with other builds, compare the
# processor times.
# Usage: bench/workbook/compare-xlsx.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
bench="$build/bench/workbook/bench_workbook"
[ -x "$bench" ] || { echo "build bench_workbook first ($bench)" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

measure() {
  local label=$1; shift
  /usr/bin/time -v -o "$out/time" "$@" > /dev/null
  local elapsed rss cpu
  elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$out/time")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$out/time")
  cpu=$(awk -F': ' '/User time|System time/ {t += $2} END {printf "%.2f", t}' "$out/time")
  printf '%-28s %10s elapsed %8s s cpu %6d MB peak RSS\n' "$label" "$elapsed" "$cpu" $((rss / 1024))
}

measure "morvane (libxlsxwriter)" "$bench" --write-xlsx "$out/ours.xlsx"
measure "python3-xlsxwriter" /usr/bin/python3 "$here/xlsx_python.py" "$out/python.xlsx"
measure "morvane .xls 65,536 x 10" "$bench" --write-xls "$out/ours.xls"
ls -l "$out"/*.xls* | awk '{printf "%-40s %8.1f MB\n", $NF, $5 / 1048576}' | sed "s|$out/||"
