#!/usr/bin/env bash
# Installs what is needed, builds the program and runs the main job: a fresh
# TORVALO home, a DATANORM 4 supplier, and the import of the bundled sample
# delivery into the embedded store.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)" --target datanorm
home="${TORVALO_HOME:-$PWD/build/demo-home}"
dn() { ./build/datanorm --home "$home" "$@"; }
dn supplier edit 1 --name "Beispiel GmbH" --version 4
dn current 1
dn commands
# The bundled DATANORM 4 delivery (20 articles with B, D and T records).
dn --yes run 33 --file examples/datanorm4/DATANORM.001
echo "Some of the imported articles:"
dn articles --format csv > "$home/articles.csv"
head -n 6 "$home/articles.csv"
