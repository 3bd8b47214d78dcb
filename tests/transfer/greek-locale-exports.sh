#!/usr/bin/env bash
# Every export reads the same on a Greek system: under el_GR.UTF-8 (made with
# localedef in the test's own folder) the csv and MARC files are byte for byte
# those written under C.UTF-8, and both workbooks open in openpyxl with the
# same rows. A Greek locale once put decimal commas into the xlsx's widths.
# usage: greek-locale-exports.sh TOOL PYTHON3 SAMPLE_CSV
set -euo pipefail
tool=$1 python=$2 sample=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/locales"
localedef -i el_GR -f UTF-8 "$work/locales/el_GR.UTF-8" >/dev/null 2>&1 || fail "localedef cannot make el_GR.UTF-8 (install the Debian package locales)"
# The MARC exports stamp their moment (005): one fixed moment for both runs.
export LOCPATH="$work/locales" HOME="$work" XDG_RUNTIME_DIR="$work" SOURCE_DATE_EPOCH=1765152000
LC_ALL=el_GR.UTF-8 "$python" -c 'import locale; locale.setlocale(locale.LC_ALL, ""); assert locale.localeconv()["decimal_point"] == ","' ||
  fail "the Greek locale is not in force"

LC_ALL=C.UTF-8 "$tool" import "$sample" "$work/Zelkor.dat" >/dev/null
for format in csv xlsx marc21 marcxml unimarc; do
  for locale in C.UTF-8 el_GR.UTF-8; do
    LC_ALL=$locale "$tool" export --format "$format" "$work/Zelkor.dat" "$work/$locale.$format" >/dev/null ||
      fail "$format export under $locale"
  done
  if [ "$format" = xlsx ]; then
    rows() {
      "$python" -c 'import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(ws.max_row, [c.width for c in ws.column_dimensions.values()], ws.page_margins.left)
for row in ws.iter_rows(values_only=True): print(row)' "$1"
    }
    c_rows=$(rows "$work/C.UTF-8.xlsx") || fail "openpyxl cannot read the xlsx written under C.UTF-8"
    greek_rows=$(rows "$work/el_GR.UTF-8.xlsx") || fail "openpyxl cannot read the xlsx written under el_GR.UTF-8"
    [ "$c_rows" = "$greek_rows" ] || fail "the two workbooks differ"
  else
    cmp -s "$work/C.UTF-8.$format" "$work/el_GR.UTF-8.$format" || fail "$format differs under el_GR.UTF-8"
  fi
done
echo "every export reads the same under el_GR.UTF-8"
