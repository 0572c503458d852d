# End-to-end puzzle exchange: the program started with a puzzle file shows it;
# "clipbrd" copies the board as text (read back with xclip); an empty board
# pastes text put on the clipboard with xclip; "save" through the real file
# dialog, the name typed with xdotool, writes the expected bytes.
#
# Usage: bash tests/e2e/test_exchange.sh <path-to-dozudo> <tests/data dir>

# Colours are kept as "R G B" strings and split into three arguments on purpose.
# shellcheck disable=SC2086

set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"

[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
PROG=$1
DATA=$2
command -v xclip >/dev/null || e2e_die "xclip is missing"

CS=60; VIEW_X=120; VIEW_Y=110
click_bar() { e2e_click $((10 + $1 * 110 + 52)) 40 "${2:-0.3}"; }
BTN_SAVE=1; BTN_CLIP=2; BTN_ERASE=3
GIVEN="208 0 0"; BLACK="0 0 0"

mapfile -t PUZZLES < <(grep -E '^[0-9.]{81}$' "$DATA/euler50.txt" | head -n 2)
P1=${PUZZLES[0]}; P2=${PUZZLES[1]}

# puzzle_file TEXT FLAG FILE: 162 bytes, column-major pairs (digit, flag of a
# digit; empty fields get flag 1 as on a fresh board).
puzzle_file() {
    awk -v p="$1" -v g="$2" 'BEGIN {
        for (c = 1; c <= 9; c++) for (r = 1; r <= 9; r++) {
            ch = substr(p, (r - 1) * 9 + c, 1)
            printf "\\%03o\\%03o", (ch == "." ? 0 : ch + 0), (ch == "." ? 1 : g)
        }
    }' | xargs -0 printf >"$3"
}

# puzzle_text TEXT KINDCELL: the 282-character clipboard text; digits as
# "[d]" (KINDCELL given) or " d " (entered).
puzzle_text() {
    awk -v p="$1" -v k="$2" 'BEGIN {
        printf "SUDOKU - puzzle\r\n\r\n"
        for (r = 1; r <= 9; r++) {
            for (c = 1; c <= 9; c++) {
                ch = substr(p, (r - 1) * 9 + c, 1)
                if (ch == ".") printf " x "; else if (k == "given") printf "[%s]", ch; else printf " %s ", ch
            }
            printf "\r\n"
        }
        printf "\r\n"
    }'
}

clipboard_text() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }

T0=$(date +%s)
e2e_start_xvfb
START="$E2E_TMP/start.sdk"
puzzle_file "$P1" 1 "$START"
e2e_start_app "$PROG" "$START" "$E2E_TMP/ignored.sdk"

# 1. The file named on the command line is shown at once.
name=$(xdotool getwindowname "$E2E_WID")
[ "$name" = "DOZUDO - vudede : start.sdk" ]; e2e_check $? "caption after the command-line open: '$name'"
e2e_park_mouse
SHOT=$(e2e_stable_shot 01-start)
bad=""
while read -r c r n; do
    ch=${P1:$(((r - 1) * 9 + c - 1)):1}
    if [ "$ch" != "." ]; then [ "$n" -ge 40 ] || bad="$bad ($c,$r):$n"
    else [ "$n" -eq 0 ] || bad="$bad ($c,$r):$n"; fi
done < <(e2e_field_counts "$SHOT" "$VIEW_X" "$VIEW_Y" "$CS" interior $GIVEN)
[ -z "$bad" ]; e2e_check $? "puzzle digits of the file in red exactly in its given fields${bad:+ — wrong:$bad}"

# 2. "clipbrd" on a filled board copies the 282-character text.
click_bar $BTN_CLIP 0.5
got=$(clipboard_text | od -An -c | tr -s ' \n' ' ')
want=$(puzzle_text "$P1" given | od -An -c | tr -s ' \n' ' ')
[ "$got" = "$want" ]; e2e_check $? "clipboard holds the puzzle text of the opened file"
[ "$(clipboard_text | wc -c)" -eq 282 ]; e2e_check $? "the text has 282 characters"

# 3. Erase, then paste another program's puzzle (a title, "0" for empty fields) put on the
# clipboard with xclip: read as "open" reads it, its digits are puzzle digits.
sleep 0.4
click_bar $BTN_ERASE
printf 'Puzzle from elsewhere\n%s\n' "$(printf '%s' "$P2" | tr . 0)" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
echo $! >>"$E2E_TMP/pids"
sleep 0.3
click_bar $BTN_CLIP 0.6
e2e_park_mouse
SHOT=$(e2e_stable_shot 02-pasted)
bad=""
while read -r c r n; do
    ch=${P2:$(((r - 1) * 9 + c - 1)):1}
    if [ "$ch" != "." ]; then [ "$n" -ge 40 ] || bad="$bad ($c,$r):$n"
    else [ "$n" -eq 0 ] || bad="$bad ($c,$r):$n"; fi
