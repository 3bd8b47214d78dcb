#!/usr/bin/env bash
# Builds the Windows file layer, the catalogue's record rules and the registry
# calls with MinGW-w64 into a plain test driver (no Qt) and runs it under Wine,
# headless, in a fresh prefix. Fails when any check fails.
# usage: run.sh [OUT_DIR]
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mkdir -p "${1:-$src/build/windows}" && cd "${1:-$src/build/windows}" && pwd)

x86_64-w64-mingw32-g++ -std=c++17 -O1 -Wall -Wextra -Werror -municode -static -I"$src/src" \
  "$src/tests/windows/driver.cpp" "$src/src/catalogue/file/winfile_win.cpp" "$src/src/catalogue/RecordStore.cpp" \
  "$src/src/platform/system/winregistry_win.cpp" -o "$out/windows-driver.exe"

prefix=$(mktemp -d)
work=$(mktemp -d)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  # Only this prefix's server; it ends every program still running in it.
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix" "$work"
}
trap cleanup EXIT
export PATH=$PATH:/usr/lib/wine
unset DISPLAY WAYLAND_DISPLAY
cd "$work"
# The first start makes the prefix; its messages are not the driver's.
wine wineboot --init >/dev/null 2>&1
wine "$out/windows-driver.exe"
