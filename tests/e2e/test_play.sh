# End-to-end play test: runs dozudo on a private Xvfb display, types a
# published puzzle, opens the analysis column, follows the first hint, checks
# that a conflicting digit is refused, then lets "fill all" solve the puzzle.
# Every check reads pixels from screenshots.
#
# Usage: bash tests/e2e/test_play.sh <path-to-dozudo> <tests/data dir>
# Exits non-zero when any check failed; screenshots are then kept and their
# directory is printed. Set E2E_KEEP=1 to keep them after a passing run too.

# Colours are kept as "R G B" strings and split into three arguments on purpose.
# shellcheck disable=SC2086

set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"

[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
PROG=$1
DATA=$2

# ---- layout of the main window at cellSize 60 (client coordinates) --------
CS=60
VIEW_X=120; VIEW_Y=110; VIEW_SIDE=$((9 * CS + 1))
STATUS_X=120; STATUS_Y=661; STATUS_W=541; STATUS_H=36
click_bar() { e2e_click $((10 + $1 * 110 + 52)) 40 "${2:-0.3}"; }        # command bar: 105x60, spacing 5
click_column() { e2e_click 781 $((110 + $1 * 47 + 21)) "${2:-0.3}"; }    # analysis column: 180x42, spacing 5
BTN_ENTER=4; BTN_SEARCH=6
A_OPTIONS=0; A_HINTS=1; A_FILLDIGIT=2; A_FILLALL=3; A_REDUCTION=4; A_TAKEBACK=5

# colours
GIVEN="208 0 0"; FILLED="176 176 176"; BLACK="0 0 0"
AMBER="255 192 0"; YELLOW="255 255 0"
GREEN="0 208 0"; RED="255 0 0"; BLUE="0 0 255"

# ---- the puzzle and what the program should make of it --------------------
PUZZLE=$(grep -v '^#' "$DATA/euler50.txt" | grep -m1 -E '^[0-9.]{81}$')
[ ${#PUZZLE} -eq 81 ] || e2e_die "no 81-field puzzle line found in $DATA/euler50.txt"

# First hint of the hint finder on the freshly computed options: prints
# "kind column row digit", then a digit that conflicts with the hinted field.
expected_hint() {
    awk -v p="$1" '
    function grp(c, r) { return int((r - 1) / 3) * 3 + int((c - 1) / 3) + 1 }
    BEGIN {
        for (r = 1; r <= 9; r++) for (c = 1; c <= 9; c++) {
            ch = substr(p, (r - 1) * 9 + c, 1); d = (ch == ".") ? 0 : ch + 0
            v[c, r] = d
            if (d) { inrow[r, d] = 1; incol[c, d] = 1; ingrp[grp(c, r), d] = 1 }
        }
        # options: the own digit of a filled field, the allowed digits of an empty one
        for (r = 1; r <= 9; r++) for (c = 1; c <= 9; c++) {
            n = 0
            for (d = 1; d <= 9; d++) {
                o = v[c, r] ? (v[c, r] == d) : !(inrow[r, d] || incol[c, d] || ingrp[grp(c, r), d])
                opt[c, r, d] = o; n += o
            }
            cnt[c, r] = n
            if (!n && !k) { k = 1; hc = c; hr = r }
        }
        if (!k) for (r = 1; r <= 9; r++) for (c = 1; c <= 9; c++) for (d = 1; d <= 9; d++)
            if (opt[c, r, d]) { rc[r, d]++; cc[c, d]++; gc[grp(c, r), d]++ }
        for (u = 1; u <= 9 && !k; u++) for (d = 1; d <= 9 && !k; d++) if (!rc[u, d]) { k = 3; hr = u; hd = d }
        for (u = 1; u <= 9 && !k; u++) for (d = 1; d <= 9 && !k; d++) if (!cc[u, d]) { k = 4; hc = u; hd = d }
        for (u = 1; u <= 9 && !k; u++) for (d = 1; d <= 9 && !k; d++) if (!gc[u, d]) { k = 5; hd = d }
        for (r = 1; r <= 9 && !k; r++) for (c = 1; c <= 9 && !k; c++)
            if (!v[c, r] && cnt[c, r] == 1) { k = 2; hc = c; hr = r; for (d = 1; d <= 9; d++) if (opt[c, r, d]) hd = d }
        for (r = 1; r <= 9 && !k; r++) for (d = 1; d <= 9 && !k; d++)
            if (rc[r, d] == 1 && !inrow[r, d]) {
                k = 6; hr = r; hd = d; for (c = 9; c >= 1; c--) if (opt[c, r, d]) hc = c }
        for (c = 1; c <= 9 && !k; c++) for (d = 1; d <= 9 && !k; d++)
            if (cc[c, d] == 1 && !incol[c, d]) {
                k = 7; hc = c; hd = d; for (r = 9; r >= 1; r--) if (opt[c, r, d]) hr = r }
        for (g = 1; g <= 9 && !k; g++) for (d = 1; d <= 9 && !k; d++)
            if (gc[g, d] == 1 && !ingrp[g, d]) {
                k = 8; hd = d
                for (r = 9; r >= 1; r--) for (c = 9; c >= 1; c--) if (grp(c, r) == g && opt[c, r, d]) { hc = c; hr = r }
            }
        bad = 0
        if (k == 2 || k >= 6) for (d = 9; d >= 1; d--) if (!opt[hc, hr, d]) bad = d
        print k + 0, hc + 0, hr + 0, hd + 0, bad
    }'
}
read -r HINT_KIND HINT_C HINT_R HINT_D CONFLICT_D <<<"$(expected_hint "$PUZZLE")"
case $HINT_KIND in
    2|6|7|8) ;;
    *) e2e_die "the first puzzle of euler50.txt should start with a placement hint (got kind $HINT_KIND)" ;;
esac
EMPTY_COUNT=$(printf '%s' "$PUZZLE" | tr -cd '.' | wc -c)

# is_given C R: field (C, R) holds a puzzle digit
is_given() { [ "${PUZZLE:$((($2 - 1) * 9 + $1 - 1)):1}" != "." ]; }

# ---- screenshot checks -----------------------------------------------------
# counts SHOT PART "R G B": per-field pixel counts (see e2e_field_counts)
counts() { e2e_field_counts "$1" "$VIEW_X" "$VIEW_Y" "$CS" "$2" $3; }

# Checks that given fields show the puzzle colour and empty fields do not.
check_given_digits() {
    local shot=$1 what=$2 bad="" c r n
    while read -r c r n; do
        if is_given "$c" "$r"; then
            [ "$n" -ge 40 ] || bad="$bad ($c,$r):$n"
        else
            [ "$n" -eq 0 ] || bad="$bad ($c,$r):$n"
        fi
    done < <(counts "$shot" interior "$GIVEN")
    [ -z "$bad" ]; e2e_check $? "$what: puzzle digits in (208,0,0) exactly in the given fields${bad:+ — wrong fields (col,row):count:$bad}"
}

# Prints the fields whose ring holds amber mark pixels, "c,r:count ...".
mark_fields() {
    counts "$1" ring "$AMBER" | awk '$3 > 0 { printf "%s(%d,%d):%d", s, $1, $2, $3; s = " " }'
}

# check_mark SHOT C R WHAT: the selection mark stands on field (C, R) only.
check_mark() {
    local shot=$1 c=$2 r=$3 what=$4 fields amber yellow
    fields=$(mark_fields "$shot")
    amber=$(counts "$shot" ring "$AMBER" | awk -v c="$c" -v r="$r" '$1 == c && $2 == r { print $3 }')
    yellow=$(counts "$shot" ring "$YELLOW" | awk -v c="$c" -v r="$r" '$1 == c && $2 == r { print $3 }')
    # a 4-pixel frame on a 59-pixel field: about 4*2*55 pixels of each colour
    [ "$fields" = "($c,$r):$amber" ] && [ "$amber" -ge 300 ] && [ "$yellow" -ge 300 ]
    e2e_check $? "$what: selection mark (amber/yellow frame) on field ($c,$r) only [amber fields: ${fields:-none}; yellow on it: ${yellow:-0}]"
}

# check_analysis_visible SHOT WHAT "VISIBLE BUTTONS": the analysis buttons in
# the list are drawn (button face pink or light green), the others are not.
check_analysis_visible() {
    local shot=$1 what=$2 want=" $3 " i y flat down seen=""
    for i in 0 1 2 3 4 5; do
        y=$((110 + i * 47))
        flat=$(e2e_count "$shot" 691 "$y" 180 42 255 208 208)
        down=$(e2e_count "$shot" 691 "$y" 180 42 208 255 208)
        [ $((flat + down)) -gt 2000 ] && seen="$seen$i "
    done
    [ " $seen" = "$want" ]
    e2e_check $? "$what: analysis buttons shown: [ $seen] expected [$want]"
}

status_count() { e2e_count "$1" "$STATUS_X" "$STATUS_Y" "$STATUS_W" "$STATUS_H" $2; }

has_blue_status() { [ "$(status_count "$1" "$BLUE")" -gt 20 ]; }

# ---- the scenario ----------------------------------------------------------
T0=$(date +%s)
e2e_start_xvfb
e2e_start_app "$PROG"

[ "$E2E_WW" -eq 915 ] && [ "$E2E_WH" -eq 707 ] &&
    [ "$E2E_WX" -eq $(((1280 - 915) / 2)) ] && [ "$E2E_WY" -eq $(((1024 - 707) / 2)) ]
e2e_check $? "main window 915x707 centred on the 1280x1024 screen (got ${E2E_WW}x${E2E_WH} at $E2E_WX,$E2E_WY)"

e2e_log "puzzle: $PUZZLE"
e2e_log "expected first hint: kind $HINT_KIND, digit $HINT_D at field ($HINT_C,$HINT_R); conflicting digit there: $CONFLICT_D"

# Enter the puzzle: digits for givens, Space for empty fields.
click_bar $BTN_ENTER
e2e_park_mouse
SHOT=$(e2e_stable_shot 01-enter)
check_mark "$SHOT" 1 1 "after enter/puzzle"
e2e_type "$(printf '%s' "$PUZZLE" | tr '.' ' ')"
sleep 0.3
SHOT=$(e2e_stable_shot 02-typed)
check_given_digits "$SHOT" "after typing the puzzle"
# 81 advances from (1,1) wrap around to (1,1) again
check_mark "$SHOT" 1 1 "after typing 81 fields"

# Start solving and open the analysis display.
click_bar $BTN_SEARCH
e2e_park_mouse
SHOT=$(e2e_stable_shot 03-search)
check_analysis_visible "$SHOT" "after search" "$A_OPTIONS $A_TAKEBACK"
check_mark "$SHOT" 1 1 "after search"

click_column $A_OPTIONS
e2e_park_mouse
SHOT=$(e2e_stable_shot 04-options)
check_analysis_visible "$SHOT" "after show options" "$A_OPTIONS $A_HINTS $A_REDUCTION $A_TAKEBACK"
check_given_digits "$SHOT" "with options shown"
bad=""
while read -r c r n; do
    if is_given "$c" "$r"; then [ "$n" -eq 0 ] || bad="$bad ($c,$r):$n"
    else [ "$n" -ge 10 ] || bad="$bad ($c,$r):$n"; fi
done < <(counts "$SHOT" interior "$BLACK")
[ -z "$bad" ]; e2e_check $? "option digits (black) in every empty field and in no given field${bad:+ — wrong fields:$bad}"

click_column $A_HINTS
e2e_park_mouse
SHOT_HINT=$(e2e_stable_shot 05-hint)
check_analysis_visible "$SHOT_HINT" "after hints" "$A_OPTIONS $A_HINTS $A_FILLDIGIT $A_FILLALL $A_REDUCTION $A_TAKEBACK"
check_mark "$SHOT_HINT" "$HINT_C" "$HINT_R" "after hints (first hint)"
green=$(status_count "$SHOT_HINT" "$GREEN")
[ "$green" -gt 20 ]; e2e_check $? "hint message in green (0,208,0) in the status line ($green pixels)"

# A digit that breaks the rules at the hinted field is refused.
e2e_type "$CONFLICT_D"
sleep 0.3
SHOT=$(e2e_stable_shot 06-conflict)
diff=$(e2e_rect_diff "$SHOT_HINT" "$SHOT" "$VIEW_X" "$VIEW_Y" "$VIEW_SIDE" "$VIEW_SIDE")
[ "$diff" = "0" ]; e2e_check $? "conflicting digit $CONFLICT_D at ($HINT_C,$HINT_R) leaves the board unchanged ($diff pixels differ)"
red=$(status_count "$SHOT" "$RED"); green=$(status_count "$SHOT" "$GREEN")
[ "$red" -gt 20 ] && [ "$green" -eq 0 ]
e2e_check $? "refusal message in red (255,0,0) replaces the hint ($red red, $green green pixels)"

# Let the program solve it, one hint digit per 500 ms.
click_column $A_FILLALL 0
T_FILL=$(date +%s.%N)
e2e_park_mouse
sleep 1.3
SHOT=$(e2e_shot 07-filling)
grey_fields=$(counts "$SHOT" interior "$FILLED" | awk '$3 >= 40 { n++ } END { print n + 0 }')
[ "$grey_fields" -ge 1 ] && [ "$grey_fields" -lt "$EMPTY_COUNT" ]
e2e_check $? "fill all places digits gradually (about 1.5 s after the press: $grey_fields of $EMPTY_COUNT fields filled)"
if SHOT=$(e2e_wait_for 60 0.5 08-solved has_blue_status); then
    T_DONE=$(date +%s.%N)
    elapsed=$(awk -v a="$T_FILL" -v b="$T_DONE" 'BEGIN { printf "%.1f", b - a }')
    e2e_pass "\"puzzle solved\" in blue after ${elapsed} s of fill all"
    # first digit at once, then one per 500 ms tick
    minimum=$(awk -v n="$EMPTY_COUNT" 'BEGIN { printf "%.1f", (n - 1) * 0.5 * 0.9 }')
    awk -v e="$elapsed" -v m="$minimum" 'BEGIN { exit !(e >= m) }'
    e2e_check $? "fill all paced at 500 ms per digit (${elapsed} s for $EMPTY_COUNT digits, at least $minimum s expected)"
else
    e2e_fail "no blue \"puzzle solved\" in the status line within 60 s of fill all (last shot $SHOT)"
fi
sleep 0.5
SHOT=$(e2e_stable_shot 09-final)
check_given_digits "$SHOT" "solved board"
bad=""
while read -r c r n; do
    if is_given "$c" "$r"; then [ "$n" -eq 0 ] || bad="$bad ($c,$r):$n"
    else [ "$n" -ge 40 ] || bad="$bad ($c,$r):$n"; fi
done < <(counts "$SHOT" interior "$FILLED")
[ -z "$bad" ]; e2e_check $? "filled digits in grey (176,176,176) in every field that was empty${bad:+ — wrong fields:$bad}"
black=$(counts "$SHOT" interior "$BLACK" | awk '{ n += $3 } END { print n + 0 }')
[ "$black" -eq 0 ]; e2e_check $? "no option or user digits (black) left on the solved board ($black pixels)"

e2e_log "total time $(($(date +%s) - T0)) s"
if [ "$E2E_FAILS" -ne 0 ]; then
    echo "$E2E_FAILS check(s) failed" >&2
    exit 1
fi
echo "all checks passed"
