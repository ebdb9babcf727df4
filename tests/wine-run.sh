#!/usr/bin/env bash
# Runs a Windows program of the 64-bit build under Wine: in the test run's
# own prefix and on its display when there is a test run (TABRIX_TESTENV,
# see test-env.sh), else in the set-up prefix on $DISPLAY.
set -euo pipefail
export WINEPREFIX="${TABRIX_WINEPREFIX:-$HOME/.cache/tabrix-wine}"
if [ -n "${TABRIX_TESTENV:-}" ]; then
  if [ ! -d "$TABRIX_TESTENV/wineprefix" ] || [ ! -f "$TABRIX_TESTENV/display" ]; then
    echo "wine-run: no test environment in $TABRIX_TESTENV (test-env.sh start makes it)" >&2
    exit 1
  fi
  WINEPREFIX="$TABRIX_TESTENV/wineprefix"
  DISPLAY="$(cat "$TABRIX_TESTENV/display")"
  export DISPLAY
fi
export WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
