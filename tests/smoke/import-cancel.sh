#!/usr/bin/env bash
# Reading a long file to import never freezes the librarian's window: while
# a table of a million rows is read, the progress box stands over a window
# that still paints, its Cancel (Escape) closes it within a second, the
# reading stops rather than running on unseen, and the catalogue keeps every
# byte.
# usage: import-cancel.sh BIN_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
. "$(dirname "$0")/x11.sh"

cd "$work"
printf '%-350s' "Record one" >Zelkor.dat
cp Zelkor.dat before.dat
{
  echo "Τίτλος;Συγγραφέας;Βιβλιάριθμος"
  awk 'BEGIN { for (i = 1; i <= 1000000; i++) printf "Βιβλίο %d;Συγγραφέας %d;%d\n", i, i, i }'
} >long.csv

"$bin/Lomira" &
app_pid=$!
win=$(wait_window "Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  1") || fail "no record window"
focus "$win"
# File, then Import, by the keys where their Greek letters stand.
key F10
key a
key i
dialog=$(wait_window "Σ-Zelkor 3.2: Εισαγωγή καταλόγου") || fail "no open dialog"
xdotool type --delay 10 "$work/long.csv"
key Return

# The progress box has the open dialog's title; it is the short window.
box=$(window_by_height "Σ-Zelkor 3.2: Εισαγωγή καταλόγου" short 100)
[ -n "$box" ] || fail "no progress box while the file is read"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$app_pid/stat"; }
cancel_within_a_second "$box"

# The reading stops: the program spends well under half a core once it is left.
before=$(cpu_ticks)
sleep 2
spent=$(($(cpu_ticks) - before))
[ "$spent" -lt 100 ] || fail "the program ran on after Cancel ($spent ticks in 2 s)"
cmp Zelkor.dat before.dat || fail "the catalogue changed"
focus "$win"
# The window answers at once: Alt+X ends the program.
alt_x_ends Lomira
echo "import-cancel: passed"
