# Package test: builds the Debian package from the install rules with CPack,
# unpacks it into a scratch root and checks every file it installs (desktop
# entry, icons, puzzle-file type, metainfo, man page), then starts the
# installed program on a private Xvfb display.
#
# Usage: bash tests/dist/test_package.sh <build dir>
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../e2e/lib.sh
. "$HERE/../e2e/lib.sh"

[ $# -eq 1 ] || { echo "usage: $0 <build dir>" >&2; exit 2; }
BUILD=$(cd "$1" && pwd)
ID=example.vorlane.Dozudo

e2e_start_xvfb   # also makes E2E_TMP and cleans up at exit
PKG=$E2E_TMP/pkg ROOT=$E2E_TMP/root
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$PKG" >"$E2E_TMP/cpack.log" 2>&1 ||
    { cat "$E2E_TMP/cpack.log" >&2; e2e_die "cpack failed"; }
DEB=$(ls "$PKG"/dozudo_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || e2e_die "no dozudo_*.deb in $PKG"
e2e_pass "package built: $(basename "$DEB")"

# Control fields: name, section, and dependencies found from the binary.
[ "$(dpkg-deb -f "$DEB" Package)" = dozudo ]; e2e_check $? "package name dozudo"
deps=$(dpkg-deb -f "$DEB" Depends)
case $deps in *libqt6widgets6*fonts-liberation*qt6-wayland*|*fonts-liberation*qt6-wayland*libqt6widgets6*) r=0 ;; *) r=1 ;; esac
e2e_check $r "depends on the Qt widgets library, the Arial-compatible fonts and the Wayland plugin ($deps)"

# lintian: no error or warning; no tag at all where the program ships hardened (no sanitizers).
out=$(lintian --fail-on error,warning --display-info "$DEB" 2>&1); rc=$?
tags=$(grep -E '^[EWI]: ' <<<"$out" | tr '\n' ' ')
{ grep -q '^DOZUDO_SANITIZE:BOOL=ON' "$BUILD/CMakeCache.txt" || [ -z "$tags" ]; } && [ $rc -eq 0 ]
e2e_check $? "lintian (exit $rc): ${tags:-no tags}"

# Exactly these files, each non-empty.
expected="./usr/bin/dozudo
./usr/share/applications/$ID.desktop
./usr/share/doc/dozudo/changelog.gz
./usr/share/doc/dozudo/copyright
./usr/share/icons/hicolor/128x128/apps/$ID.png
./usr/share/icons/hicolor/16x16/apps/$ID.png
./usr/share/icons/hicolor/24x24/apps/$ID.png
./usr/share/icons/hicolor/256x256/apps/$ID.png
./usr/share/icons/hicolor/32x32/apps/$ID.png
./usr/share/icons/hicolor/48x48/apps/$ID.png
./usr/share/icons/hicolor/64x64/apps/$ID.png
./usr/share/icons/hicolor/scalable/apps/$ID.svg
./usr/share/lintian/overrides/dozudo
./usr/share/man/man6/dozudo.6.gz
./usr/share/metainfo/$ID.metainfo.xml
./usr/share/mime/packages/$ID.xml"
listed=$(dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print $6 }' | sort)
extra=$(comm -3 <(printf '%s\n' "$expected" | sort) <(printf '%s\n' "$listed") | tr -d '\t' | tr '\n' ' ')
[ -z "$extra" ]; e2e_check $? "package holds exactly the 16 expected files${extra:+ — missing or unexpected: $extra}"
dpkg-deb -x "$DEB" "$ROOT" || e2e_die "dpkg-deb -x failed"
empty=""
while read -r f; do [ -s "$ROOT/$f" ] || empty="$empty $f"; done <<<"$expected"
[ -z "$empty" ]; e2e_check $? "every file unpacked and non-empty${empty:+ — missing or empty:$empty}"
[ -x "$ROOT/usr/bin/dozudo" ]; e2e_check $? "program is executable"
log=$(zcat "$ROOT/usr/share/doc/dozudo/changelog.gz" >"$E2E_TMP/cl" && dpkg-parsechangelog -l "$E2E_TMP/cl" -S Version)
[ "$log" = "$(dpkg-deb -f "$DEB" Version)" ]; e2e_check $? "changelog names the package's version ($log)"

