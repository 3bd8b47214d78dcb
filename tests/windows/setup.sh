#!/usr/bin/env bash
# The Windows setup program under Wine, as a school uses it: installed
# silently into a fresh prefix, the programs started from their Start-menu
# entries in a virtual X server and driven with keys. The Windows build must
# write the very bytes the Linux build writes for the same keys (Latin letters
# and Greek ones typed on a Greek keyboard), the students' edition must leave
# the catalogue as it was and print to a PDF when there is no printer, a second
# editor is refused, the About box reads Wine's registry, the window follows
# the screen's scaling, a workbook imported through the window (read beside
# it) leaves a program that still ends, a full disk is reported in Greek with
# the catalogue left whole, the catalogue tool imports and exports what the
# Linux tool does, and the uninstaller takes the programs and leaves the
# catalogue.
# usage: setup.sh WINDOWS_BUILD LINUX_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
win=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
setup=$(ls "$win"/Lomira-*-setup.exe)
# The full-disk step's small disk, when mounted.
full_disk=""
on_exit() { [ -z "$full_disk" ] || umount "$full_disk"; }
step() { echo "setup: $*"; }
step "silent install for one computer"
. "$here/installed.sh"

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

# Fails unless the two files are byte for byte the same; shows both as text.
same_bytes() {
  cmp -s "$1" "$2" && return 0
  for f in "$1" "$2"; do echo "$f:" >&2 && iconv -f CP1253 -t UTF-8 "$f" | fold -w 50 | sed 's/ *$//;/^$/d' >&2; done
  fail "$3"
}

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

width_of() { xwininfo -id "$1" | sed -n 's/^ *Width: *//p'; }

# The keys both builds get: a record typed and saved with F3, a new record
# with F12 and Alt+X, which saves it and ends. Latin letters, as a keyboard
# sends them on a US keyboard (xdotool's borrowed key codes for letters the
# layout lacks reach Wine as one letter; the Greek record below is typed on a
# Greek layout). Nothing is typed after the confirmation: under Wine without a
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
width_at_96_dpi=$(width_of "$main")
first_pid=$app_pid
start_entry "$librarian"
text=$(answer_box) || fail "a second Lomira.exe was not refused"
[[ "$text" == *"είναι ήδη ανοικτός για καταχώριση σε άλλο πρόγραμμα"* ]] || fail "the refusal read: $text"
wait_app
app_pid=$first_pid
end_with_alt_x "$main" Lomira.exe
same_bytes "$work/linux/Zelkor.dat" "$catalogue_dir/Zelkor.dat" "Lomira.exe wrote other bytes than the Linux build"

step "Greek letters typed on a Greek keyboard, the same bytes as the Linux build's"
# Each program reads the keyboard's layout when it starts; the accent comes
# from the layout's dead key, as a Greek typist makes it. One accent only:
# Wine's keyboard driver gives every later dead-key letter of a program's run
# the first one's letter (ά, then ά for ί). The layout goes back to US only
# once the keys are in, for the Alt+X that saves and ends.
type_greek_record() {
  local win
  win=$(wait_long "$(caption 1 2)") || fail "$1: no record window"
  focus "$win"
  key F12
  wait_long "$(caption 3 3)" >/dev/null || fail "$1: new record not shown"
  xdotool type --delay 40 "ΕΛΥΤΗΣ, Οδυσσ"
  xdotool key --delay 40 dead_acute Greek_epsilon
  xdotool type --delay 40 "ας"
  sleep 1
  setxkbmap us
  sleep 0.5
  end_with_alt_x "$win" "$1"
}
setxkbmap gr
cd "$work/linux"
QT_QPA_PLATFORM=xcb "$linux/Lomira" &
app_pid=$!
type_greek_record Linux
[ "$(stat -c %s Zelkor.dat)" = 1050 ] || fail "the Linux build wrote $(stat -c %s Zelkor.dat) bytes"
setxkbmap gr
start_entry "$librarian"
type_greek_record Lomira.exe
same_bytes "$work/linux/Zelkor.dat" "$catalogue_dir/Zelkor.dat" "Lomira.exe wrote other Greek bytes than the Linux build"

