# End-to-end puzzle texts of other programs: a framed grid named on the command
# line opens, and a collection of puzzle lines dropped on the window opens its
# first puzzle. Each board is read back with "clipbrd" (xclip), byte by byte.
#
# Usage: bash tests/e2e/test_text_formats.sh <path-to-dozudo> <tests/data dir>
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"

[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
PROG=$1
DATA=$2
command -v xclip >/dev/null || e2e_die "xclip is missing"
# Debian's python3, where python3-xlib installs (another python3 may come first on PATH).
PY=/usr/bin/python3; [ -x "$PY" ] || PY=python3
"$PY" -c 'import Xlib' 2>/dev/null || e2e_die "python3-xlib is missing"

mapfile -t PUZZLES < <(grep -E '^[0-9.]{81}$' "$DATA/euler50.txt" | head -n 2)
P1=${PUZZLES[0]}; P2=${PUZZLES[1]}
click_bar() { e2e_click $((10 + $1 * 110 + 52)) 40 "${2:-0.3}"; }
BTN_CLIP=2; BTN_ERASE=3

# The clipboard text of a board holding the puzzle digits of an 81-field line.
puzzle_text() {
    awk -v p="$1" 'BEGIN { printf "SUDOKU - puzzle\r\n\r\n"
        for (i = 1; i <= 81; i++) { ch = substr(p, i, 1)
            printf (ch == "." ? " x " : "[" ch "]"); if (i % 9 == 0) printf "\r\n" }
        printf "\r\n" }'
}
copied_is() {  # copied_is PUZZLE WHAT
    click_bar $BTN_CLIP 0.5
    cmp -s <(timeout 5 xclip -o -selection clipboard) <(puzzle_text "$1"); e2e_check $? "$2"
}
drop() {  # drop FILE: on the board, in root coordinates
    "$PY" "$HERE/xdnd_drop.py" "$E2E_WID" $((E2E_WX + 300)) $((E2E_WY + 300)) "$1"
}

e2e_start_xvfb
# A framed grid as simple solving programs write it, with CR LF line ends.
awk -v p="$P1" 'BEGIN { print "*-----------*\r"
    for (r = 0; r < 9; r++) { if (r == 3 || r == 6) print "|---+---+---|\r"
        l = "|"; for (c = 1; c <= 9; c++) l = l substr(p, r * 9 + c, 1) (c % 3 ? "" : "|"); print l "\r" }
    print "*-----------*\r" }' >"$E2E_TMP/framed.ss"
e2e_start_app "$PROG" "$E2E_TMP/framed.ss"
name=$(xdotool getwindowname "$E2E_WID")
[ "$name" = "DOZUDO - vudede : framed.ss" ]; e2e_check $? "caption after opening a grid text: '$name'"
copied_is "$P1" "the grid named on the command line opens as its puzzle digits"

# A collection: one puzzle a line, "0" for empty fields, a comment after each.
click_bar $BTN_ERASE
printf '%s  # first\n%s  # second\n' "${P2//./0}" "${P1//./0}" >"$E2E_TMP/collection.sdm"
sleep 0.4
drop "$E2E_TMP/collection.sdm"; e2e_check $? "the window takes the dropped collection"
sleep 0.5
name=$(xdotool getwindowname "$E2E_WID")
[ "$name" = "DOZUDO - vudede : collection.sdm" ]; e2e_check $? "caption after the drop: '$name'"
copied_is "$P2" "the dropped collection opens its first puzzle"

if [ "$E2E_FAILS" -ne 0 ]; then
    echo "$E2E_FAILS check(s) failed" >&2
    exit 1
fi
echo "all checks passed"
