#!/usr/bin/env bash
# The demo driven through real input (its --script hook) against a fresh
# database, checked with the sqlite3 tool:
#  1. edits, a deletion and an appended row are saved;
#  2. a save that meets a row deleted underneath writes nothing, says so,
#     and the grid keeps the edits (the script checks the grid).
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

# 2. A refused save: the test deletes row 3 while the demo holds its edits.
rm -f "$db" edited deleted
"$here/../wine-run.sh" "$demo" --database "$db" --script "$here/refused_save.script" &
demo_pid=$!
for _ in $(seq 300); do
  [ -e edited ] || ! kill -0 "$demo_pid" 2>/dev/null && break
  sleep 0.1
done
[ -e edited ] || fail "the demo did not reach the save"
query "DELETE FROM products WHERE id = 3"
touch deleted
wait "$demo_pid" || fail "run 2 ended with $?"
expect "row 2 after the refused save" "SELECT name FROM products WHERE id = 2" "Classic Steel Wrench"
expect "rows after the refused save" "SELECT count(*) FROM products" "2999"
expect "no appended row" "SELECT count(*) FROM products WHERE name = 'Late Row'" "0"
echo "demo save test passed"