step "LomiraView.exe leaves the catalogue as it was and prints to a PDF, having no printer"
before=$(sha256sum <"$catalogue_dir/Zelkor.dat")
start_entry "$students"
view=$(wait_long "$(view_caption 1 3)") || fail "no students' window"
focus "$view"
key Next
wait_window "$(view_caption 2 3)" >/dev/null || fail "Page Down did not show record 2"
key Next
wait_window "$(view_caption 3 3)" >/dev/null || fail "Page Down did not show record 3"
# Enter queues the record; the program prints the queue as it ends.
key Return
end_with_alt_x "$view" LomiraView.exe
[ "$before" = "$(sha256sum <"$catalogue_dir/Zelkor.dat")" ] || fail "LomiraView.exe changed the catalogue"
pdfs=("$catalogue_dir"/Zelkor-*.pdf)
[ ${#pdfs[@]} = 1 ] && [ -f "${pdfs[0]}" ] || fail "expected one PDF in the catalogue folder, found: ${pdfs[*]}"
printed=$(pdftotext -enc UTF-8 "${pdfs[0]}" -)
[[ "$printed" == *"Αρ. Εγγρ."* && "$printed" == *"ΕΛΥΤΗΣ, Οδυσσέας"* ]] || fail "the PDF reads: $printed"

step "the About box reads Wine's registry; the window follows the screen's scaling"
# 144 dots an inch is Windows' 150 %: the window is half as large again.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
start_entry "$librarian"
main=$(wait_long "$(caption 1 3)") || fail "no record window at 150 %"
[ "$(($(width_of "$main") * 2))" = "$((width_at_96_dpi * 3))" ] ||
  fail "the window is $(width_of "$main") wide at 150 %, $width_at_96_dpi at 100 %"
wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null
# Help, About; its System Info button starts the program the registry names.
open_about() {
  focus "$main"
  key F10 && key Left && key Down && key Up && key Return
  wait_long "Περί του Σχολικός Zelkor"
}
about=$(open_about) || fail "no About box"
focus "$about"
key alt+s
text=$(answer_box Zelkor) || fail "no box when the registry names no System Info"
[[ "$text" == *"System Information Is Unavailable At This Time"* ]] || fail "the box read: $text"
wine reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /t REG_SZ \
  /d 'C:\windows\system32\notepad.exe' /f >/dev/null
focus "$about"
key alt+s
notepad=$(wait_long "Untitled - Notepad") || fail "System Info did not start what the registry names"
focus "$notepad"
key alt+F4
wait_gone "$notepad" || fail "Notepad did not end; $(shown_windows)"
focus "$about"
key Escape
wait_gone "$about" || fail "the About box did not close on Esc; $(shown_windows)"
end_with_alt_x "$main" "Lomira.exe at 150 %"

step "Lomira.exe imports a workbook through its window and ends"
# The preview and the import read beside the window, on a thread kept until
# the program ends; the program must still end at once, with status 0.
cp "$catalogue_dir/Zelkor.dat" "$work/before-import.dat"
cp "$src/tests/data/books.xls" "$catalogue_dir/books.xls"
start_entry "$librarian"
main=$(wait_long "$(caption 1 3)") || fail "no record window for the import"
focus "$main"
# File, then Import, by the keys where their Greek letters stand; Wine's own
# open dialog comes with its file name's box focused.
key F10 && key a && key i
import_title="Σ-Zelkor 3.2: Εισαγωγή καταλόγου"
wait_long "$import_title" >/dev/null || fail "no open dialog for the import"
sleep 1
xdotool type --delay 40 books.xls
key Return
columns=$(window_by_height "$import_title" tall 100)
[ -n "$columns" ] || fail "no column dialog after the preview; $(shown_windows)"
focus "$columns"
key Return
text=$(answer_box) || fail "no box after the import"
[[ "$text" == *"Προστέθηκαν 2 εγγραφές, με κωδικούς 4 έως 5."* ]] || fail "the import said: $text"
end_with_alt_x "$main" "Lomira.exe after an import"
[ "$(stat -c %s "$catalogue_dir/Zelkor.dat")" = 1750 ] || fail "the import left $(stat -c %s "$catalogue_dir/Zelkor.dat") bytes"
cp "$work/before-import.dat" "$catalogue_dir/Zelkor.dat"
rm "$catalogue_dir/books.xls"

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

step "a full disk: the save is refused in Greek and the catalogue stays whole"
# The catalogue folder becomes a small disk of its own, filled once the
# program is up (it takes its daily copy as it starts). The catalogue ends on
# a page's end, so a new record needs a page the disk no longer has.
{
  head -n 1 sample.csv
  for n in $(seq 2048); do echo "Συγγραφέας $n,,Τίτλος $n,,,"; done
} >full.csv
"$linux/lomira-catalogue" import full.csv full.dat >/dev/null
if mount -t tmpfs -o size=2m lomira-full "$catalogue_dir" 2>/dev/null; then
  full_disk=$catalogue_dir
  cp full.dat "$catalogue_dir/Zelkor.dat"
  start_entry "$librarian"
  main=$(wait_long "$(caption 1 2048)") || fail "no record window on the small disk"
  dd if=/dev/zero of="$catalogue_dir/filler" bs=4k 2>/dev/null || true
  focus "$main"
  key F12
  xdotool type --delay 40 "Kazantzakis"
  key F3
  text=$(answer_box) || fail "no message for the full disk"
  [[ "$text" == *"Δεν ήταν δυνατό να γραφτεί η εγγραφή 2049 στο αρχείο «Zelkor.dat»: ο δίσκος είναι γεμάτος."* ]] ||
    fail "the full disk was reported as: $text"
  wait_gone "$main" 150 || fail "Lomira.exe did not end after the full disk"
  wait_app
  cmp -s full.dat "$catalogue_dir/Zelkor.dat" || fail "the failed save changed the catalogue"
  # Wine lets go of the folder a moment after the program has ended.
  for _ in $(seq 20); do umount "$catalogue_dir" 2>/dev/null && break; sleep 0.5; done
  mountpoint -q "$catalogue_dir" && umount "$catalogue_dir"
  full_disk=""
else
  echo "setup: no tmpfs can be mounted here (not root?); the full disk is left to the suite's fault tests"
fi

step "the uninstaller takes the programs and the entries, never the catalogue"
# A student's LomiraView.exe still runs: its file goes at the next restart.
start_entry "$students"
view=$(wait_long "$(view_caption 1 3)") || fail "no students' window"
# Uninstall.exe copies itself to the temporary folder and runs from there, so
# that it can delete itself; the copy removes its registry entry last.
wine "$programs/Uninstall.exe" /S
for _ in $(seq 120); do
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lomira' >/dev/null 2>&1 || break
  sleep 0.5
done
left=$(find "$programs" "$menu" 2>/dev/null || true)
[ "$left" = "$programs"$'\n'"$programs/LomiraView.exe" ] || fail "the uninstaller left: $left"
end_with_alt_x "$view" LomiraView.exe
wine wineboot --restart >/dev/null 2>&1
left=$(find "$programs" "$menu" 2>/dev/null || true)
[ -z "$left" ] || fail "after a restart the uninstaller has left: $left"
! wine reg query 'HKLM\Software\Microsoft\Active Setup\Installed Components\Lomira' >/dev/null 2>&1 ||
  fail "the uninstaller left the Active Setup entry"
same_bytes "$work/linux/Zelkor.dat" "$catalogue_dir/Zelkor.dat" "the uninstaller changed the catalogue"
[ -n "$(ls "$catalogue_dir/Αντίγραφα ασφαλείας")" ] || fail "the uninstaller removed the daily copies"
[ -f "${pdfs[0]}" ] || fail "the uninstaller removed the printed PDF"

echo "setup: passed"
