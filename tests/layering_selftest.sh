#!/usr/bin/env bash
# The layering check must reject a tree in which a lower folder includes a higher one, and
# one family includes another, and accept the same tree without those includes.
set -u
check=$(dirname "$0")/layering.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{platform/db,session,forms,framework,reports/alpha,reports/beta,entry}
echo '#include "platform/db/Db.h"' >"$tree/session/Session.cpp"
echo '#include "session/Session.h"' >"$tree/framework/Base.cpp"
echo '#include "framework/Base.h"' >"$tree/reports/alpha/unt_A.cpp"
echo '#include "reports/alpha/unt_A.h"' >"$tree/entry/Table.cpp"
"$check" "$tree" >/dev/null || { echo "a layered tree was refused"; exit 1; }

echo '#include "framework/Base.h"' >"$tree/session/Up.cpp"
echo '#include "reports/alpha/unt_A.h"' >"$tree/reports/beta/unt_B.cpp"
out=$("$check" "$tree")
[ $? -ne 0 ] || { echo "an upward include passed"; exit 1; }
grep -q 'session/Up.cpp:1: session may not include "framework/Base.h"' <<<"$out" ||
  { echo "the upward include was not named: $out"; exit 1; }
grep -q 'reports/beta/unt_B.cpp:1: reports/beta may not include "reports/alpha/unt_A.h"' \
  <<<"$out" || { echo "the sideways include was not named: $out"; exit 1; }
echo "layering check: catches upward and sideways includes"
