#!/usr/bin/env bash
# Measures Tabrix beside the platform's list view and another open-source
# grid with the side-by-side harness, and redraws the charts of
# docs/performance.md from its CSV files:
#   ./scripts/peers.sh [HARNESS_DIR]     default ../shared/peers
# About 20 minutes on 2 cores. Run it on a quiet machine: the figures are
# ratios within one run, and a busy CPU spoils them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
peers="$(cd "${1:-$root/../shared/peers}" && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
dll="$root/build64/tabrix32.dll"
log="$(mktemp -d "${TMPDIR:-/tmp}/tabrix-peers.XXXXXX")"

# Every peer as a host would use it: Tabrix not presized (two runs, to show
# the noise); then the bulk-fill peers with both grids presized.
run() {  # run NAME HARNESS-ARGS...
  local name=$1
  shift
  flock /tmp/tabrix-wine.lock "$peers/run.sh" --mctrl "$peers/mCtrl.dll" --proj "$dll" "$@" | tee "$log/$name.log"
  for csv in "$(sed -n 's/^outputs in //p' "$log/$name.log")"/headline*.csv; do cp "$csv" "$log/$name-$(basename "$csv")"; done
}
run all --headline-only --runs 2
run presized --headline-only --runs 1 -- --peers loop,listview-noredraw,mctrl-noredraw,proj-noredraw \
  --sizes 10000,65535 --proj-dimrows

/usr/bin/python3 "$root/tools/peer_charts.py" --out "$root/docs/performance" --table "$log/table.md" \
  --headline "$log/all-headline1.csv" --headline "$log/all-headline2.csv" --presized "$log/presized-headline1.csv"
grep -h -E '^(date|wine|cpu):' "$log/all.log" | head -3
echo "charts in docs/performance/, the table in $log/table.md"
