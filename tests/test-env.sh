#!/usr/bin/env bash
# start DIR: an Xvfb display of our own for the test run, its number written
# into DIR; stop DIR: ends it and any Wine processes the run left behind.
set -euo pipefail
action="$1"
dir="$2"
prefix="${TABRIX_WINEPREFIX:-$HOME/.cache/tabrix-wine}"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all

case "$action" in
start)
  mkdir -p "$dir"
  "$0" stop "$dir" 2>/dev/null || true
  for n in $(seq 91 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -dpi 96 >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.05
    done
    if [ -e "/tmp/.X11-unix/X$n" ]; then
      echo ":$n" >"$dir/display"
      exit 0
    fi
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
  done
  echo "test-env: no free display for Xvfb" >&2
  exit 1
  ;;
stop)
  /usr/bin/wineserver -k 2>/dev/null || true
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid" "$dir/display"
  fi
  ;;
esac
