#!/usr/bin/env bash
# The screenshot tour on the offscreen platform: every picture is written
# and is a PNG image of the screen's size.
#   tests/gui/screenshots_test.sh DATANORM_GUI
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d "${TMPDIR:-/tmp}/screenshots-test.XXXXXX")
trap 'rm -rf "$out"' EXIT
expected=(main-window menu-articles supplier-dialog supplier-change article-import-options
  article-import-file-choice article-import-progress change-log discount-groups-marked
  product-groups-marked drive-dialog parameters-dialog info-page)

QT_QPA_PLATFORM=offscreen DATANORM_GUI=$1 SCREEN=1024x768 bash "$root/scripts/screenshots.sh" "$out"
status=$?
failures=0
[ "$status" -eq 0 ] || { echo "FEHLER: scripts/screenshots.sh endete mit $status"; failures=1; }
for name in "${expected[@]}"; do
  file=$out/$name.png
  if [ ! -s "$file" ]; then
    echo "FEHLER: $name.png fehlt"
    failures=$((failures + 1))
    continue
  fi
  # The PNG signature, then the IHDR chunk with width and height.
  signature=$(od -An -tx1 -N8 "$file" | tr -d ' \n')
  size=$(od -An -tu1 -j16 -N8 "$file" | awk '{ print ($1 * 16777216 + $2 * 65536 + $3 * 256 + $4) "x" ($5 * 16777216 + $6 * 65536 + $7 * 256 + $8) }')
  if [ "$signature" != 89504e470d0a1a0a ] || [ "$size" != 1024x768 ]; then
    echo "FEHLER: $name.png ist kein Bild des Bildschirms (Signatur $signature, Größe $size)"
    failures=$((failures + 1))
  fi
done
exit $((failures > 0))
