#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs one of them, or each of them, on a
# copy of its seed corpus.
#
#   scripts/fuzz.sh TARGET SECONDS    e.g. scripts/fuzz.sh fuzz_codepage 600
#   scripts/fuzz.sh all SECONDS       every target in turn
#
# FUZZ_BUILD_DIR: the build directory (default build-fuzz); FUZZ_CXX: the
# compiler (default clang++). Findings are written as crash-*, leak-* and
# timeout-* files into fuzz-findings/ of the repository; the script exits 1
# when a target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET|all SECONDS}
seconds=${2:-60}
dir=${FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDATANORM_FUZZ=ON \
  -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" >/dev/null
if [ "$target" = all ]; then
  targets=$(sed -n 's/^datanorm_fuzz(\(fuzz_[a-z0-9_]*\).*/\1/p' fuzz/CMakeLists.txt)
  cmake --build "$dir" -j "$(nproc)" --target fuzz_all
else
  targets=$target
  cmake --build "$dir" -j "$(nproc)" --target "$target"
fi
# The targets write their input to a file for the readers that take a path.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=${TMPDIR:-/dev/shm}
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p fuzz-findings
status=0
for t in $targets; do
  seeds=fuzz/corpus/${t#fuzz_}
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $t, $seconds s"
  if ! "$dir/fuzz/$t" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=1024 \
       -artifact_prefix=fuzz-findings/"$t"- -print_final_stats=1 "$work" 2>"$work.log"; then
    status=1
    echo "$t: Fund, siehe fuzz-findings/ und $work.log"
    grep -E "ERROR|SUMMARY|#0 |#1 |#2 |#3 " "$work.log" | head -n 20 || true
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb|cov: " "$work.log" | tail -n 3 || true
  rm -rf "$work"
done
exit $status
