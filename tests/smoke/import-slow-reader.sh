#!/usr/bin/env bash
# One reader's call that takes long never freezes the librarian's window:
# FreeXL, made to spend seconds in its opening of an xls (as it does on a
# workbook of many far dates), reads beside the window; the progress box's
# Cancel (Escape) closes it within a second, the window answers at once
# while the call runs on; the import's own box answers as well, saying that
# the import stops until the call returns, and the program, told to end,
# waits for the reading left behind and ends cleanly, the catalogue keeping
# every byte.
# usage: import-slow-reader.sh BIN_DIR [SCREENSHOT.png]
set -euo pipefail
bin=$(cd "$1" && pwd)
shot=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11.sh"

# Seconds FreeXL's opening is made to take.
slow=6
cd "$work"
cat >slow-freexl.c <<EOF
#define _GNU_SOURCE
#include <dlfcn.h>
#include <unistd.h>
int freexl_open(const char* path, const void** book) {
  int (*open)(const char*, const void**) = (int (*)(const char*, const void**))dlsym(RTLD_NEXT, "freexl_open");
  sleep($slow);
  return open(path, book);
}
EOF
cc -shared -fPIC -o slow-freexl.so slow-freexl.c -ldl
printf '%-350s' "Record one" >Zelkor.dat
cp Zelkor.dat before.dat
cp "$here/../data/books.xls" books.xls

# Under AddressSanitizer its runtime would have to come first; the slowing
# library allocates nothing, so the order does not matter here.
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 LD_PRELOAD=$work/slow-freexl.so "$bin/Lomira" &
app_pid=$!
title="Σ-Zelkor 3.2: Εισαγωγή καταλόγου"
win=$(wait_window "Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  1") || fail "no record window"
# File, then Import, by the keys where their Greek letters stand.
open_dialog() {
  focus "$win"
  key F10
  key a
  key i
  wait_window "$title"
}
open_dialog >/dev/null || fail "no open dialog"
xdotool type --delay 10 "$work/books.xls"
key Return

# The progress box has the open dialog's title; it is the short window.
progress_box() { window_by_height "$title" short 1; }
box=$(window_by_height "$title" short 30)
[ -n "$box" ] || fail "no progress box while FreeXL opens the file"
[ -n "$shot" ] && import -window root "$shot"

cancel_within_a_second "$box"

# While FreeXL is still in its call, the window opens the import again.
dialog=$(open_dialog) || fail "the window did not answer while the reading left behind runs on"
[ $(($(date +%s%N) - start)) -lt $((slow * 1000000000 / 2)) ] || fail "the window answered only after the reading"
xdotool key Escape
sleep 0.3
cmp Zelkor.dat before.dat || fail "the catalogue changed"

# The import itself, FreeXL as slow again: its box answers too. Cancel turns
# it into a box saying the import stops, which stands, still painting, until
# FreeXL's call returns and the import has undone itself; then it goes.
open_dialog >/dev/null || fail "no open dialog for the import"
xdotool type --delay 10 "$work/books.xls"
key Return
# The columns are the other window with the open dialog's title.
columns=$(window_by_height "$title" tall $((slow * 10 + 50)))
[ -n "$columns" ] || fail "no column dialog after the preview"
focus "$columns"
key Return
box=$(window_by_height "$title" short 30)
[ -n "$box" ] || fail "no progress box while the import opens the file"
import_start=$(date +%s%N)
# The same box stands again, shorter since it has no Cancel: it says that
# the import stops.
box_height() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$HEIGHT"
}
with_cancel=$(box_height "$box")
start=$(date +%s%N)
xdotool key Escape
stopping=""
while [ -z "$stopping" ]; do
  [ $(($(date +%s%N) - start)) -lt 1000000000 ] || fail "the import's box did not answer Cancel within a second"
  sleep 0.02
  id=$(progress_box)
  [ -n "$id" ] && [ "$(box_height "$id")" -lt "$with_cancel" ] && stopping=$id
done
echo "the import's box said it stops $((($(date +%s%N) - start) / 1000000)) ms after Cancel"
[ -n "$shot" ] && import -window root "${shot%.png}-stopping.png"
# Its busy bar moves: the window's thread paints while FreeXL's call runs.
import -window "$stopping" stopping-1.png
sleep 0.5
import -window "$stopping" stopping-2.png
cmp -s stopping-1.png stopping-2.png && fail "the stopping box did not repaint"
[ -n "$(progress_box)" ] || fail "the stopping box went before FreeXL's call returned"
while [ -n "$(progress_box)" ]; do
  [ $(($(date +%s%N) - import_start)) -lt $(((slow + 3) * 1000000000)) ] || fail "the stopping box outlived FreeXL's call"
  sleep 0.1
done
echo "the import stopped $((($(date +%s%N) - import_start) / 1000000)) ms after its box opened"
told=$(wait_window "Σ-Zelkor 3.2") || fail "no box telling that the import was cancelled"
focus "$told"
key Return
cmp Zelkor.dat before.dat || fail "the catalogue changed after the import was cancelled"
focus "$win"
# Alt+X ends the program, once the reading left behind has ended too.
alt_x_ends Lomira
echo "import-slow-reader: passed"
