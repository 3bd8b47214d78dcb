#!/usr/bin/env bash
# The README's screenshots of the Windows programs under Wine: the setup
# program installed into a fresh prefix, the sample catalogue imported by the
# Windows catalogue tool into the catalogue folder, each program started from
# its Start-menu entry and its window taken as it first shows, at 100 %.
# Wine's own stand-ins for Windows' interface fonts have no Greek, and the face
# it falls back on measures so tall that the one-line boxes show no text; a
# sans face with Greek stands in for them, as Windows' own faces have Greek.
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
for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Segoe UI' 'MS Sans Serif'; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d 'DejaVu Sans' /f >/dev/null
done

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
