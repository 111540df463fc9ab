#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite.
# With SANITIZE=1 the build uses AddressSanitizer and UndefinedBehaviorSanitizer
# (in its own build directory, without the desktop program).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if [ "${SANITIZE:-0}" = "1" ]; then
  dir=build-sanitize
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDATANORM_SANITIZE=ON -DDATANORM_BUILD_GUI=OFF -DDATANORM_BUILD_BENCH=OFF
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir=build
  cmake -S . -B "$dir" -G Ninja
fi
cmake --build "$dir" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
