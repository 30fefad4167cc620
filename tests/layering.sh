#!/usr/bin/env bash
# Checks that no folder includes a header of a layer above it or beside it. Every folder is a
# layer; a layer may include from itself and from the layers listed for it, which are those
# below it in the layer diagram of architecture.md. Only whole folders are named here.
set -u
root=${1:-.}
cd "$root" || exit 2

platform="platform/tsql platform/db platform/pivot platform/workbook platform/ui"
below_session="session $platform"
below_framework="framework pickers forms $below_session"
families=$(find reports -mindepth 1 -maxdepth 1 -type d 2>/dev/null | sort | tr '\n' ' ')
declare -A allowed=(
  [platform/tsql]="platform/tsql"
  [platform/db]="platform/db platform/tsql"
  [platform/pivot]="platform/pivot platform/db platform/tsql"
  [platform/workbook]="platform/workbook platform/pivot platform/db platform/tsql"
  [platform/ui]="$platform"
  [session]="$below_session"
  [forms]="forms $below_session"
  [pickers]="pickers forms $below_session"
  [framework]="$below_framework"
  [entry]="entry $families $below_framework"
  [demo]="demo entry platform/tsql"
  [hostkit]="hostkit entry $platform"
  [host]="host hostkit entry $platform"
  [cli]="cli hostkit demo entry $platform"
)
# A report family may use its own folder and everything below the families, never another
# family.
for family in $families; do
  allowed[$family]="$family $below_framework"
done

status=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS=: read -r file line text; do
    inc=$(sed -E 's/.*#include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
    case "$inc" in */*) ;; *) continue ;; esac   # same-folder include
    dir=${inc%/*}
    ok=0
    for a in ${allowed[$layer]}; do
      [ "$dir" = "$a" ] && ok=1
    done
    if [ $ok -eq 0 ]; then
      echo "$file:$line: $layer may not include \"$inc\""
      status=1
    fi
  done < <(find "$layer" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
           xargs -0 -r grep -nE '^[[:space:]]*#include[[:space:]]*"' /dev/null || true)
done
# A folder of sources that no layer names would go unchecked.
while read -r dir; do
  [ -n "${allowed[$dir]+x}" ] && continue
  echo "$dir: a folder of sources in no layer"
  status=1
done < <(find . -path ./build -prune -o -path ./tests -prune -o -path ./bench -prune -o \
           -path './build-*' -prune -o -path ./.git -prune -o \
           -type f \( -name '*.cpp' -o -name '*.h' \) -printf '%h\n' | sed 's|^\./||' | sort -u)
[ $status -eq 0 ] && echo "layering: ok"
exit $status
