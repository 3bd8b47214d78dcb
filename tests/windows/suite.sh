#!/usr/bin/env bash
# Runs the test suite of the Windows build under Wine through ctest (the
# build names wine-run.sh as its emulator), in a fresh prefix, headless: the
# tests draw on Qt's offscreen platform with the DejaVu fonts, as on Linux.
# usage: suite.sh WINDOWS_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)

# What cannot run under Wine, each for its reason (ctest name patterns).
not_under_wine=(
  # Shell scripts that start the Linux programs in an X server, and the Debian
  # package check: setup.sh does their work for the Windows programs.
  '^smoke_real_window$' '^file_size_limit_real_window$' '^package_installs_and_runs$'
)
excluded=$(IFS='|' && echo "${not_under_wine[*]}")

prefix=$(mktemp -d)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
export PATH=$PATH:/usr/lib/wine
unset DISPLAY WAYLAND_DISPLAY
wine wineboot --init >/dev/null 2>&1
# One server for all the test programs, so each starts in a moment.
wineserver -p
export QT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
cd "$build"
ctest --output-on-failure -j"$(nproc)" -E "$excluded"
