#!/usr/bin/env bash
# Checks that every C++ source of the repository is formatted with the
# committed .clang-format; lists the files that are not.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
  echo "Not formatted (clang-format -i FILE):" >&2
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "  $f" >&2
  done
  exit 1
fi
echo "Format check: ${#files[@]} files formatted."
