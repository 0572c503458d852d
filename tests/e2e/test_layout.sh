# End-to-end layout test: starts dozudo on screens 800, 1024 and 1280 pixels
# wide and checks on screenshots the window's size and place, the board's
# frame and grid, the command bar and the hover text of a command button.
#
# Usage: bash tests/e2e/test_layout.sh <path-to-dozudo> <tests/data dir>

# shellcheck disable=SC2086
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"

[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
PROG=$1

# screen       cs client    view x y  status top height
check_screen() {
    local screen=$1 cs=$2 cw=$3 ch=$4 vx=$5 vy=$6 st=$7 sh=$8
    (
        E2E_SCREEN="$screen"
        e2e_start_xvfb
        e2e_start_app "$PROG"
        local sw=${screen%%x*} rest=${screen#*x}
        local shgt=${rest%%x*}
        [ "$E2E_WW" -eq "$cw" ] && [ "$E2E_WH" -eq "$ch" ]
        e2e_check $? "$screen: client ${E2E_WW}x${E2E_WH}, expected ${cw}x${ch}"
        [ "$E2E_WX" -eq $(((sw - cw) / 2)) ] && [ "$E2E_WY" -eq $(((shgt - ch) / 2)) ]
        e2e_check $? "$screen: window at $E2E_WX,$E2E_WY is centred"

        e2e_park_mouse
        local shot side=$((9 * cs + 1))
        shot=$(e2e_stable_shot "start")
        # Two-pixel frame: black on top and left, yellow on bottom and right.
        [ "$(e2e_pixel "$shot" $((vx - 2)) $((vy + 20)))" = "0 0 0" ] &&
            [ "$(e2e_pixel "$shot" $((vx + 20)) $((vy - 1)))" = "0 0 0" ] &&
            [ "$(e2e_pixel "$shot" $((vx + side)) $((vy + 20)))" = "255 255 0" ] &&
            [ "$(e2e_pixel "$shot" $((vx + 20)) $((vy + side + 1)))" = "255 255 0" ]
        e2e_check $? "$screen: frame around the board at ($vx,$vy), side $side"
        # Group lines red at 0, 3cs, 6cs, 9cs; field lines pink at cs, 2cs.
        local ok=0 n
        for n in 0 3 6 9; do
            [ "$(e2e_pixel "$shot" $((vx + n * cs)) $((vy + cs / 2)))" = "255 0 0" ] || ok=1
        done
        for n in 1 2 4 8; do
            [ "$(e2e_pixel "$shot" $((vx + cs / 2 + 1)) $((vy + n * cs)))" = "255 208 208" ] || ok=1
        done
        e2e_check $ok "$screen: grid lines at multiples of $cs"
        # Status line background and its welcome text.
        [ "$(e2e_pixel "$shot" $((vx + side - 5)) $((st + sh / 2)))" = "224 255 224" ]
        e2e_check $? "$screen: status line at top $st"
        [ "$(e2e_count "$shot" "$vx" "$st" 200 "$sh" 0 0 0)" -gt 20 ]
        e2e_check $? "$screen: welcome text in the status line"
        # Command bar: button 6 ("search") outlined blue, face pink.
        local bw=$((cs * 7 / 4)) bx
        bx=$((10 + 6 * (bw + 5)))
        [ "$(e2e_pixel "$shot" $((bx + 8)) $((10 + cs / 2)))" = "255 208 208" ]
        e2e_check $? "$screen: command bar button face"
        # Hover over "search": grey explanation in the status line; away: the welcome comes back.
        xdotool mousemove --sync $((E2E_WX + bx + bw / 2)) $((E2E_WY + 10 + cs / 2))
        sleep 0.4
        shot=$(e2e_stable_shot "hover")
        [ "$(e2e_count "$shot" "$vx" "$st" 300 "$sh" 176 176 176)" -gt 20 ] &&
            [ "$(e2e_count "$shot" "$vx" "$st" 300 "$sh" 0 0 0)" -eq 0 ]
        e2e_check $? "$screen: hover text shown in grey"
        [ "$(e2e_count "$shot" "$bx" 10 "$bw" "$cs" 0 255 0)" -gt 10 ]
        e2e_check $? "$screen: highlighted button outlined green"
        e2e_park_mouse
        shot=$(e2e_stable_shot "after")
        [ "$(e2e_count "$shot" "$vx" "$st" 300 "$sh" 0 0 0)" -gt 20 ] &&
            [ "$(e2e_count "$shot" "$vx" "$st" 300 "$sh" 176 176 176)" -eq 0 ]
        e2e_check $? "$screen: welcome text back after the pointer left"
        [ "$E2E_FAILS" -eq 0 ]
    )
}

fails=0
check_screen 800x600x24 40 625 485 85 80 451 24 || fails=$((fails + 1))
check_screen 1024x768x24 50 766 596 102 95 556 30 || fails=$((fails + 1))
check_screen 1280x1024x24 60 915 707 120 110 661 36 || fails=$((fails + 1))
[ "$fails" -eq 0 ] || { echo "layout checks failed on $fails screen(s)" >&2; exit 1; }
echo "layout checks passed on all three screens"
