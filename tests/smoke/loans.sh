#!/usr/bin/env bash
# The overdue list as a librarian meets it in the real program: opened from
# the search menu, printed as a list per class and as reminder slips (PDF
# files in the catalogue's folder where there is no printer, read back as
# text), a late book's record shown from the list, and the catalogue never
# written. The return dates lie years away, so any day of running reads alike.
# usage: loans.sh BIN_DIR (LOANS_SCREENSHOT=FILE.png and LOANS_KEEP=FOLDER keep
# the list's picture and the printed files)
set -euo pipefail
bin=$1
. "$(dirname "$0")/x11.sh"

cd "$work"
python3 - <<'PY'
fields = [
    ("Ουγκό", "Οι άθλιοι", "Παπαδόπουλος Γιώργος Β2 - 20/10/2020"),
    ("Μαραγκού", "Τα ψηλά βουνά", ""),
    ("Παπαδιαμάντης", "Η φόνισσα", "Νικολάου Μαρία Α1 - 1/12/2021"),
    ("Καζαντζάκης", "Ο Καπετάν Μιχάλης", "ΠΑΠΑΔΟΠΟΥΛΟΣ ΓΙΩΡΓΟΣ B2 1/12/2021"),
    ("Κάρολ", "Αλίκη στη χώρα των θαυμάτων", "Ιωάννου Πέτρος Β` 2 - 15/12/2090"),
    ("Σαμαράκης", "Το καπλάνι της βιτρίνας", "μετά τις διακοπές"),
    ("Μπρεχτ", "Ο κύκλος με την κιμωλία", "Γεωργίου Άννα ΣΤ΄1 20 Νοεμβρίου 2021"),
]
widths = [50, 50, 100, 50, 50, 50]
with open("Zelkor.dat", "wb") as f:
    for author, title, borrower in fields:
        for text, width in zip([author, "", title, "", "", borrower], widths):
            f.write(text.encode("cp1253").ljust(width, b" ")[:width])
PY
before=$(sha256sum Zelkor.dat)
caption="Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  7"

"$bin/Lomira" &
app_pid=$!
win=$(wait_window "$caption") || fail "no record window with caption '$caption'"
focus "$win"
# F10, then Δ (the D key) opens the search menu; its last item is the list.
key F10
key d
key Up
key Return
list=$(wait_window "Σ-Zelkor 3.2: Εκπρόθεσμα") || {
  [ -n "${LOANS_SCREENSHOT:-}" ] && import -window root "$LOANS_SCREENSHOT"
  fail "the overdue list did not open"
}
focus "$list"
[ -n "${LOANS_SCREENSHOT:-}" ] && import -window root "$LOANS_SCREENSHOT"

# The buttons' access letters are Greek: the Greek layout types them.
setxkbmap gr
key alt+Greek_lambda
setxkbmap us
for _ in $(seq 50); do compgen -G "./*.pdf" >/dev/null && break; sleep 0.1; done
pdfs=(./*.pdf)
[ ${#pdfs[@]} = 1 ] && [ -f "${pdfs[0]}" ] || fail "expected one printed list, found: ${pdfs[*]}"
pdftotext -layout -enc UTF-8 "${pdfs[0]}" list.txt
[ "$(grep -c $'\f' list.txt)" = 4 ] || fail "the list is not four pages: $(cat list.txt)"
pages=$(awk 'BEGIN{RS="\f"} {print NR": "$0}' list.txt | grep -o "^[0-9]*: Εκπρόθεσμα βιβλία — [^ ]* [^ ]*" | tr '\n' '|')
[ "$pages" = "1: Εκπρόθεσμα βιβλία — Τμήμα Α1|2: Εκπρόθεσμα βιβλία — Τμήμα Β2|3: Εκπρόθεσμα βιβλία — Τμήμα ΣΤ1|" ] ||
  fail "the classes' pages are not in order: $pages"
awk 'BEGIN{RS="\f"} NR==2' list.txt | grep -q "Παπαδόπουλος Γιώργος.*Οι άθλιοι" || fail "the most late book does not head the pupil's books"
awk 'BEGIN{RS="\f"} NR==4' list.txt | grep -q "μετά τις διακοπές" || fail "the unreadable field is not on the last page"
[ -n "${LOANS_KEEP:-}" ] && cp ./*.pdf "$LOANS_KEEP/list.pdf"
rm -f ./*.pdf

# The reminders ask for the school's name the first time.
setxkbmap gr
key alt+Greek_upsilon
setxkbmap us
box=$(wait_window "Σ-Zelkor 3.2") || fail "the school's name was not asked"
focus "$box"
# Typed on the Greek layout's own keys, with no accent to compose.
setxkbmap gr
# xdotool reads the Greek text by the locale: a bare system has only the C one.
LC_ALL=C.UTF-8 xdotool type --delay 30 "2ο ΓΥΜΝΑΣΙΟ ΛΑΜΙΑΣ"
setxkbmap us
key Return
for _ in $(seq 50); do compgen -G "./*.pdf" >/dev/null && break; sleep 0.1; done
pdfs=(./*.pdf)
[ ${#pdfs[@]} = 1 ] && [ -f "${pdfs[0]}" ] || fail "expected one page of slips, found: ${pdfs[*]}"
[ "$(pdfinfo "${pdfs[0]}" | grep -c "^Pages: *1$")" = 1 ] || fail "the slips took more than one sheet"
pdftotext -layout -enc UTF-8 "${pdfs[0]}" slips.txt
[ -n "${LOANS_KEEP:-}" ] && cp "${pdfs[0]}" "$LOANS_KEEP/slips.pdf"
[ "$(grep -c "2ο ΓΥΜΝΑΣΙΟ ΛΑΜΙΑΣ" slips.txt)" = 3 ] || fail "three pupils have late books: $(cat slips.txt)"
[ "$(grep -c -- "- - - - -" slips.txt)" = 3 ] || fail "the slips are not cut apart"
! grep -q "Ιωάννου" slips.txt || fail "a book not yet due got a reminder"
conf="$XDG_CONFIG_HOME/Lomira/Lomira.conf"
grep -A1 -x "\[school\]" "$conf" | grep -qx "name=2ο ΓΥΜΝΑΣΙΟ ΛΑΜΙΑΣ" || fail "the school's name was not kept: $(cat "$conf")"
# The cut lines fall at the quarters of the sheet.
pdftotext -bbox-layout -enc UTF-8 "${pdfs[0]}" slips.html
python3 - slips.html <<'PY' || fail "the cut lines are not at the quarters"
import re, sys
html = open(sys.argv[1], encoding="utf-8").read()
height = float(re.search(r'<page width="[0-9.]+" height="([0-9.]+)"', html).group(1))
cuts = [float(m.group(1)) for m in re.finditer(r'<line xMin="[0-9.]+" yMin="([0-9.]+)"[^>]*>\s*<word[^>]*>-</word>', html)]
assert len(cuts) == 3, cuts
for n, y in enumerate(cuts, 1):
    assert abs(y / height - n / 4) < 0.03, (n, y, height)
PY

# Going to a book from the list shows its record in the record window.
focus "$list"
# A click in the list's empty lower part gives it the keys; Home is the first
# class's heading, the next row its first book.
xdotool mousemove --window "$list" 400 300 click 1
sleep 0.3
key Home
key Down
key Return
wait_window "Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  3  από  7" >/dev/null ||
  fail "going to the first late book did not show record 3"
focus "$win"
alt_x_ends Lomira
[ "$(sha256sum Zelkor.dat)" = "$before" ] || fail "the catalogue was written"
