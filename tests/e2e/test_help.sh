# End-to-end help window test: "help/info" opens the help window at the main
# window's position + 20, Page Down / Page Up leaf, a link on the contents page
# shows its band and opens its page, and Esc closes the window and releases
# the button.
#
# Usage: bash tests/e2e/test_help.sh <path-to-dozudo> <tests/data dir>

# shellcheck disable=SC2086
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"

[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
PROG=$1

# cellSize 50 on a 1024-pixel screen.
CS=50
E2E_SCREEN=1024x768x24
BW=$((CS * 7 / 4)); HELP_BX=$((10 + 7 * (BW + 5)))
PINK="255 208 208"
# Help window (its own client coordinates): title, page number, text box.
TITLE_H=$((CS * 6 / 10)); BOX_Y=$((5 + TITLE_H + CS / 4)); BOX_W=$((13 * CS))
NR_W=$((CS * 3 / 4)); NR_X=$((10 + BOX_W - NR_W))
LINE_H=$((CS * 33 / 100))
BAND="15 15 191"

e2e_start_xvfb
e2e_start_app "$PROG"
MAIN_WID=$E2E_WID; MAIN_X=$E2E_WX; MAIN_Y=$E2E_WY

e2e_click $((HELP_BX + BW / 2)) $((10 + CS / 2)) 0.2
ids=""
for _ in $(seq 1 50); do
    ids=$(xdotool search --onlyvisible --name "SUDOKU - help" 2>/dev/null)
    [ -n "$ids" ] && break
    sleep 0.1
done
[ -n "$ids" ] || e2e_die "help window did not open"
E2E_WID=$(printf '%s\n' "$ids" | head -n 1)
e2e_window_geometry
[ "$E2E_WX" -eq $((MAIN_X + 20)) ] && [ "$E2E_WY" -eq $((MAIN_Y + 20)) ]
e2e_check $? "help window at $E2E_WX,$E2E_WY = main window $MAIN_X,$MAIN_Y + 20"
# No focus is given to it by hand: the window takes the keyboard when it opens.
xdotool mousemove --sync $((E2E_WX + 5)) $((E2E_WY + E2E_WH - 5))
sleep 0.3

# Regions compared between pages: the title and the page number.
same_region() { [ "$(e2e_rect_diff "$1" "$2" "$3" "$4" "$5" "$6")" = "0" ]; }
title_same() { same_region "$1" "$2" 10 5 $((10 * CS)) "$TITLE_H"; }
nr_same() { same_region "$1" "$2" "$NR_X" 5 "$NR_W" "$TITLE_H"; }

p1=$(e2e_stable_shot page1)
[ "$(e2e_count "$p1" 20 $((BOX_Y + LINE_H)) 300 $((20 * LINE_H)) 0 0 0)" -gt 500 ]
e2e_check $? "page 1 shows text"
[ "$(e2e_count "$p1" 10 5 $((10 * CS)) "$TITLE_H" 0 0 255)" -gt 100 ]
e2e_check $? "page 1 shows its title in blue"

e2e_key Next
p2=$(e2e_stable_shot page2)
! title_same "$p1" "$p2" && ! nr_same "$p1" "$p2"
e2e_check $? "Page Down leafs to the next page (title and number change)"
e2e_key Prior
back=$(e2e_stable_shot back)
title_same "$p1" "$back" && nr_same "$p1" "$back"
e2e_check $? "Page Up returns to page 1"

# Contents line 10 links to page 2: pointing at it draws the band, a click opens page 2.
LINK_Y=$((BOX_Y + 10 * LINE_H + LINE_H / 2))
xdotool mousemove --sync $((E2E_WX + 60)) $((E2E_WY + LINK_Y))
sleep 0.3
hover=$(e2e_stable_shot hover)
[ "$(e2e_count "$hover" 10 $((BOX_Y + 10 * LINE_H)) "$BOX_W" "$LINE_H" $BAND)" -gt 3000 ]
e2e_check $? "link line shows the hover band"
xdotool click 1
sleep 0.3
linked=$(e2e_stable_shot linked)
title_same "$p2" "$linked" && nr_same "$p2" "$linked"
e2e_check $? "clicking the link opens page 2"

# The help button stays down while the window is open (a part of it not covered).
main_pixel() { convert "$1" -crop 1x1+$((MAIN_X + $2))+$((MAIN_Y + $3)) +repage -depth 8 \
    -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:; }
[ "$(main_pixel "$linked" $((HELP_BX + BW - 8)) $((10 + CS / 2)))" != "$PINK" ]
e2e_check $? "help/info is down while the help window is open"

e2e_key Escape
sleep 0.3
[ -z "$(xdotool search --onlyvisible --name "SUDOKU - help" 2>/dev/null)" ]
e2e_check $? "Esc closes the help window"
E2E_WID=$MAIN_WID
e2e_window_geometry
e2e_park_mouse
closed=$(e2e_stable_shot closed)
[ "$(e2e_pixel "$closed" $((HELP_BX + BW - 8)) $((10 + CS / 2)))" = "$PINK" ]
e2e_check $? "help/info is released after the window closed"

[ "$E2E_FAILS" -eq 0 ] || exit 1
echo "help window checks passed"
