#!/usr/bin/env bash
# The README's screenshots of the Windows programs under Wine: the setup
# program installed into a fresh prefix, the sample catalogue imported by the
# Windows catalogue tool into the catalogue folder, each program started from
# its Start-menu entry and its window taken as it first shows, at 150 %
# scaling: at 100 % the one-line boxes under Wine show no text, with the
# serif face Wine gives the programs in place of Windows' own (not yet seen
# on a Windows PC).
# usage: screenshots.sh WINDOWS_BUILD OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
win=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
setup=$(ls "$win"/Lomira-*-setup.exe)
. "$here/installed.sh"

cp "$src/data/sample-catalogue.csv" "$catalogue_dir/sample.csv"
(cd "$catalogue_dir" && wine "C:\\Program Files\\Lomira\\lomira-catalogue.exe" import sample.csv Zelkor.dat >/dev/null)
rm "$catalogue_dir/sample.csv"
records=$(($(stat -c %s "$catalogue_dir/Zelkor.dat") / 350))
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null

# The window as it first shows, in the small palette the Linux shots use.
shoot() {
  local id
  start_entry "$1"
  id=$(wait_long "$2") || fail "no window '$2'"
  sleep 2
  import -window "$id" "$out/$3"
  convert "$out/$3" -strip -colors 64 "$out/$3"
  end_with_alt_x "$id" "$3"
}
shoot "$librarian" "$(caption 1 "$records")" windows-record-window.png
shoot "$students" "$(view_caption 1 "$records")" windows-students-window.png
