#!/usr/bin/env bash
# Checks that no folder includes a header of a layer above it. The allowed
# directions are those of the layer diagram in architecture.md.
set -u
root=${1:-.}
cd "$root" || exit 2

declare -A allowed=(
  [platform/tsql]="platform/tsql"
  [platform/db]="platform/db platform/tsql"
  [platform/pivot]="platform/pivot platform/db platform/tsql"
  [platform/workbook]="platform/workbook platform/pivot platform/db platform/tsql"
  [platform/ui]="platform/ui platform/workbook platform/pivot platform/db platform/tsql"
  [pickers]="pickers framework/unt_basefrm framework/unt_basefrmTop platform/ui platform/workbook platform/pivot platform/db platform/tsql entry/totalpub1 entry/Analyse_Dm1"
  [framework]="framework pickers platform/ui platform/workbook platform/pivot platform/db platform/tsql entry/totalpub1 entry/Analyse_Dm1"
  [reports]="reports framework pickers platform/ui platform/workbook platform/pivot platform/db platform/tsql entry/totalpub1 entry/Analyse_Dm1"
  [entry]="entry reports framework pickers platform/ui platform/workbook platform/pivot platform/db platform/tsql"
  [demo]="demo platform/tsql"
)

status=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS=: read -r file line text; do
    inc=$(sed -E 's/.*#include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
    case "$inc" in */*) ;; *) continue ;; esac   # same-folder include
    ok=0
    for a in ${allowed[$layer]}; do
      case "$inc" in "$a"/*|"$a".h|"$a") ok=1 ;; esac
    done
    if [ $ok -eq 0 ]; then
      echo "$file:$line: $layer may not include \"$inc\""
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#include[[:space:]]*"' "$layer" --include='*.h' --include='*.cpp' || true)
done
[ $status -eq 0 ] && echo "layering: ok"
exit $status
