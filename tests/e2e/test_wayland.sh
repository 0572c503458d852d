# End-to-end on Wayland: started with a puzzle file under a headless Weston (with
# no X display and no platform chosen, as on a Wayland-only session), the program
# shows the file's digits in the same fields and the same pixels as under Xvfb.
# Where no platform can start, it says so and exits 1.
#
# Usage: bash tests/e2e/test_wayland.sh <path-to-dozudo> <tests/data dir>

# shellcheck disable=SC2086
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"

[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
PROG=$1
command -v weston >/dev/null && command -v weston-screenshooter >/dev/null || e2e_die "weston is missing"

CS=60; VIEW_X=120; VIEW_Y=110; GIVEN="208 0 0"
P=$(grep -E '^[0-9.]{81}$' "$2/euler50.txt" | sed -n 3p)

e2e_start_xvfb
# The puzzle file: 162 bytes, column by column (digit, given flag).
awk -v p="$P" 'BEGIN { for (c = 1; c <= 9; c++) for (r = 1; r <= 9; r++) {
    ch = substr(p, (r - 1) * 9 + c, 1); printf "\\%03o\\001", (ch == "." ? 0 : ch) } }' |
    xargs -0 printf >"$E2E_TMP/wl.sdk"

# Reference: the red puzzle digits per field under X11.
e2e_start_app "$PROG" "$E2E_TMP/wl.sdk"
e2e_park_mouse
X11=$(e2e_field_counts "$(e2e_stable_shot x11)" $VIEW_X $VIEW_Y $CS interior $GIVEN)
kill "$E2E_APP_PID"; wait "$E2E_APP_PID" 2>/dev/null

# board_origin SHOT: "X Y" of the board's top-left corner, found from its group lines: the
# rows and columns with a pure red line at least 8 fields long; empty unless there are four
# of each, three fields apart.
board_origin() {
    local axis
    for axis in "1x1024!" "1280x1!"; do
        convert "$1" $(e2e_mask_ops 255 0 0) -scale "$axis" -depth 16 -compress none pgm:- |
            awk -v need=$((8 * CS)) -v cs=$CS 'NR == 2 { n = $1 * $2 } NR > 3 {
                for (i = 1; i <= NF; i++) { if ($i * (n == 1024 ? 1280 : 1024) / 65535 >= need) l[k++] = p; p++ } }
                END { ok = (k == 4); for (i = 1; i < k; i++) ok = ok && l[i] - l[i - 1] == 3 * cs
                      if (ok) print l[0] }'
    done | paste -sd ' ' | awk 'NF == 2 { print $2, $1 }'
}

e2e_start_weston
env -u DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE XDG_RUNTIME_DIR="$E2E_RUNTIME" \
    WAYLAND_DISPLAY="$E2E_WAYLAND" "$PROG" "$E2E_TMP/wl.sdk" >"$E2E_TMP/app.log" 2>&1 &
E2E_APP_PID=$!
echo "$E2E_APP_PID" >>"$E2E_TMP/pids"
# The board is shown once it stands in two shots in a row with the same digits.
WL="" origin=""
for i in $(seq 1 40); do
    kill -0 "$E2E_APP_PID" 2>/dev/null || { cat "$E2E_TMP/app.log" >&2; e2e_die "program exited on Wayland"; }
    shot=$(e2e_weston_shot "wayland-$i") || e2e_die "weston-screenshooter took no picture"
    origin=$(board_origin "$shot")
    if [ -n "$origin" ]; then
        read -r E2E_WX E2E_WY <<<"$origin"
        E2E_WX=$((E2E_WX - VIEW_X)); E2E_WY=$((E2E_WY - VIEW_Y))
        now=$(e2e_field_counts "$shot" $VIEW_X $VIEW_Y $CS interior $GIVEN)
        [ -n "$WL" ] && [ "$now" = "$WL" ] && break
        WL=$now
    fi
    sleep 0.3
done
[ -n "$origin" ]; e2e_check $? "board found on the Weston screen at ${origin:-nowhere} (shot $i)"
bad=""
while read -r c r n; do
    ch=${P:$(((r - 1) * 9 + c - 1)):1}
    if [ "$ch" != "." ]; then [ "$n" -ge 40 ] || bad="$bad ($c,$r):$n"
    else [ "$n" -eq 0 ] || bad="$bad ($c,$r):$n"; fi
done <<<"$WL"
[ -n "$WL" ] && [ -z "$bad" ]; e2e_check $? "Wayland: red digits exactly in the file's given fields${bad:+ — wrong:$bad}"
diff=$(diff <(echo "$X11") <(echo "$WL") | grep '^>' | tr '\n' ' ')
[ -z "$diff" ]; e2e_check $? "Wayland: $(awk '{ s += $3 } END { print s }' <<<"$WL") red pixels, field by field as under X11${diff:+ — differ:$diff}"
kill "$E2E_APP_PID"; wait "$E2E_APP_PID" 2>/dev/null

# No platform can start: the program's message and status 1, at once, no abort.
mkdir -p "$E2E_TMP/empty" && chmod 700 "$E2E_TMP/empty"
while IFS='|' read -r what vars; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$E2E_TMP/empty" \
        $vars timeout 10 "$PROG" "$E2E_TMP/wl.sdk" 2>&1 >/dev/null)
    rc=$?
    [ $rc -eq 1 ] && grep -q '^dozudo: no graphical display could be opened' <<<"$out"
    e2e_check $? "$what: exit $rc, '$(tail -n 2 <<<"$out" | head -n 1 | cut -c1-60)...'"
done <<'ROWS'
Wayland display without a compositor|WAYLAND_DISPLAY=wayland-0
X11 display without a server|DISPLAY=:98765
platform plugin missing|QT_QPA_PLATFORM=no-such-platform WAYLAND_DISPLAY=wayland-0
ROWS

if [ "$E2E_FAILS" -ne 0 ]; then
    echo "$E2E_FAILS check(s) failed" >&2
    exit 1
fi
echo "all checks passed"
