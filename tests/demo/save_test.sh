#!/usr/bin/env bash
# The demo driven through real input (its --script hook) against a fresh
# database, checked with the sqlite3 tool:
#  1. edits, a deletion and an appended row are saved;
#  2. a save that meets a row deleted underneath, or a statement that fails
#     half-way, writes nothing, says why, and the grid keeps the edits (the
#     script checks the grid).
#   save_test.sh DEMO.exe WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
demo="$1"
work="$2"
mkdir -p "$work"
cd "$work"
db="$work/demo_save.db"
fail() { echo "FAIL: $*"; exit 1; }
query() { sqlite3 -separator '|' "$db" "$1"; }
expect() {  # expect WHAT SQL WANTED
  local got
  got="$(query "$2")"
  [ "$got" = "$3" ] || fail "$1: wanted '$3', the database holds '$got'"
}

# 1. Edits saved.
rm -f "$db"
"$here/../wine-run.sh" "$demo" --database "$db" --script "$here/edit_and_save.script" || fail "run 1 ended with $?"
expect "edited row" "SELECT * FROM products WHERE id = 2" "2|Oak Bench|Tools|12|160.88|0"
expect "new category" "SELECT category FROM products WHERE id = 3" "Garden"
expect "deleted row" "SELECT count(*) FROM products WHERE id = 4" "0"
expect "undone edit" "SELECT name FROM products WHERE id = 5" "Classic Steel Bulb Pack"
expect "undeleted row" "SELECT count(*) FROM products WHERE id = 6" "1"
expect "appended row" "SELECT name, category, quantity, price, in_stock FROM products WHERE id > 3000" \
  "Walnut Garden Bench|Garden|7|19.9|0"
expect "row count" "SELECT count(*) FROM products" "3000"

# 2 and 3. Saves the database refuses while the demo holds its edits: row 3
# deleted underneath (a conflict), or a failing statement half-way through
# the transaction (row 2 is already updated when row 3's update fails).
refused_save() {  # refused_save WHAT SQL EXPECTED-MESSAGE
  rm -f "$db" edited deleted
  sed "s/^expect message .*/expect message $3/" "$here/refused_save.script" >"$work/refused.script"
  "$here/../wine-run.sh" "$demo" --database "$db" --script "$work/refused.script" &
  demo_pid=$!
  for _ in $(seq 300); do
    [ -e edited ] || ! kill -0 "$demo_pid" 2>/dev/null && break
    sleep 0.1
  done
  [ -e edited ] || fail "$1: the demo did not reach the save"
  query "$2"
  touch deleted
  wait "$demo_pid" || fail "$1: run ended with $?"
  expect "$1: row 2" "SELECT name FROM products WHERE id = 2" "Classic Steel Wrench"
  expect "$1: no appended row" "SELECT count(*) FROM products WHERE name = 'Late Row'" "0"
}
refused_save "conflict" "DELETE FROM products WHERE id = 3" "row 3 not saved, nothing written"
expect "conflict: rows" "SELECT count(*) FROM products" "2999"
refused_save "failing statement" \
  "CREATE TRIGGER refuse_3 BEFORE UPDATE ON products WHEN OLD.id = 3 BEGIN SELECT RAISE(ABORT, 'product 3 is locked'); END" \
  "product 3 is locked"
expect "failing statement: rows" "SELECT count(*) FROM products" "3000"
echo "demo save test passed"