done < <(e2e_field_counts "$SHOT" "$VIEW_X" "$VIEW_Y" "$CS" interior $GIVEN)
[ -z "$bad" ]; e2e_check $? "pasted digits in red (puzzle digits) exactly in their fields${bad:+ — wrong:$bad}"
click_bar $BTN_CLIP 0.5
got=$(clipboard_text | od -An -c | tr -s ' \n' ' ')
want=$(puzzle_text "$P2" given | od -An -c | tr -s ' \n' ' ')
[ "$got" = "$want" ]; e2e_check $? "the pasted board copies back as the same puzzle"
sleep 0.4

# 4. "save" through the real dialog; the name is typed without its extension.
click_bar $BTN_SAVE 0.2
dlg=""
for _ in $(seq 1 50); do
    dlg=$(xdotool search --onlyvisible --name '^save game$' 2>/dev/null | head -n 1)
    [ -n "$dlg" ] && break
    sleep 0.1
done
if [ -z "$dlg" ]; then
    e2e_fail "the save dialog 'save game' did not appear"
else
    e2e_pass "the save dialog 'save game' appeared"
    xdotool windowfocus "$dlg" 2>/dev/null
    sleep 0.5
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$E2E_TMP/saved"
    sleep 0.3
    xdotool key Return
    for _ in $(seq 1 30); do [ -f "$E2E_TMP/saved.sdk" ] && break; sleep 0.1; done
    puzzle_file "$P2" 1 "$E2E_TMP/expected.sdk"
    cmp -s "$E2E_TMP/saved.sdk" "$E2E_TMP/expected.sdk"
    e2e_check $? "saved.sdk holds the 162 expected bytes"
    name=$(xdotool getwindowname "$E2E_WID")
    [ "$name" = "DOZUDO - vudede : " ]; e2e_check $? "saving keeps the caption erase left: '$name'"
fi
ls -a "$E2E_TMP" | grep -q '^\.sdk-save' && e2e_fail "a temporary save file was left behind"

# 5. A clipboard owner that has stopped answering: the window follows the pointer while
# it waits, and once the program has given up on the owner (after a second of silence) it
# shows "clipboard holds no text" as it does at once when nobody holds the clipboard.
status_diff() { e2e_rect_diff "$1" "$2" 120 661 541 36; }
sleep 0.4
click_bar $BTN_ERASE
xclip -quiet -selection clipboard </dev/null >/dev/null 2>&1 & sleep 0.3; kill $!
click_bar $BTN_CLIP 0.6
REF=$(e2e_shot 05-no-owner)
click_bar $BTN_ERASE
printf '%s\n' "$P2" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
OWNER=$!; sleep 0.3; kill -STOP $OWNER
T=$(date +%s%N)
click_bar $BTN_CLIP 0
xdotool mousemove --sync $((E2E_WX + 10 + BTN_ERASE * 110 + 52)) $((E2E_WY + 40))
xwd -root -silent >"$E2E_TMP/waiting.xwd"
# The message is waited for, as long as a machine three times slower than a busy one could
# take (the second of silence is the program's; the rest is drawing and grabbing).
GAVE_UP=1
while [ $(($(date +%s%N) - T)) -le 8000000000 ]; do
    xwd -root -silent | convert xwd:- "$E2E_TMP/05-frozen-owner.png"
    if [ "$(status_diff "$REF" "$E2E_TMP/05-frozen-owner.png")" = 0 ]; then GAVE_UP=0; break; fi
    sleep 0.1
done
kill -CONT $OWNER; kill $OWNER
convert xwd:"$E2E_TMP/waiting.xwd" "$E2E_TMP/05-waiting.png"
[ "$(e2e_count "$E2E_TMP/05-waiting.png" 120 661 541 36 176 176 176)" -gt 20 ]
e2e_check $? "while waiting for the owner the window shows the hover text of erase/board"
e2e_check $GAVE_UP "\"clipboard holds no text\" once the owner has kept silent (after $((($(date +%s%N) - T) / 1000000)) ms)"

e2e_log "total time $(($(date +%s) - T0)) s"
if [ "$E2E_FAILS" -ne 0 ]; then
    echo "$E2E_FAILS check(s) failed" >&2
    exit 1
fi
echo "all checks passed"
