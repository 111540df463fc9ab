#!/usr/bin/env bash
# Checks that every folder of src/ includes only headers of its own folder
# and of the folders below it: host, suppliers, common, the format readers,
# the features, the command routes. Prints each include that points up and
# exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/../src"
base="host suppliers common"
formats="formats/dn4 formats/dn5"
declare -A allowed=(
  [host]="host"
  [suppliers]="host suppliers"
  [common]="$base"
  [formats/dn4]="$base formats/dn4"
  [formats/dn5]="$base formats/dn5"
  [features/articles]="$base $formats features/articles"
  [features/prices]="$base $formats features/articles features/prices"
  [features/groups]="$base $formats features/articles features/groups"
  [features/services]="$base $formats features/services"
  [features/graphics]="$base $formats features/graphics"
  [features/setup]="$base features/setup"
  [routes]="$base $formats features/articles features/prices features/groups features/services features/graphics features/setup routes"
)
bad=0
for dir in "${!allowed[@]}"; do
  [ -d "$dir" ] || continue
  while IFS=: read -r file line include; do
    target=$(sed -E 's/^#include "(.*)\/[^/]*"$/\1/' <<<"$include")
    ok=0
    for a in ${allowed[$dir]}; do [ "$target" = "$a" ] && ok=1; done
    if [ $ok = 0 ]; then
      echo "src/$file:$line: $include points up from $dir"
      bad=1
    fi
  done < <(grep -Hn '^#include "[a-z0-9_/]*/[a-z0-9_]*\.h"' "$dir"/*.h "$dir"/*.cpp 2>/dev/null | sed 's/:\(#include\)/:\1/')
done
for dir in */ */*/; do
  dir=${dir%/}
  [ "$dir" = formats ] || [ "$dir" = features ] && continue
  [ -n "${allowed[$dir]+x}" ] || { echo "src/$dir: folder without a place in the layers"; bad=1; }
done
[ $bad = 0 ] && echo "Layers: every include points down."
exit $bad
