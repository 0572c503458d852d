# End-to-end print test: types a published puzzle, adds it to the top of the
# print page, erases the board and adds the empty board at the bottom, ticks
# "show options" and presses "print" -- all with real clicks -- then reads
# the PDF that the out-of-the-box printer wrote into the documents folder
# back with pdftoppm at 300 dpi and checks lines, digits, options and the
# credit line; two more prints go to the next free names, and "printer setup"
# takes OK. HOME points into the test's scratch folder.
#
# Usage: bash tests/e2e/test_print.sh <path-to-dozudo> <tests/data dir>

# shellcheck disable=SC2086
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"

[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
PROG=$1
DATA=$2
command -v pdftoppm >/dev/null 2>&1 || e2e_die "pdftoppm (poppler-utils) is missing"

# ---- layout at cellSize 60 (client coordinates) ------------------------------
click_bar() { e2e_click $((10 + $1 * 110 + 52)) 40 "${2:-0.3}"; }   # command bar: 105x60, spacing 5
BTN_ERASE=3; BTN_ENTER=4
SEL_X=721; SEL_TOP_Y=556; SEL_BOTTOM_Y=621    # centres of the two 60x60 selector buttons
OPTIONS_X=771; OPTIONS_Y=538                  # the "show options" check box
PRINT_X=793; PRINT_Y=571                      # "print"
SETUP_X=822; SETUP_Y=676                      # "printer setup"

PUZZLE=$(grep -v '^#' "$DATA/euler50.txt" | grep -m1 -E '^[0-9.]{81}$')
[ ${#PUZZLE} -eq 81 ] || e2e_die "no puzzle in $DATA/euler50.txt"

e2e_start_xvfb
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config"
export XDG_DOCUMENTS_DIR="$HOME/Papers"
mkdir -p "$HOME"
PDF="$XDG_DOCUMENTS_DIR/dozudo-printpage.pdf"
e2e_start_app "$PROG"
# "printer setup", then OK: the dialog closes, with no box (titled as the dialog) left open.
setup_ok() {
    e2e_click $SETUP_X $SETUP_Y 1
    xdotool key Return sleep 0.8
    # A box left open (and the dialog behind it) is closed so that the test can go on.
    [ -z "$(xdotool search --onlyvisible --name '^printer setup$')" ] ||
        { for w in $(xdotool search --onlyvisible --name '^printer setup$' | tac); do
              xdotool windowfocus "$w" sleep 0.2 key Escape sleep 0.4; done; false; }
    e2e_check $? "printer setup: OK closes it $1"
}
setup_ok "while the documents folder does not exist yet"

click_bar $BTN_ENTER
e2e_type "$(printf '%s' "$PUZZLE" | tr '.' ' ')"
e2e_click $SEL_X $SEL_TOP_Y
click_bar $BTN_ERASE
e2e_click $SEL_X $SEL_BOTTOM_Y
e2e_click $OPTIONS_X $OPTIONS_Y
e2e_park_mouse
SHOT=$(e2e_stable_shot selector)
# Both positions occupied: the icon's black lines and digits on both buttons.
[ "$(e2e_count "$SHOT" 693 528 56 56 0 0 0)" -gt 60 ] && [ "$(e2e_count "$SHOT" 693 593 56 56 0 0 0)" -gt 60 ]
e2e_check $? "both selector positions show the puzzle icon"

e2e_click $PRINT_X $PRINT_Y
for _ in $(seq 1 50); do [ -s "$PDF" ] && break; sleep 0.2; done
[ -s "$PDF" ] || e2e_die "no PDF at $PDF"
e2e_pass "printed to $PDF"
sleep 0.5
pdfinfo "$PDF" 2>/dev/null | grep -q '^Title: *DOZUDO - vudede$'
e2e_check $? "the print job is titled DOZUDO - vudede"
pdftoppm -r 300 -aa no -aaVector no -png -singlefile "$PDF" "$E2E_TMP/sheet" || e2e_die "pdftoppm failed"
SHEET="$E2E_TMP/sheet.png"

# Black runs along one pixel row of the sheet between x = FROM and FROM + 1600,
# as "start-end" pairs in sheet pixels.
black_runs() {
    convert "$SHEET" -crop "1600x1+$1+$2" +repage -depth 8 txt:- |
        awk -F'[,: ]+' -v from="$1" '/^[0-9]/ {
                black = ($0 ~ /#000000/)
                x = $1 + from
                if (black && !inrun) { start = x; inrun = 1 }
                if (!black && inrun) { printf "%d-%d ", start, x - 1; inrun = 0 }
            } END { if (inrun) printf "%d-%d ", start, x; print "" }'
}

# The printable area's left edge: the top board's first group line covers 447..452 from it.
first=$(black_runs 0 273 | awk '{ split($1, a, "-"); print a[1] }')
[ -n "$first" ] || e2e_die "no board found on the sheet"
M=$((first - 447))
e2e_log "printable area starts at x = $M on the sheet"
[ "$M" -ge 0 ] && [ "$M" -le 80 ]
e2e_check $? "side margin $M pixels (page width 2400 on A4 or Letter)"

# Vertical lines crossing the rows just below the first field line of each board:
# field lines 2 wide every 167 from 450, group lines 6 wide every 500, merged where they meet.
expected=""
for r in 447-452 616-617 783-784 947-952 1117-1118 1284-1285 1447-1452 1618-1619 1785-1786 1947-1953; do
    expected="$expected$((M + ${r%-*}))-$((M + ${r#*-})) "
done
for y0 in 100 1700; do
    got=$(black_runs $((M + 400)) $((y0 + 173)))
    [ "$got" = "$expected" ]
    e2e_check $? "board at y $y0: vertical lines at $got"
    got=$(convert "$SHEET" -crop "1x1600+$((M + 457))+$((y0 - 10))" +repage -rotate 90 -flop -depth 8 txt:- |
        awk -F'[,: ]+' -v from=$((y0 - 10)) '/^[0-9]/ { if ($0 ~ /#000000/) { if (!inrun) { s = $1 + from; inrun = 1 } } else if (inrun) { printf "%d-%d ", s, $1 + from - 1; inrun = 0 } } END { print "" }')
    want=""
    for r in -3-2 166-167 333-334 497-502 667-668 834-835 997-1002 1168-1169 1335-1336 1497-1503; do
        a=${r%-*}; b=${r##*-}; [ "$r" = "-3-2" ] && { a=-3; b=2; }
        want="$want$((y0 + a))-$((y0 + b)) "
    done
    [ "$got" = "$want" ]
    e2e_check $? "board at y $y0: horizontal lines at $got"
done

# Per field (reading order): pixels of a colour inside the field, lines left out.
field_counts() {
    local -a mask
    mapfile -t mask < <(e2e_mask_ops $2 $3 $4)
    convert "$SHEET" -crop "1503x1503+$((M + 450))+$1" +repage "${mask[@]}" \
        -crop 167x167 +repage -crop 155x155+5+5 +repage -format '%[fx:int(mean*w*h+0.5)]\n' info: |
        tr '\n' ' '
}
givens_ok=0; options_ok=0
read -r -a black_top <<<"$(field_counts 100 0 0 0)"
read -r -a grey_top <<<"$(field_counts 100 112 112 112)"
for i in $(seq 0 80); do
    ch=${PUZZLE:$i:1}
    if [ "$ch" = "." ]; then
        [ "${black_top[$i]}" -eq 0 ] && [ "${grey_top[$i]}" -gt 0 ] || options_ok=1
    else
        [ "${black_top[$i]}" -gt 100 ] && [ "${grey_top[$i]}" -eq 0 ] || givens_ok=1
    fi
done
e2e_check $givens_ok "top board: a black digit in every given field, no options there"
e2e_check $options_ok "top board: grey options in every empty field"
read -r -a black_bottom <<<"$(field_counts 1700 0 0 0)"
read -r -a grey_bottom <<<"$(field_counts 1700 112 112 112)"
ok=0
for i in $(seq 0 80); do
    [ "${black_bottom[$i]}" -eq 0 ] && [ "${grey_bottom[$i]}" -gt 300 ] || ok=1
done
e2e_check $ok "bottom board: empty, all nine options in every field"

# Shading: light yellow in groups 1, 3, 5, 7, 9, white in 2, 4, 6, 8.
ok=0
for g in 0 1 2 3 4 5 6 7 8; do
    x=$((M + 450 + (g % 3) * 500 + 7)); y=$((100 + (g / 3) * 500 + 80))
    c=$(convert "$SHEET" -crop "1x1+$x+$y" +repage -depth 8 -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:)
    if [ $((g % 2)) -eq 0 ]; then [ "$c" = "255 255 208" ] || ok=1; else [ "$c" = "255 255 255" ] || ok=1; fi
done
e2e_check $ok "group shading light yellow and white"

# Credit line: blue, starting 200 pixels into the printable area, 50 above its foot.
H=$(identify -format '%h' "$SHEET")
box=$(convert "$SHEET" -crop "2400x300+$M+$((H - 300))" +repage $(e2e_mask_ops 0 0 255) -trim -format '%w %h %X %Y' info: | tr -d '+')
read -r bw bh bx by <<<"$box"
bx=$((bx + 0)); by=$((by + H - 300))
e2e_log "credit line ink: ${bw}x${bh} at ($bx,$by) of the printable area; page height $H"
[ "$bw" -gt 800 ] && [ "$bx" -ge 198 ] && [ "$bx" -le 210 ] && [ "$by" -ge $((H - 50)) ] && [ "$by" -le $((H - 30)) ]
e2e_check $? "credit line in blue at (200, PageHeight - 50)"

# Printing again never replaces a sheet: the next free name each time, earlier sheets unchanged.
SHEETS=("$PDF" "${PDF%.pdf}-2.pdf" "${PDF%.pdf}-3.pdf")
for n in 1 2; do
    cp "${SHEETS[n - 1]}" "$E2E_TMP/kept-$n.pdf"
    e2e_park_mouse
    e2e_click $PRINT_X $PRINT_Y
    for _ in $(seq 1 50); do [ -s "${SHEETS[n]}" ] && sleep 0.5 && break; sleep 0.2; done
done
cmp -s "$PDF" "$E2E_TMP/kept-1.pdf" && cmp -s "${SHEETS[1]}" "$E2E_TMP/kept-2.pdf" &&
    pdfinfo "${SHEETS[2]}" >/dev/null 2>&1 && [ "$(ls "$XDG_DOCUMENTS_DIR" | wc -l)" -eq 3 ]
e2e_check $? "three prints, three sheets: $(ls "$XDG_DOCUMENTS_DIR" | tr '\n' ' ')the first two unchanged"
setup_ok "without asking to overwrite the sheet there"

[ "$E2E_FAILS" -eq 0 ] || exit 1
echo "print checks passed"
