#!/usr/bin/env bash
# Builds what the demo needs and runs it under Wine: in a window where there
# is a display ($DISPLAY), otherwise on an Xvfb display of its own, writing
# its screenshot to docs/demo.png (or the file given as the argument).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
demo="$root/build64/tabrix_demo.exe"
# Every Wine program of the project takes this lock, as the tests do.
exec 9>/tmp/tabrix-wine.lock
flock 9

if [ -n "${DISPLAY:-}" ]; then
  # tests/wine-run.sh runs it on $DISPLAY, where the window stays until closed.
  exec "$root/tests/wine-run.sh" "$demo"
fi

picture="$(realpath -m "${1:-$root/docs/demo.png}")"
env_dir="$root/build64/demoenv"
"$root/tests/test-env.sh" start "$env_dir"
trap '"$root/tests/test-env.sh" stop "$env_dir"' EXIT
TABRIX_TESTENV="$env_dir" "$root/tests/wine-run.sh" "$demo" --screenshot "$picture"
echo "demo: no display; the demo's window is in $picture"
