# End-to-end desktop manners: the command line (without a display), the window's class and
# icon, and the puzzle dialogs under a window manager -- where they start, an empty name field
# each time, and no completer list left over the window to take the next click.
#
# Usage: bash tests/e2e/test_desktop.sh <path-to-dozudo> <tests/data dir>
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$HERE/lib.sh"
PROG=$1 DATA=$2

# ---- command line: no display is needed to answer it -------------------------------------
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PROG" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err"; echo $?; }
e2e_start_xvfb
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" XDG_DOCUMENTS_DIR="$E2E_TMP/home/Papers"
mkdir -p "$HOME" "$E2E_TMP/puzzles"
rc=$(run --help); [ "$rc" = 0 ] && head -n 1 "$E2E_TMP/out" | grep -q '^Usage: .*dozudo' && [ ! -s "$E2E_TMP/err" ]
e2e_check $? "--help: usage on standard output, exit 0 (got $rc)"
rc=$(run --version); [ "$rc" = 0 ] && [ "$(cat "$E2E_TMP/out")" = "dozudo 1.0.0" ]
e2e_check $? "--version: 'dozudo 1.0.0', exit 0 (got $rc: $(cat "$E2E_TMP/out"))"
rc=$(run --bogus x.sdk); [ "$rc" = 2 ] && [ ! -s "$E2E_TMP/out" ] &&
    head -n 1 "$E2E_TMP/err" | grep -q "'bogus'" && sed -n 2p "$E2E_TMP/err" | grep -q '^Usage:'
e2e_check $? "unknown option: one line and the usage on standard error, exit 2 (got $rc)"
rc=$(run --check -- "$DATA/euler50.txt"); [ "$rc" = 0 ] && [ "$(wc -l <"$E2E_TMP/out")" = 51 ] &&
    tail -n 1 "$E2E_TMP/out" | grep -qx '50 puzzles: 0 without solution, 50 with one, 0 with more; singles 41, reduction 8, stuck 1'
e2e_check $? "--check: a line a puzzle and the summary, without a display, exit 0 (got $rc)"
printf '%081d\n' 0 >"$E2E_TMP/open.txt"
rc=$(run --check "$E2E_TMP/open.txt"); [ "$rc" = 1 ] && head -n 1 "$E2E_TMP/out" | grep -qx '1 2+ stuck 81'
e2e_check $? "--check: an empty grid has more than one solution, exit 1 (got $rc)"

# ---- the window: "--" lets a file name begin with "-"; class and icon ---------------------
head -c 162 /dev/zero >"$E2E_TMP/puzzles/-x.sdk"
head -c 162 /dev/zero >"$E2E_TMP/puzzles/other.sdk"
openbox >"$E2E_TMP/openbox.log" 2>&1 &
echo $! >>"$E2E_TMP/pids"
sleep 1
e2e_start_app "$PROG" -- "$E2E_TMP/puzzles/-x.sdk"
[ "$(xdotool getwindowname "$E2E_WID")" = "DOZUDO - vudede : -x.sdk" ]
e2e_check $? "'dozudo -- -x.sdk' opens -x.sdk"
class=$(grep '^StartupWMClass=' "$HERE/../../dist/example.vorlane.Dozudo.desktop" | cut -d= -f2)
xprop -id "$E2E_WID" WM_CLASS | grep -qx "WM_CLASS(STRING) = \"$class\", \"$class\""
e2e_check $? "WM_CLASS is the desktop entry's StartupWMClass '$class'"
# The 32 x 32 picture of _NET_WM_ICON against the icon's 32 x 32 PNG, pixel by pixel (ARGB).
xprop -id "$E2E_WID" -notype 32c _NET_WM_ICON | sed 's/^[^=]*=//' | tr ',' '\n' |
    awk 'NF { v[n++] = $1 } END { for (i = 0; i < n; i += 2 + v[i] * v[i + 1])
        if (v[i] == 32 && v[i + 1] == 32) for (j = 0; j < 1024; j++) printf "%.0f\n", v[i + 2 + j] }' >"$E2E_TMP/icon"
convert "$(dirname "$PROG")/icons/32x32/example.vorlane.Dozudo.png" -depth 8 rgba:- | od -An -v -tu1 -w4 |
    awk '{ printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }' >"$E2E_TMP/png"
same=$(paste "$E2E_TMP/icon" "$E2E_TMP/png" | awk '$1 == $2 { n++ } END { print n + 0 }')
[ "$same" -ge 1000 ]; e2e_check $? "the window's icon is ours ($same of 1024 pixels as in the PNG)"

# ---- the dialogs ----------------------------------------------------------------------------
# Under the window manager the client origin comes from xwininfo (xdotool adds the frame).
eval "$(xwininfo -id "$E2E_WID" | awk '/Absolute upper-left X/{print "E2E_WX="$4} /Absolute upper-left Y/{print "E2E_WY="$4}')"
# dialog BUTTON TITLE TEXT: press a command bar button, type TEXT into its dialog, Return.
dialog() {
    # No --sync: it waits long for a pointer that is already there (the same button again).
    xdotool mousemove $((E2E_WX + 10 + $1 * 110 + 52)) $((E2E_WY + 40)) sleep 0.1 click 1
    local d="" _
    for _ in $(seq 1 30); do
        d=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1)
        [ -n "$d" ] && break
        sleep 0.1
    done
    [ -n "$d" ] || { e2e_fail "'$2' did not open"; return 1; }
    # End: what is typed goes after anything left in the name field, selected or not.
    xdotool windowfocus "$d"; sleep 0.4
    xdotool key End type --delay 20 "$3"; sleep 0.4
    xdotool key Return; sleep 0.6
}
caption() { xdotool getwindowname "$E2E_WID"; }
dialog 1 "save game" saved && [ -f "$E2E_TMP/puzzles/saved.sdk" ]
e2e_check $? "save starts in the folder of the file from the command line"
kill "$E2E_APP_PID"; wait "$E2E_APP_PID" 2>/dev/null

e2e_start_app "$PROG"
eval "$(xwininfo -id "$E2E_WID" | awk '/Absolute upper-left X/{print "E2E_WX="$4} /Absolute upper-left Y/{print "E2E_WY="$4}')"
dialog 1 "save game" first && [ -f "$XDG_DOCUMENTS_DIR/first.sdk" ]
e2e_check $? "before any puzzle, save starts in the documents folder, made for it"
dialog 0 "Open game" "$E2E_TMP/puzzles/saved.sdk" && [ "$(caption)" = "DOZUDO - vudede : saved.sdk" ]
e2e_check $? "a full path typed into the open dialog opens that file"
[ "$(xdotool search --onlyvisible --class dozudo | wc -l)" -eq 1 ]
e2e_check $? "no completer list is left on the screen"
dialog 0 "Open game" other.sdk && [ "$(caption)" = "DOZUDO - vudede : other.sdk" ]
e2e_check $? "the next click opens the dialog again, in the last file's folder"
dialog 0 "Open game" saved.sdk && [ "$(caption)" = "DOZUDO - vudede : saved.sdk" ]
e2e_check $? "the name field starts empty: the name typed is the name opened"

exit "$E2E_FAILS"
