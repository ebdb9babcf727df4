#!/usr/bin/env bash
# Builds everything and runs the benchmarks under Wine on a display of their own.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
env_dir="$(mktemp -d "${TMPDIR:-/tmp}/tabrix-bench.XXXXXX")"
trap '"$root/tests/test-env.sh" stop "$env_dir"; rm -rf "$env_dir"' EXIT
"$root/tests/test-env.sh" start "$env_dir"
export TABRIX_TESTENV="$env_dir"
status=0
for bench in "$root"/build64/bench/*_bench.exe; do
  echo "== $(basename "$bench" .exe)"
  "$root/tests/wine-run.sh" "$bench" || status=1
done
exit $status
