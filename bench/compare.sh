#!/usr/bin/env bash
# Runs the import benchmarks of two builds one after the other, alternating,
# on the same generated deliveries, and prints the time and processor time
# of each run, so that a change is compared with its base in one sitting.
#
#   bench/compare.sh BASE_DIR NEW_DIR [ARTICLES] [ROUNDS]
#
# Each directory holds dn4_generate, dn4_import_bench, dn5_generate,
# dn5_import_bench and dn5_prices_bench (a build's bench/*/ binaries copied
# into one folder, or a build directory itself).
set -euo pipefail
base=${1:?usage: bench/compare.sh BASE_DIR NEW_DIR [ARTICLES] [ROUNDS]}
new=${2:?usage: bench/compare.sh BASE_DIR NEW_DIR [ARTICLES] [ROUNDS]}
articles=${3:-200000}
rounds=${4:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tool() {  # DIR NAME: the binary, in the folder or in a build's bench/*/
  local found
  found=$(find "$1" -maxdepth 3 -type f -name "$2" -perm -u+x | head -n 1)
  [ -n "$found" ] || { echo "no $2 in $1" >&2; exit 1; }
  echo "$found"
}

"$(tool "$new" dn4_generate)" "$articles" "$work/DATANORM.001" >/dev/null
"$(tool "$new" dn5_generate)" "$articles" "$work/datanorm5.001" >/dev/null

run() {  # LABEL DIR BENCH ARGS...
  local label=$1 dir=$2 bench=$3
  shift 3
  rm -rf "$work/home"
  mkdir -p "$work/home"
  "$(tool "$dir" "$bench")" "$@" | grep -E "^(time|price maintenance|articles per second|records per second|processor|peak)" |
    sed "s/^/$label $bench: /"
}

for round in $(seq "$rounds"); do
  for side in base new; do
    dir=$base
    [ $side = new ] && dir=$new
    run "$side#$round" "$dir" dn4_import_bench "$work/DATANORM.001" "$work/home"
    run "$side#$round" "$dir" dn5_import_bench "$work/datanorm5.001" "$work/home"
    run "$side#$round" "$dir" dn5_prices_bench "$articles"
  done
done
