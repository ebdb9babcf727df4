#!/usr/bin/env bash
# The demo driven through real input (its --script hook) against a fresh
# database, checked with the sqlite3 tool:
#  1. edits, a deletion and an appended row are saved;
#  2. a save that meets a row deleted underneath, or a statement that fails
#     half-way, writes nothing, says why, and the grid keeps the edits (the
#     script checks the grid);
#  3. texts in other scripts typed and saved, into SQLite and, through both
#     of its drivers, a UTF8 PostgreSQL database of the run's server: the
#     database's bytes, and only the cells the user changed written.
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
expect "edited row" "SELECT * FROM products WHERE id = 2" "2|Oak Bench|Tools|12|160.88|0|Baltic Trade"
expect "new category" "SELECT category FROM products WHERE id = 3" "Garden"
expect "deleted row" "SELECT count(*) FROM products WHERE id = 4" "0"
expect "undone edit" "SELECT name FROM products WHERE id = 5" "Classic Steel Bulb Pack"
expect "undeleted row" "SELECT count(*) FROM products WHERE id = 6" "1"
expect "appended row" "SELECT name, category, quantity, price, in_stock, quote(supplier) FROM products WHERE id > 3000" \
  "Walnut Garden Bench|Garden|7|19.9|0|NULL"
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

# 3. Each cell after the save: its text (NULL: no value), and whether the
# UPDATE set its column (a trigger for each column records it).
cells='1|title|Zürich|1
1|city|NULL|0
1|note|日本語|1
1|phone||1
1|remark|r1|0
2|title|😀|1
2|city|O'"'"'Brien|1
2|note|Main St; Apt 4|1
2|phone|NULL|0
2|remark|r2|0
3|title|Chloé|0
3|city|NULL|0
3|note|Genève|0
3|phone||0
3|remark|only this|1'
# Narrow enough that no column scrolls out of the demo's window.
columns="title city note phone remark"
table="CREATE TABLE contacts (id INTEGER PRIMARY KEY, title VARCHAR(40), city VARCHAR(40), note VARCHAR(40),
  phone VARCHAR(40), remark VARCHAR(40));
INSERT INTO contacts VALUES (1, 'Anna', NULL, NULL, 'to clear', 'r1'), (2, 'Ben', 'Bern', NULL, NULL, 'r2'),
  (3, 'Chloé', NULL, 'Genève', '', 'r3');
CREATE TABLE touched (id INTEGER, col VARCHAR(10));"
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n' | tr a-f A-F; }
utf8_save() {  # utf8_save WHAT RUN-SQL HEX-OF-COLUMN DEMO-OPTIONS...
  local what="$1" run="$2" hex_of="$3" id col text set got
  shift 3
  "$here/../wine-run.sh" "$demo" --sql "SELECT id, ${columns// /, } FROM contacts ORDER BY id" --table contacts \
    "$@" --script "$here/utf8_save.script" || fail "$what: run ended with $?"
  while IFS='|' read -r id col text set; do
    [ "$text" = NULL ] || text="$(hex "$text")"
    got="$($run "SELECT $($hex_of "$col") FROM contacts WHERE id = $id")"
    [ "$got" = "$text" ] || fail "$what: row $id $col: wanted $text, the database holds $got"
    got="$($run "SELECT count(*) FROM touched WHERE id = $id AND col = '$col'")"
    [ "$got" = "$set" ] || fail "$what: row $id $col: the UPDATEs set it $got times, wanted $set"
  done <<<"$cells"
  echo "$what: the bytes of all $(wc -l <<<"$cells") cells as wanted, only the changed ones written"
}

sqlite_hex() { echo "CASE WHEN $1 IS NULL THEN 'NULL' ELSE hex($1) END"; }
rm -f "$db"
query "$table"
for col in $columns; do
  query "CREATE TRIGGER set_$col AFTER UPDATE OF $col ON contacts BEGIN INSERT INTO touched VALUES (NEW.id, '$col'); END"
done
utf8_save "SQLite" query sqlite_hex --database "$db"

# A server of this test's own: the ODBC tests stop the run's on purpose.
pg_dir="$work/postgres"
trap '"$here/../postgres-env.sh" stop "$pg_dir"' EXIT
"$here/../postgres-env.sh" start "$pg_dir"
if [ -f "$pg_dir/postgres.skip" ]; then
  echo "PostgreSQL part skipped: $(cat "$pg_dir/postgres.skip")"
else
  connection="$(cat "$pg_dir/postgres.conn")"
  port="$(sed 's/.*Port=\([0-9]*\).*/\1/' <<<"$connection")"
  pg() { PGOPTIONS='-c client_min_messages=warning' psql -h 127.0.0.1 -p "$port" -U tabrix -d postgres -v ON_ERROR_STOP=1 -qAtc "$1"; }
  pg_hex() { echo "coalesce(upper(encode(convert_to($1, 'UTF8'), 'hex')), 'NULL')"; }
  for driver in "PostgreSQL ANSI" "PostgreSQL Unicode"; do
    pg "DROP TABLE IF EXISTS contacts, touched; $table"
    pg "CREATE OR REPLACE FUNCTION log_set() RETURNS trigger LANGUAGE plpgsql AS
      \$\$ BEGIN INSERT INTO touched VALUES (NEW.id, TG_ARGV[0]); RETURN NEW; END \$\$"
    for col in $columns; do
      pg "CREATE TRIGGER set_$col AFTER UPDATE OF $col ON contacts FOR EACH ROW EXECUTE FUNCTION log_set('$col')"
    done
    utf8_save "$driver" pg pg_hex --connect "${connection/PostgreSQL ANSI/$driver}"
  done
fi
echo "demo save test passed"
