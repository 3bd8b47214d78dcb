#!/usr/bin/env bash
# Starts the real programs in a real X server as a user would: the window
# appears with its exact caption, keys go in through xdotool, the program
# ends with status 0 and the catalogue holds what was typed.
# usage: smoke.sh BIN_DIR
set -euo pipefail
bin=$1
. "$(dirname "$0")/x11.sh"

caption_1_of_1="Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  1"
caption_1_of_2="Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  2"
caption_2_of_2="Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  2  από  2"

cd "$work"
"$bin/Lomira" &
app_pid=$!
win=$(wait_window "$caption_1_of_1") || fail "no record window with caption '$caption_1_of_1'"
focus "$win"
# While the menu bar holds the keys no shortcut acts: on the empty catalogue
# F10 then F12 adds no record.
key F10
key F12
key Escape
[ "$(stat -c %s Zelkor.dat)" = 0 ] || fail "F10 then F12 wrote $(stat -c %s Zelkor.dat) bytes"
[ "$(xdotool getwindowname "$win")" = "$caption_1_of_1" ] || fail "F10 then F12 changed the record shown"
xdotool type --delay 20 "Smoke Test"
sleep 0.3
# F3 saves; the confirmation box takes the focus and answers to Enter.
key F3
box=$(wait_window "Σ-Zelkor 3.2") || fail "no save confirmation box"
focus "$box"
key Return
focus "$win"
[ "$(stat -c %s Zelkor.dat)" = 350 ] || fail "record 1 not saved"
# F12 adds record 2.
key F12
wait_window "$caption_2_of_2" >/dev/null || fail "new record not shown"
# F10 then F1 leaves record 1 shown; after Esc, F1 moves on to record 2.
key F2
wait_window "$caption_1_of_2" >/dev/null || fail "F2 did not go back to record 1"
key F10
key F1
[ "$(xdotool getwindowname "$win")" = "$caption_1_of_2" ] || fail "F10 then F1 moved to another record"
key Escape
key F1
wait_window "$caption_2_of_2" >/dev/null || fail "F1 after Esc did not move to record 2"
# A return date typed with the keypad's decimal key, under the US and then the
# Greek layout (a point, then a comma), goes into the borrower box and queues
# nothing for printing. The box lies 288 pixels below the menu bar, which
# takes what the window has beyond its 406-pixel client area.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove --window "$win" 100 $((HEIGHT - 406 + 300)) click 1
sleep 0.3
xdotool type --delay 20 "10"
key KP_Decimal
xdotool type --delay 20 "12"
setxkbmap gr
sleep 0.3
key KP_Separator
setxkbmap us
sleep 0.3
xdotool type --delay 20 "2026"
sleep 0.3
# Alt+X saves the shown record and ends.
alt_x_ends Lomira
[ "$(stat -c %s Zelkor.dat)" = 700 ] || fail "file is $(stat -c %s Zelkor.dat) bytes, expected 700"
head -c 10 Zelkor.dat | grep -q "Smoke Test" || fail "record 1 does not hold the typed text"
borrower=$(tail -c 50 Zelkor.dat | tr -d ' ')
[ "$borrower" = "10.12,2026" ] || fail "the borrower box holds '$borrower', not the date typed on the keypad"
! ls ./*.pdf >/dev/null 2>&1 || fail "the keypad's decimal key queued a record: $(ls ./*.pdf)"

# The menu bar as the screen shows it (the window beyond its 406-pixel
# client area), and how many of the program's windows are shown: a drop-down
# is a window of its own.
menu_bar() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x$((HEIGHT - 406))+$X+$Y" rgb:- | sha256sum
}
shown_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
# True once the menu bar looks like $1 (or unlike it, with "!") and no
# drop-down is shown, waiting up to five seconds for the window to repaint.
menu_bar_settles() {
  for _ in $(seq 50); do
    local now
    now=$(menu_bar "$view")
    if [ "$(shown_windows)" = 1 ]; then
      if [ "$1" = "!" ]; then [ "$now" != "$2" ] && return 0; else [ "$now" = "$1" ] && return 0; fi
    fi
    sleep 0.1
  done
  return 1
}

# The students' edition opens the same file, ends and leaves it untouched.
before=$(sha256sum Zelkor.dat; stat -c %Y Zelkor.dat)
"$bin/LomiraView" &
app_pid=$!
view_caption="Μ-Zelkor 3.2: Μαθητές - Διερεύνηση           Εγγραφή:  1  από  2"
view=$(wait_window "$view_caption") || fail "no students' window"
focus "$view"
# F10 marks the first title and opens nothing; the menu bar holds the keys,
# so Page Down leaves record 1 shown; Esc gives the keys back.
idle=$(menu_bar "$view")
key F10
menu_bar_settles ! "$idle" || fail "F10 opened a drop-down or left the menu bar unmarked"
sleep 0.3
active=$(menu_bar "$view")
key Next
[ "$(xdotool getwindowname "$view")" = "$view_caption" ] || fail "Page Down reached the window behind the menu bar"
menu_bar_settles "$active" || fail "Page Down changed the menu bar"
key Escape
menu_bar_settles "$idle" || fail "Esc left the menu bar active"
# F10, Esc, Enter: no menu opens and the record is queued once, which the
# end of the program prints.
key F10
key Escape
key Return
menu_bar_settles "$idle" || fail "F10, Esc, Enter opened a menu"
alt_x_ends LomiraView
[ "$before" = "$(sha256sum Zelkor.dat; stat -c %Y Zelkor.dat)" ] || fail "LomiraView changed the catalogue"
pdfs=(./*.pdf)
[ ${#pdfs[@]} = 1 ] && [ -f "${pdfs[0]}" ] || fail "expected one printed job, found: ${pdfs[*]}"
queued=$(pdftotext -enc UTF-8 "${pdfs[0]}" - | grep -c "Αρ. Εγγρ.") || true
[ "$queued" = 1 ] || fail "F10, Esc, Enter queued $queued records, not one"
echo "smoke: passed"
