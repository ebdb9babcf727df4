#!/usr/bin/env bash
# The demo against a fresh database: it makes the sample database, loads it,
# writes its screenshot and ends with 0.
#   screenshot_test.sh DEMO.exe WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
demo="$1"
work="$2"
mkdir -p "$work"
db="$work/demo_test.db"
picture="$work/demo_test.png"
rm -f "$db" "$picture"

"$here/../wine-run.sh" "$demo" --database "$db" --screenshot "$picture"

# A PNG signature.
[ "$(head -c 8 "$picture" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || { echo "no PNG written"; exit 1; }
# The database the demo made holds the script's rows.
if command -v sqlite3 >/dev/null; then
  rows="$(sqlite3 "$db" 'SELECT count(*) FROM products')"
  [ "$rows" = 3000 ] || { echo "sample database has $rows rows, not 3000"; exit 1; }
fi
echo "demo screenshot: $picture"
