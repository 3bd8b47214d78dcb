#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root as dpkg would
# install it, checks what it holds and depends on, then runs the installed
# programs through the real-window smoke test.
# usage: package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() { echo "package: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || fail "cpack failed"
deb=$(ls "$out"/*.deb | head -n 1)
[ -n "$deb" ] || fail "no .deb produced"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libxlsxwriter libyaz fonts-dejavu-core; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

root="$out/root"
dpkg-deb -x "$deb" "$root"
for f in usr/lib/lomira/Lomira usr/lib/lomira/LomiraView usr/lib/lomira/ZELKOR.HLP \
         usr/bin/lomira usr/bin/lomira-view usr/bin/lomira-catalogue usr/share/man/man1/lomira-catalogue.1.gz \
         usr/share/applications/lomira.desktop usr/share/applications/lomira-view.desktop \
         usr/share/icons/hicolor/scalable/apps/lomira.svg usr/share/icons/hicolor/48x48/apps/lomira.png; do
  [ -e "$root/$f" ] || fail "missing $f"
done
grep -q 'lib/lomira/Lomira"' "$root/usr/bin/lomira" || fail "launcher does not start the installed program"
# The About box's web address names the README that the package installs.
web=$(sed -n 's/^LOMIRA_WEB_ADDRESS:STRING=//p' "$build/CMakeCache.txt")
case "$web" in
  file:///*) [ -f "$root${web#file://}" ] || fail "the About box names $web, which the package lacks" ;;
esac
grep -qaF "$web" "$root/usr/lib/lomira/Lomira" || fail "Lomira does not hold the web address $web"
# The launchers start the programs in the catalogue folder, created when missing.
home="$out/home"
mkdir -p "$home"
printf '#!/bin/sh\npwd > "%s/started-in"\n' "$out" > "$root/usr/lib/lomira/Lomira.fake"
sed 's#lib/lomira/Lomira"#lib/lomira/Lomira.fake"#' "$root/usr/bin/lomira" > "$root/usr/bin/lomira.test"
chmod +x "$root/usr/lib/lomira/Lomira.fake" "$root/usr/bin/lomira.test"
HOME="$home" XDG_CONFIG_HOME="$home/.config" "$root/usr/bin/lomira.test"
[ "$(cat "$out/started-in")" = "$home/Documents/Lomira" ] || fail "launcher started in $(cat "$out/started-in")"
grep -q '^Exec=lomira$' "$root/usr/share/applications/lomira.desktop" || fail "desktop entry does not use the launcher"
# The installed tool makes the sample catalogue and finds it clean but for its deleted records.
"$root/usr/bin/lomira-catalogue" import "$src/data/sample-catalogue.csv" "$out/Zelkor.dat" >/dev/null ||
  fail "lomira-catalogue import failed"
"$root/usr/bin/lomira-catalogue" check "$out/Zelkor.dat" >/dev/null || fail "lomira-catalogue check failed"
zcat "$root/usr/share/man/man1/lomira-catalogue.1.gz" | grep -q '^\.TH LOMIRA-CATALOGUE 1' || fail "man page unreadable"
# The entries pass the platform's own check without a word (errors, warnings
# and hints alike), each in one main menu category.
for entry in "$root"/usr/share/applications/*.desktop; do
  report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate rejects $(basename "$entry"): $report"
  [ -z "$report" ] || fail "desktop-file-validate on $(basename "$entry"): $report"
done

"$src/tests/smoke/smoke.sh" "$root/usr/lib/lomira"
echo "package: passed ($(basename "$deb"))"
