#!/usr/bin/env bash
# run-checked.sh SUMMARY PROGRAM [ARGS]: runs a test program under Wine and
# passes only when it ends with status 0 AND printed a line matching SUMMARY
# (an extended regular expression) at its end. A program killed mid-run, or
# whose wineserver another run ended, can end with status 0 having printed
# no summary.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
summary="$1"
shift
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
"$here/wine-run.sh" "$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
  echo "run-checked: $(basename "$1") ended with status $status"
  exit 1
fi
if ! tr -d '\r' <"$log" | tail -n 3 | grep -Eq "$summary"; then
  echo "run-checked: $(basename "$1") ended without its closing summary: it did not run to its end"
  exit 1
fi
