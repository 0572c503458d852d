# End-to-end on Wayland: under a headless Weston, with no X display and no platform chosen
# (a Wayland-only session), the program shows the puzzle file of its command line field by
# field in the same red pixels as under Xvfb. Where no platform can start, it says so and
# exits 1. Usage: bash tests/e2e/test_wayland.sh <path-to-dozudo> <tests/data dir>
# shellcheck disable=SC2086 source=lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
PROG=$1 CS=60 VIEW_X=120 VIEW_Y=110 GIVEN="208 0 0"
P=$(grep -E '^[0-9.]{81}$' "$2/euler50.txt" | sed -n 3p)
e2e_start_xvfb
awk -v p="$P" 'BEGIN { for (c = 1; c <= 9; c++) for (r = 1; r <= 9; r++) {  # column by column
    ch = substr(p, (r - 1) * 9 + c, 1); printf "\\%03o\\001", ch == "." ? 0 : ch } }' | xargs -0 printf >"$E2E_TMP/p.sdk"
e2e_start_app "$PROG" "$E2E_TMP/p.sdk" && e2e_park_mouse
X11=$(e2e_field_counts "$(e2e_stable_shot x11)" $VIEW_X $VIEW_Y $CS interior $GIVEN)
kill "$E2E_APP_PID"

e2e_start_weston
env -u DISPLAY -u QT_QPA_PLATFORM "${E2E_WL_ENV[@]}" "$PROG" "$E2E_TMP/p.sdk" >"$E2E_TMP/app.log" 2>&1 &
E2E_APP_PID=$!
# edge SHOT SCALE LENGTH: the board's left (top) edge, the first column (row) of pure red >= 8 fields.
edge() { convert "$1" $(e2e_mask_ops 255 0 0) -scale "$2" -depth 8 -compress none pgm:- |
    awk -v n="$3" 'NR > 3 { for (i = 1; i <= NF; i++) if ($i / 255 * n >= 480) { print p; exit } else p++ }'; }
for i in $(seq 1 30); do
    shot=$(e2e_weston_shot wayland) || break
    read -r E2E_WX E2E_WY <<<"$(edge "$shot" 1280x1! 1024) $(edge "$shot" 1x1024! 1280)"
    [ -n "$E2E_WY" ] && WL=$(E2E_WX=$((E2E_WX - VIEW_X)) E2E_WY=$((E2E_WY - VIEW_Y)) \
        e2e_field_counts "$shot" $VIEW_X $VIEW_Y $CS interior $GIVEN) && [ "$WL" = "$X11" ] && break
    sleep 0.3
done
seen=$(awk '{ printf "%s", ($3 >= 40 ? 1 : ($3 > 0 ? "?" : 0)) }' <<<"$X11")
[ "${WL:-}" = "$X11" ] && [ "$seen" = "$(tr '1-9.' 1111111110 <<<"$P")" ]
e2e_check $? "Wayland: board at $E2E_WX,$E2E_WY shows the file's digits in the $(awk '{ s += $3 } END { print s }' <<<"$X11") red pixels of X11"

mkdir -m 700 "$E2E_TMP/empty"
for vars in WAYLAND_DISPLAY=wayland-0 DISPLAY=:98765 "QT_QPA_PLATFORM=no-such-platform DISPLAY=:98765"; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$E2E_TMP/empty" $vars timeout 10 "$PROG" 2>&1)
    [ $? -eq 1 ] && grep -q '^dozudo: no graphical display could be opened' <<<"$out" &&
        ! grep -q '^qt.qpa.plugin' <<<"$out"
    e2e_check $? "no platform starts with $vars: the program's message (not Qt's plugin line) and exit 1"
done
[ "$E2E_FAILS" -eq 0 ]
