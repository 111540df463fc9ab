#!/usr/bin/env bash
# Kills the article import with SIGKILL at N random moments and checks the
# store after each kill:
#   - PRAGMA integrity_check says "ok";
#   - every article present is whole: its row, side row, D lines, Z lines,
#     long text and picture binding (key and graphics index) are those of
#     an uninterrupted import of the same file;
#   - running the import again to its end gives exactly the store of an
#     uninterrupted import (every table dumped and compared).
# The kills alternate between a DATANORM 4 and a DATANORM 5 delivery made by
# the benchmark generators.
#
#   scripts/crash-test.sh N [ARTICLES]
#     N kills (default 20), ARTICLES per delivery (default 20000).
#     BUILD_DIR: the build directory (default build), which must hold the
#     command-line program and the benchmark generators. WORK_DIR: where
#     deliveries and stores go (default a new temporary directory, removed
#     at the end unless KEEP=1 or a check failed).
# Prints the kills, the failures and the first failure in detail; exits 1
# when a kill left a store that failed a check.
set -uo pipefail
cd "$(dirname "$0")/.."

kills=${1:-20}
articles=${2:-20000}
build=${BUILD_DIR:-build}
cli=$build/datanorm
gen4=$build/bench/dn4/dn4_generate
gen5=$build/bench/dn5/dn5_generate
for tool in "$cli" "$gen4" "$gen5"; do
  [ -x "$tool" ] || { echo "crash-test: $tool fehlt (erst bauen)" >&2; exit 2; }
done
command -v sqlite3 >/dev/null || { echo "crash-test: sqlite3 fehlt" >&2; exit 2; }

work=${WORK_DIR:-$(mktemp -d "${TMPDIR:-/tmp}/crash-test.XXXXXX")}
mkdir -p "$work"
failures=0
# Kept when asked for or when a check failed.
trap '[ "${KEEP:-0}" = 1 ] || [ "$failures" -gt 0 ] || rm -rf "$work"' EXIT

# A home with supplier 1 of the given DATANORM version.
new_home() {  # HOME VERSION
  rm -rf "$1"
  mkdir -p "$1"
  "$cli" --home "$1" supplier edit 1 --name Crash --version "$2" >/dev/null 2>&1
}

import() {  # HOME FILE
  "$cli" --home "$1" --yes run 33 --file "$2" >"$1/run.out" 2>&1
}

store_of() { find "$1" -name stamm.db | head -n 1; }

# Every table in a fixed order; the graphics index without its row number,
# which counts every entry ever made.
dump() {  # STORE
  local db=$1
  for t in $(sqlite3 "$db" "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"); do
    echo "== $t"
    if [ "$t" = graphics_index ]; then
      sqlite3 "$db" "SELECT articlekey, picturekind, filename, text FROM graphics_index ORDER BY articlekey, id"
    else
      sqlite3 "$db" "SELECT * FROM \"$t\" ORDER BY 1, 2"
    fi
  done
}

# Articles of the killed store that are not whole; one line per fault.
partial_articles() {  # STORE REFERENCE
  sqlite3 "$1" <<SQL
ATTACH '$2' AS ref;
CREATE TEMP VIEW present AS SELECT key FROM main.article;
SELECT 'Artikelzeile weicht ab: ' || key FROM (SELECT * FROM main.article EXCEPT SELECT * FROM ref.article);
SELECT 'Zusatzzeile weicht ab: ' || key FROM (SELECT * FROM main.article_side EXCEPT SELECT * FROM ref.article_side);
SELECT 'Zusatzzeile fehlt: ' || key FROM (SELECT * FROM ref.article_side WHERE key IN present
                                           EXCEPT SELECT * FROM main.article_side);
SELECT 'D-Zeilen unvollständig: ' || key FROM (
  SELECT * FROM ref.article_dline WHERE key IN present EXCEPT SELECT * FROM main.article_dline
  UNION ALL
  SELECT * FROM main.article_dline WHERE key IN present EXCEPT SELECT * FROM ref.article_dline) GROUP BY key;
SELECT 'Z-Zeilen unvollständig: ' || key FROM (SELECT * FROM ref.article_zblob WHERE key IN present
                                                EXCEPT SELECT * FROM main.article_zblob);
SELECT 'Langtextschlüssel ohne Langtext: ' || a.key || ' -> ' || a.longtextkey
  FROM main.article a JOIN ref.longtext r ON r.key = a.longtextkey
  WHERE a.longtextkey <> '' AND NOT EXISTS (
    SELECT 1 FROM main.longtext m WHERE m.key = r.key AND m.kind = r.kind AND m.lines = r.lines);
SELECT 'Bildschlüssel ohne Bildbindung: ' || a.key || ' -> ' || a.graphickey
  FROM main.article a JOIN ref.longtext r ON r.key = a.graphickey AND r.kind = '3'
  WHERE a.graphickey <> '' AND NOT EXISTS (
    SELECT 1 FROM main.longtext m WHERE m.key = r.key AND m.kind = '3' AND m.lines = r.lines);
SELECT 'Grafikindex unvollständig: ' || articlekey FROM (
  SELECT articlekey, picturekind, filename, text FROM ref.graphics_index WHERE articlekey IN present
  EXCEPT SELECT articlekey, picturekind, filename, text FROM main.graphics_index) GROUP BY articlekey;
SQL
}

