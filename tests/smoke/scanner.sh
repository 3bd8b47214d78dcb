#!/usr/bin/env bash
# A USB barcode scanner is a keyboard that types fast: set to send F4 before
# the code, it sends F4, the digits 5 ms apart and Enter, without waiting for
# anything. In the real record window that finds the book exactly as typing
# does, and the catalogue is not touched.
# usage: scanner.sh BIN_DIR
set -euo pipefail
bin=$1
sample=$(cd "$(dirname "$0")/../../data" && pwd)/sample-catalogue.csv
. "$(dirname "$0")/x11.sh"

count=114
caption() { printf 'Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  %s  από  %s' "$1" "$count"; }

cd "$work"
"$bin/lomira-catalogue" import "$sample" Zelkor.dat >/dev/null
before=$(sha256sum Zelkor.dat)
"$bin/Lomira" &
app_pid=$!
win=$(wait_window "$(caption 1)") || fail "no record window with caption '$(caption 1)'"
focus "$win"
# Without a window manager the focus does not go back by itself when a box
# closes: focus gives it back, as the other scripts do.
for code in 87 5 114; do
  focus "$win"
  xdotool key --clearmodifiers F4
  xdotool type --delay 5 "$code"
  xdotool key Return
  wait_window "$(caption "$code")" >/dev/null || fail "the scanned code $code did not show record $code"
done
# Scanned into the code search's box opened by hand, the same.
focus "$win"
key F4
box=$(wait_window "Σ-Zelkor 3.2: Αναζήτηση Κωδικού Εγγραφής") || fail "F4 opened no code search"
focus "$box"
xdotool type --delay 5 "42"
xdotool key Return
wait_window "$(caption 42)" >/dev/null || fail "the code scanned into the open box did not show record 42"
focus "$win"
alt_x_ends Lomira
[ "$(sha256sum Zelkor.dat)" = "$before" ] || fail "scanning changed the catalogue"
