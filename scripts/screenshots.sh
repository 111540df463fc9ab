#!/usr/bin/env bash
# Pictures of the desktop program as a user meets it, on a fresh demo home:
# the main window, an opened menu, the supplier dialog and the change of
# the current supplier, the article import (options, file choice, progress
# window), the change log, the discount and product groups with marks, the
# drive and parameter dialogs and the info page.
#
#   scripts/screenshots.sh OUTDIR
#     DATANORM_GUI: the desktop program to show (default: datanorm-gui built
#     in ./build, together with the command-line program datanorm, which
#     prepares the home; with DATANORM_GUI the datanorm beside it or in
#     ./build is used). SCREEN: the screen size (default 1024x768).
#
# The program runs under Xvfb; without it (or with QT_QPA_PLATFORM=offscreen)
# on Qt's offscreen platform. Prints the pictures written; exits non-zero
# when one is missing.
set -euo pipefail
[ $# -eq 1 ] || { echo "Aufruf: scripts/screenshots.sh AUSGABEVERZEICHNIS" >&2; exit 2; }
mkdir -p "$1"
out=$(cd "$1" && pwd)
cd "$(dirname "$0")/.."
root=$PWD
size=${SCREEN:-1024x768}
[[ $size =~ ^[0-9]+x[0-9]+$ ]] || { echo "screenshots: SCREEN=$size ist keine Größe (BREITExHÖHE)" >&2; exit 2; }

bash scripts/install-deps.sh
if [ -z "${DATANORM_GUI:-}" ]; then
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build -j "$(nproc)" --target datanorm-gui datanorm
  gui=$root/build/app/gui/datanorm-gui
  cli=$root/build/datanorm
else
  gui=$(realpath "$DATANORM_GUI")
  # Beside it, in the build directory it belongs to, or in ./build.
  cli=$(dirname "$gui")/datanorm
  [ -x "$cli" ] || cli=$(dirname "$gui")/../../datanorm
  [ -x "$cli" ] || cli=$root/build/datanorm
fi
for tool in "$gui" "$cli"; do
  [ -x "$tool" ] || { echo "screenshots: $tool fehlt (erst bauen)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/screenshots.XXXXXX")
trap 'rm -rf "$work"' EXIT
home=$work/home
delivery=$work/lieferungen/sanitaer
mkdir -p "$delivery" "$work/run"
chmod 700 "$work/run"
cp examples/datanorm4/* "$delivery/"
dn() { "$cli" --home "$home" "$@" >/dev/null; }

# Two suppliers; the first, current one reads its files from the delivery.
dn supplier edit 1 --name "Sanitär Muster KG" --version 4 --path "$delivery" \
  --street "Hafenstraße 12" --town "28195 Bremen" --customer "4711"
dn supplier edit 2 --name "Heizung Nord KG" --version 5
dn current 1

# The change log: about 150 older lines, newest first, in the ANSI code
# page with CR LF; the discount read below puts today's line on top.
master=$(sed -n 's/^konf1=//p' "$home/torvalo.ini")
kinds=("4 Artikelübernahme" "4 Preispflege" "4 Rabattgruppen" "5 Artikelübernahme"
  "5 Preispflege" "4 Warengruppen" "5 Langtextübernahme" "4 Leistungübernahme"
  "5 Rabattgruppen" "  Minutenübernahme" "4 Artikelnummeränderung")
for ((i = 1; i <= 150; i++)); do
  kind=${kinds[i % ${#kinds[@]}]}
  if [[ $kind == 5* ]]; then
    supplier="2 Heizung Nord KG   " file=/srv/torvalo/lieferungen/heizung/d5grund/DATANORM.$(printf %03d $((i % 7 + 1)))
  else
    supplier="1 Sanitär Muster KG   " file=$delivery/DATANORM.$(printf %03d $((i % 5 + 1)))
  fi
  printf '%s %-30s %s %s\n' "$(date -d "-$((i * 3)) days" +%d.%m.%Y)" "$kind" "$file" "$supplier"
done | iconv -f UTF-8 -t WINDOWS-1252 | sed 's/$/\r/' >"$master/datanorm.log"

# Discount groups of the delivery's articles and a few more, some marked
# (the file in CP850 with the delivery's header).
{
  head -n 1 examples/datanorm4/DATANORM.001 | tr -d '\r\n'
  printf '\r\n'
  for group in "MA01;1;3550;Kupferrohre" "FI02;1;4200;Fittings Kupfer" "AR03;2;0850;Armaturen" \
    "HZ04;1;2800;Heizkörper" "BE06;1;3000;Befestigungstechnik" "DA07;1;2500;Dämmung" \
    "KU08;2;0720;Kunststoffrohre" "PU09;1;1800;Pumpen" "SP10;1;3300;Spülkästen und Drückerplatten" \
    "WT11;1;2200;Waschtische" "WC12;1;2600;WC-Anlagen" "DU13;1;3100;Duschsysteme"; do
    printf 'R;;%s;\r\n' "$group"
  done | iconv -f UTF-8 -t CP850
} >"$delivery/datanorm.rab"
dn --yes run 22 2>"$work/groups.txt" || { cat "$work/groups.txt" >&2; exit 1; }
for group in MA01 HZ04 DU13 SP10; do dn groups discount mark "$group"; done

# Main product groups with product groups below them, two marked.
{
  head -n 1 examples/datanorm4/DATANORM.001 | tr -d '\r\n'
  printf '\r\n'
  for group in "110;Rohre" "110;;10;Kupferrohre hart" "110;;20;Kupferrohre weich" \
    "120;Fittings" "120;;10;Lötfittings" "120;;20;Pressfittings" "130;Armaturen" \
    "130;;10;Waschtischarmaturen" "130;;20;Küchenarmaturen" "140;Heizung" \
    "140;;10;Heizkörper" "140;;20;Thermostatventile" "160;Befestigung" "160;;10;Rohrschellen"; do
    printf 'S;;%s;\r\n' "$group"
  done | iconv -f UTF-8 -t CP850
} >"$delivery/datanorm.wrg"
dn --yes run 51 2>"$work/groups.txt" || { cat "$work/groups.txt" >&2; exit 1; }
for group in 110 140; do dn groups product mark "$group"; done

# The desktop program's tour through its windows. Under Xvfb a window
# manager (openbox) draws the title bars and maximises.
run=("$gui" --home "$home" --screenshots "$out")
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
status=0
if [[ ${QT_QPA_PLATFORM:-} != offscreen* ]] && command -v xvfb-run >/dev/null; then
  cat >"$work/session.sh" <<'SESSION'
ready=$1/wm-ready
shift
openbox --startup "touch $ready" >/dev/null 2>&1 &
wm=$!
for ((i = 0; i < 100; i++)); do [ -e "$ready" ] && break; sleep 0.1; done
status=0
"$@" || status=$?
kill "$wm" 2>/dev/null
exit "$status"
SESSION
  (cd "$work" && QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 ${size}x24" \
    bash "$work/session.sh" "$work" "${run[@]}") || status=$?
else
  printf '{"screens": [{"name": "screen", "x": 0, "y": 0, "width": %d, "height": %d, "logicalDpi": 96}]}\n' \
    "${size%x*}" "${size#*x}" >"$work/screen.json"
  # (without the platform's notes on what it does not support)
  (cd "$work" && QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json" "${run[@]}") \
    2> >(grep -v 'This plugin does not support' >&2) || status=$?
fi
if [ "$status" -ne 0 ]; then
  echo "screenshots: nicht alle Bilder geschrieben (Exit $status)" >&2
  exit 1
fi