echo "Lieferungen mit je $articles Artikeln in $work"
declare -A delivery duration reference
for v in 4 5; do
  delivery[$v]=$work/delivery$v.001
  if [ "$v" = 4 ]; then "$gen4" "$articles" "${delivery[$v]}"; else "$gen5" "$articles" "${delivery[$v]}"; fi
  home=$work/reference$v
  new_home "$home" "$v"
  start=$(date +%s%N)
  import "$home" "${delivery[$v]}" || { echo "crash-test: Referenzimport DATANORM $v fehlgeschlagen:"; cat "$home/run.out"; exit 2; }
  duration[$v]=$(( ($(date +%s%N) - start) / 1000000 ))
  reference[$v]=$(store_of "$home")
  dump "${reference[$v]}" >"$work/reference$v.dump"
  echo "DATANORM $v: ununterbrochener Import ${duration[$v]} ms"
done

first=""
for ((k = 1; k <= kills; ++k)); do
  v=$(( k % 2 == 1 ? 4 : 5 ))
  home=$work/kill$k
  new_home "$home" "$v"
  # A moment between 2 % and 98 % of an uninterrupted run.
  delay_ms=$(( duration[$v] * (2 + RANDOM % 97) / 100 ))
  "$cli" --home "$home" --yes run 33 --file "${delivery[$v]}" >"$home/run.out" 2>&1 &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  if kill -KILL "$pid" 2>/dev/null; then how="getötet nach $delay_ms ms"; else how="vor dem Kill fertig"; fi
  wait "$pid" 2>/dev/null
  db=$(store_of "$home")
  faults=""
  if [ -n "$db" ]; then
    present=$(sqlite3 "$db" "SELECT count(*) FROM article" 2>&1)
    check=$(sqlite3 "$db" "PRAGMA integrity_check" 2>&1)
    [ "$check" = ok ] || faults+="integrity_check: $check"$'\n'
    partial=$(partial_articles "$db" "${reference[$v]}" 2>&1)
    [ -z "$partial" ] || faults+="$(echo "$partial" | wc -l) unvollständige Artikel, zuerst:"$'\n'"$(echo "$partial" | head -n 5)"$'\n'
  else
    present=0
  fi
  if ! import "$home" "${delivery[$v]}"; then
    faults+="erneuter Import endete mit Fehler:"$'\n'"$(tail -n 5 "$home/run.out")"$'\n'
  fi
  db=$(store_of "$home")
  dump "$db" >"$home/after.dump"
  if ! cmp -s "$home/after.dump" "$work/reference$v.dump"; then
    faults+="nach erneutem Import weicht der Bestand ab:"$'\n'"$(diff "$work/reference$v.dump" "$home/after.dump" | head -n 10)"$'\n'
  fi
  if [ -z "$faults" ]; then
    echo "Kill $k (DATANORM $v, $how, $present Artikel vorhanden): in Ordnung"
    rm -rf "$home"
  else
    failures=$((failures + 1))
    echo "Kill $k (DATANORM $v, $how, $present Artikel vorhanden): FEHLER"
    [ -n "$first" ] || first="Kill $k (DATANORM $v, $how, Bestand in $home):"$'\n'"$faults"
  fi
done

echo "Kills: $kills, Fehler: $failures"
if [ "$failures" -gt 0 ]; then
  echo "Erster Fehler:"
  echo "$first"
  exit 1
fi
exit 0
