#!/usr/bin/env bash
# Runs a Windows program of the 64-bit build under Wine, on the test run's
# display when there is one.
set -euo pipefail
if [ -n "${TABRIX_TESTENV:-}" ] && [ -f "$TABRIX_TESTENV/display" ]; then
  DISPLAY="$(cat "$TABRIX_TESTENV/display")"
  export DISPLAY
fi
export WINEPREFIX="${TABRIX_WINEPREFIX:-$HOME/.cache/tabrix-wine}" WINEARCH=win64 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
