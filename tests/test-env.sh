#!/usr/bin/env bash
# start DIR [DPI]: a Wine prefix and an Xvfb display of the run's own in
# DIR, the prefix's display resolution DPI (96 unless given);
# stop DIR: ends them and whatever Wine programs the run left behind.
# The prefix is a copy of the set-up one, so that ending this run's
# wineserver never touches another run's programs (a demo, a benchmark, a
# test run of another work tree), which would then end with status 0.
set -euo pipefail
action="$1"
dir="$2"
setup_prefix="${TABRIX_WINEPREFIX:-$HOME/.cache/tabrix-wine}"
export WINEARCH=win64 WINEDEBUG=-all

case "$action" in
start)
  mkdir -p "$dir"
  # One run at a time in a folder (two test runs of one build tree): Xvfb
  # inherits the lock and holds it until stop ends Xvfb.
  exec 9>"$dir/run.lock"
  flock -w 900 9 || { echo "test-env: another run still uses $dir" >&2; exit 1; }
  "$0" stop "$dir"
  rm -rf "$dir/wineprefix"
  cp -a "$setup_prefix" "$dir/wineprefix"
  # Wine reads the resolution once a process, from the desktop settings
  # (and the font settings for its fonts); no wineserver runs on this copy yet.
  dpi="${3:-96}"
  if [ "$dpi" != 96 ]; then
    value="$(printf 'dword:%08x' "$dpi")"
    sed -i "s/^\"LogPixels\"=dword:.*/\"LogPixels\"=$value/" "$dir/wineprefix/user.reg" "$dir/wineprefix/system.reg"
    sed -i "/^\[Control Panel\\\\\\\\Desktop\]/{n;s/\$/\n\"LogPixels\"=$value/}" "$dir/wineprefix/user.reg"
    # Wine's desktop, a window of the display, grows with it.
    sed -i "s/^\"Default\"=\"1280x1024\"/\"Default\"=\"$((1280 * dpi / 96))x$((1024 * dpi / 96))\"/" "$dir/wineprefix/user.reg"
  fi
  # Xvfb picks a free display itself and writes its number once it listens,
  # so two runs starting at once cannot both take the same one.
  rm -f "$dir/display.number"
  # The screen grows with the resolution, as a display of more pixels per
  # inch has more: a window scaled up must not reach past its edge (nor past
  # Wine's desktop, sized above).
  Xvfb -displayfd 3 -screen 0 "$((1280 * dpi / 96))x$((1024 * dpi / 96))x24" -nolisten tcp -dpi 96 3>"$dir/display.number" >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$dir/display.number" ] && break
    kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null || break
    sleep 0.05
  done
  if [ -s "$dir/display.number" ]; then
    echo ":$(tr -d '\n' <"$dir/display.number")" >"$dir/display"
    exit 0
  fi
  echo "test-env: Xvfb did not start (see $dir/xvfb.log)" >&2
  exit 1
  ;;
stop)
  if [ -d "$dir/wineprefix" ]; then
    WINEPREFIX="$dir/wineprefix" /usr/bin/wineserver -k 2>/dev/null || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid" "$dir/display" "$dir/display.number"
  fi
  ;;
esac
