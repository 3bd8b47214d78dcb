#!/usr/bin/env bash
# The Windows setup program under Wine, as a school uses it: installed
# silently into a fresh prefix, the programs started from their Start-menu
# entries in a virtual X server and driven with keys. The Windows build must
# write the very bytes the Linux build writes for the same keys, the students'
# edition must leave the catalogue as it was, a second editor is refused, the
# catalogue tool imports and exports what the Linux tool does.
# usage: setup.sh WINDOWS_BUILD LINUX_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
win=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
setup=$(ls "$win"/Lomira-*-setup.exe)
. "$src/tests/smoke/x11.sh"
unset QT_QPA_PLATFORM

# A home of its own: Wine links the prefix's Documents to the home folder.
mkdir -p "$work/home"
export HOME=$work/home WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
export PATH=$PATH:/usr/lib/wine
# One server for the whole run, started before the prefix is made.
mkdir -p "$WINEPREFIX" && wineserver -p
wine wineboot --init >/dev/null 2>&1

caption() { echo "Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  $1  από  $2"; }
view_caption() { echo "Μ-Zelkor 3.2: Μαθητές - Διερεύνηση           Εγγραφή:  $1  από  $2"; }
# A program's first window under Wine may take a few seconds more.
wait_long() { for _ in 1 2 3 4 5 6; do wait_window "$1" && return 0; done; return 1; }
# The text of the message box shown now, through its Ctrl+C and the clipboard.
box_text() {
  local text=""
  printf '' | xclip -selection clipboard
  for _ in $(seq 10); do
    focus "$1"
    xdotool key --clearmodifiers ctrl+c
    sleep 0.5
    text=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ -n "$text" ] && break
  done
  echo "$text"
}
# Answers the box titled with the product title and prints its text.
answer_box() {
  local box
  box=$(wait_long "${1:-Σ-Zelkor 3.2}") || return 1
  box_text "$box"
  focus "$box"
  key Return
}

step() { echo "setup: $*"; }
# Fails unless the two files are byte for byte the same; shows both as text.
same_bytes() {
  cmp -s "$1" "$2" && return 0
  for f in "$1" "$2"; do echo "$f:" >&2 && iconv -f CP1253 -t UTF-8 "$f" | fold -w 50 | sed 's/ *$//;/^$/d' >&2; done
  fail "$3"
}

step "silent install for one computer"
wine "$setup" /S
programs="$WINEPREFIX/drive_c/Program Files/Lomira"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zelkor"
librarian="$menu/Σ-Zelkor - Κατάλογος Βιβλιοθήκης.lnk"
students="$menu/Μ-Zelkor - Κατάλογος για Μαθητές.lnk"
catalogue_dir="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Documents/Lomira"
for f in Lomira.exe LomiraView.exe lomira-catalogue.exe ZELKOR.HLP Uninstall.exe; do
  [ -f "$programs/$f" ] || fail "not installed: $f"
done
[ -f "$librarian" ] && [ -f "$students" ] || fail "no Start-menu entries in $menu"
[ -d "$catalogue_dir" ] || fail "no catalogue folder $catalogue_dir"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lomira' /v UninstallString >/dev/null ||
  fail "the uninstaller is not registered"
# Nothing beside the programs: every DLL they name is one of Windows' own
# (api-ms-win-* are names the loader maps onto Windows' own DLLs).
for exe in Lomira.exe LomiraView.exe lomira-catalogue.exe; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$programs/$exe" | sed -n 's/^\s*DLL Name: //p' | grep -v '^api-ms-win-'); do
    [ -n "$(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll")" ] ||
      fail "$exe needs $dll, which Windows does not have"
  done
done

# Starts a Start-menu entry as Windows' shell does: its program in its
# working folder. The exit status of the program goes into $status.
start_entry() {
  wine start /wait /unix "$1" &
  app_pid=$!
}

# The keys both builds get: a record typed and saved with F3, a new record
# with F12 and Alt+X, which saves it and ends. Latin letters, as a keyboard
# sends them: xdotool's borrowed key codes for Greek letters reach Wine as one
# letter (Greek texts and names are proven by the suite and by the folder
# below). Nothing is typed after the confirmation: under Wine without a
# window manager no box has the keys back once the box is gone.
type_two_records() {
  local win
  win=$(wait_long "$(caption 1 1)") || fail "$1: no record window"
  focus "$win"
  xdotool type --delay 40 "Kazantzakis Nikos"
  sleep 0.3
  key F3
  answer_box >/dev/null || fail "$1: no save confirmation"
  focus "$win"
  key F12
  wait_long "$(caption 2 2)" >/dev/null || fail "$1: new record not shown"
}
end_with_alt_x() {
  focus "$1"
  key alt+x
  wait_app
  [ "$status" = 0 ] || fail "$2 ended with status $status"
}

step "the Linux build, for the bytes to compare with"
mkdir -p "$work/linux" && cd "$work/linux"
QT_QPA_PLATFORM=xcb "$linux/Lomira" &
app_pid=$!
type_two_records Linux
end_with_alt_x "$(wait_window "$(caption 2 2)")" Linux
[ "$(stat -c %s Zelkor.dat)" = 700 ] || fail "the Linux build wrote $(stat -c %s Zelkor.dat) bytes"

step "Lomira.exe from its Start-menu entry, and a second one refused"
start_entry "$librarian"
type_two_records Windows
main=$(wait_window "$(caption 2 2)")
first_pid=$app_pid
start_entry "$librarian"
text=$(answer_box) || fail "a second Lomira.exe was not refused"
[[ "$text" == *"είναι ήδη ανοικτός για καταχώριση σε άλλο πρόγραμμα"* ]] || fail "the refusal read: $text"
wait_app
app_pid=$first_pid
end_with_alt_x "$main" Lomira.exe
same_bytes "$work/linux/Zelkor.dat" "$catalogue_dir/Zelkor.dat" "Lomira.exe wrote other bytes than the Linux build"

step "LomiraView.exe leaves the catalogue as it was"
before=$(sha256sum <"$catalogue_dir/Zelkor.dat")
start_entry "$students"
view=$(wait_long "$(view_caption 1 2)") || fail "no students' window"
focus "$view"
key Next
wait_window "$(view_caption 2 2)" >/dev/null || fail "Page Down did not show record 2"
key alt+x
wait_app
[ "$status" = 0 ] || fail "LomiraView.exe ended with status $status"
[ "$before" = "$(sha256sum <"$catalogue_dir/Zelkor.dat")" ] || fail "LomiraView.exe changed the catalogue"

step "lomira-catalogue.exe reads and writes what the Linux tool does"
tool() { wine "C:\\Program Files\\Lomira\\lomira-catalogue.exe" "$@"; }
mkdir -p "$work/tool" && cd "$work/tool"
cp "$src/data/sample-catalogue.csv" sample.csv
"$linux/lomira-catalogue" import sample.csv linux.dat >/dev/null
tool import sample.csv windows.dat >/dev/null
cmp linux.dat windows.dat || fail "the imports differ"
# MARC stamps the moment of the export; both tools are given the same one.
export SOURCE_DATE_EPOCH=1796688000
for format in csv marc21 marcxml unimarc; do
  "$linux/lomira-catalogue" export --format "$format" linux.dat "linux.$format" >/dev/null
  tool export --format "$format" linux.dat "windows.$format" >/dev/null
  cmp "linux.$format" "windows.$format" || fail "the $format exports differ"
done

echo "setup: passed"
