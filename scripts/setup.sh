#!/usr/bin/env bash
# Installs what the build and the tests need and makes the Wine prefix.
# Safe to run again: it is silent when everything is already there.
set -euo pipefail

packages=(
  cmake make python3 python3-pil
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  googletest
  wine wine64 fonts-wine fonts-wqy-microhei fonts-noto-color-emoji xvfb x11-utils
  unixodbc unixodbc-dev libsqliteodbc sqlite3 postgresql odbc-postgresql
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

prefix="${TABRIX_WINEPREFIX:-$HOME/.cache/tabrix-wine}"
marker="$prefix/.tabrix-prefix-3"
if [ ! -f "$marker" ]; then
  echo "setup: making the Wine prefix $prefix"
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine=/usr/lib/wine/wine64
  "$wine" wineboot -i >/dev/null 2>&1 || true
  # Without this a crashing test starts Wine's debugger and hangs instead of failing.
  key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
  "$wine" reg add "$key" /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1
  "$wine" reg delete "$key" /v Debugger /f >/dev/null 2>&1 || true
  # One virtual desktop holds every window: without a window manager on the
  # X display, each top-level window would otherwise cost seconds to create
  # and destroy while Wine waits for the manager's answer.
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x1024 /f >/dev/null 2>&1
  # The fonts Windows links to its UI faces for Chinese, Japanese and Korean
  # text are not here: one installed font stands in for them.
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  /usr/bin/wineserver -w
  touch "$marker"
fi
