#!/usr/bin/env bash
# Builds what the demo needs and runs it under Wine: in a window where there
# is a display ($DISPLAY), otherwise on an Xvfb display of its own, writing
# its screenshot to docs/demo.png (or the file given as the argument), at
# the display resolution TABRIX_DPI (96 unless set).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
demo="$root/build64/tabrix_demo.exe"
if [ -n "${DISPLAY:-}" ]; then
  # tests/wine-run.sh runs it on $DISPLAY, where the window stays until closed.
  exec "$root/tests/wine-run.sh" "$demo"
fi

picture="$(realpath -m "${1:-$root/docs/demo.png}")"
# A folder of its own, so demos and test runs started together never share
# a Wine prefix or a display.
env_dir="$(mktemp -d "${TMPDIR:-/tmp}/tabrix-demo.XXXXXX")"
trap '"$root/tests/test-env.sh" stop "$env_dir"; rm -rf "$env_dir"' EXIT
"$root/tests/test-env.sh" start "$env_dir" "${TABRIX_DPI:-96}"
# A picture left by an earlier run must not pass for this run's.
rm -f "$picture"
TABRIX_TESTENV="$env_dir" "$root/tests/wine-run.sh" "$demo" --screenshot "$picture"
if [ "$(head -c 8 "$picture" 2>/dev/null | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
  echo "demo: the demo wrote no picture to $picture" >&2
  exit 1
fi
echo "demo: no display; the demo's window is in $picture"