# Icons: each PNG has the size its folder names.
bad=""
for png in "$ROOT"/usr/share/icons/hicolor/*x*/apps/$ID.png; do
    want=$(basename "$(dirname "$(dirname "$png")")")
    got=$(identify -format '%wx%h' "$png" 2>/dev/null)
    [ "$got" = "$want" ] || bad="$bad $want:$got"
done
[ -z "$bad" ]; e2e_check $? "PNG icons have their folder's size${bad:+ — wrong:$bad}"
rsvg-convert -w 32 -h 32 "$ROOT/usr/share/icons/hicolor/scalable/apps/$ID.svg" -o "$E2E_TMP/svg.png"
e2e_check $? "SVG icon renders"

# Desktop entry and metainfo pass their validators.
out=$(desktop-file-validate "$ROOT/usr/share/applications/$ID.desktop" 2>&1)
[ $? -eq 0 ] && [ -z "$out" ]; e2e_check $? "desktop-file-validate: no errors or warnings${out:+ — $out}"
grep -qx 'Exec=dozudo %f' "$ROOT/usr/share/applications/$ID.desktop" &&
    grep -qx "MimeType=application/x-dozudo-puzzle;text/x-sudoku-puzzles;" "$ROOT/usr/share/applications/$ID.desktop"
e2e_check $? "desktop entry opens puzzle files and puzzle collections of our types with the program"
out=$(appstreamcli validate --no-net --pedantic "$ROOT/usr/share/metainfo/$ID.metainfo.xml" 2>&1)
rc=$?
issues=$(printf '%s\n' "$out" | grep -E '^[EW]:' | tr '\n' ' ')
[ $rc -eq 0 ] && [ -z "$issues" ]
e2e_check $? "appstreamcli validate: no errors or warnings${issues:+ — $issues}"

# The puzzle-file type: *.sdk maps to it in a freshly built MIME database.
mkdir -p "$E2E_TMP/mime/packages"
cp "$ROOT/usr/share/mime/packages/$ID.xml" "$E2E_TMP/mime/packages/"
update-mime-database "$E2E_TMP/mime" >/dev/null 2>&1
grep -q '^[0-9]*:application/x-dozudo-puzzle:\*\.sdk$' "$E2E_TMP/mime/globs2"
e2e_check $? "update-mime-database maps *.sdk to application/x-dozudo-puzzle"
grep -q '^[0-9]*:text/x-sudoku-puzzles:\*\.sdm$' "$E2E_TMP/mime/globs2" &&
    grep -qx 'text/x-sudoku-puzzles text/plain' "$E2E_TMP/mime/subclasses"
e2e_check $? "update-mime-database maps *.sdm to text/x-sudoku-puzzles, a kind of plain text"

# Man page: formats without warnings and names the program.
man=$(zcat "$ROOT/usr/share/man/man6/dozudo.6.gz" | groff -man -Tutf8 -ww 2>"$E2E_TMP/groff.err")
[ ! -s "$E2E_TMP/groff.err" ] && printf '%s' "$man" | grep -q 'dozudo - Sudoku helper'
e2e_check $? "man page formats cleanly and names the program$(cat "$E2E_TMP/groff.err")"

# The installed program starts and shows its window.
e2e_start_app "$ROOT/usr/bin/dozudo"
e2e_pass "installed program shows its main window (${E2E_WW}x${E2E_WH})"

if [ "$E2E_FAILS" -ne 0 ]; then
    echo "$E2E_FAILS check(s) failed" >&2
    exit 1
fi
echo "all checks passed"
