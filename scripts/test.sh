#!/usr/bin/env bash
# The one command that sets up, builds both DLLs and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$root/build64"
ctest --output-on-failure "$@"
