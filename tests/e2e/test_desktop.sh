#!/usr/bin/env bash
# End-to-end desktop manners: the command line (without a display), the window's class and
# icon, and the puzzle dialogs under a window manager: where they start, an empty name field
# each time, and no completer list left over the window to take the next click.
# Usage: bash tests/e2e/test_desktop.sh <path-to-dozudo> <tests/data dir>
set -u
. "$(dirname "$0")/lib.sh"
PROG=$1 DATA=$2
e2e_start_xvfb
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" XDG_DOCUMENTS_DIR="$E2E_TMP/home/Papers"
OUT="$E2E_TMP/out" ERR="$E2E_TMP/err" DIR="$E2E_TMP/puzzles"
mkdir -p "$HOME" "$DIR"
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PROG" "$@" >"$OUT" 2>"$ERR"; echo $?; }

[ "$(run --help)" = 0 ] && grep -q '^Usage: .*dozudo' "$OUT" && [ ! -s "$ERR" ]
e2e_check $? "--help: the usage on standard output, exit 0, no display needed"
[ "$(run --version)" = 0 ] && [ "$(cat "$OUT")" = "dozudo 1.0.0" ]
e2e_check $? "--version: 'dozudo 1.0.0', exit 0"
[ "$(run --bogus x.sdk)" = 2 ] && [ ! -s "$OUT" ] && head -n 1 "$ERR" | grep -q "'bogus'" &&
    sed -n 2p "$ERR" | grep -q '^Usage:'
e2e_check $? "an unknown option: one line and the usage on standard error, exit 2"
[ "$(run --check -- "$DATA/euler50.txt")" = 0 ] && [ "$(wc -l <"$OUT")" = 51 ] && tail -n 1 "$OUT" |
    grep -qx '50 puzzles: 0 without solution, 50 with one, 0 with more; singles 41, reduction 8, X-Wing 1, stuck 0'
e2e_check $? "--check: a line a puzzle and the summary, exit 0, no display needed"
grep -v '^#' "$DATA/euler50.txt" | sed -n 7p >"$DIR/seventh.txt"
[ "$(run --explain "$DIR/seventh.txt")" = 0 ] && [ ! -s "$ERR" ] &&
    grep -qx 'X-Wing: r1c6{6} r1c9{6} r9c6{6} r9c9{6} => r4c9<>6, r7c6<>6, r7c9<>6' "$OUT" &&
    tail -n 1 "$OUT" | grep -qx 'solved in 62 steps, hardest: X-Wing'
e2e_check $? "--explain: the path a step a line, the X-Wing among them, exit 0, no display needed"
for puzzle in "$(grep -v '^#' "$DATA/hard.txt" | head -n 1)" "$(head -n 1 "$DATA/top95.txt")"; do
    printf '%s\n' "$puzzle" >"$DIR/one.txt"
    [ "$(run --explain "$DIR/one.txt")" = 0 ] && python3 "$(dirname "$0")/explain_replay.py" "$puzzle" <"$OUT"
    e2e_check $? "--explain: every step of ${puzzle:0:20}... replayed against its solution"
done
printf '%081d\n' 0 >"$DIR/open.txt"
[ "$(run --check "$DIR/open.txt")" = 1 ] && head -n 1 "$OUT" | grep -qx '1 2+ stuck 81'
e2e_check $? "--check: an empty grid has more than one solution, exit 1"
[ "$(run --explain "$DIR/open.txt")" = 1 ] && tail -n 1 "$OUT" | grep -qx 'stuck after 0 steps, 81 empty fields left'
e2e_check $? "--explain: an empty grid has no path, exit 1"

head -c 162 /dev/zero >"$DIR/-x.sdk"
head -c 162 /dev/zero >"$DIR/other.sdk"
openbox >"$E2E_TMP/openbox.log" 2>&1 &
e2e_track $!
e2e_wait_wm
# Starts the program; under the window manager the client origin comes from xwininfo.
start() {
    e2e_start_app "$PROG" "$@"
    eval "$(xwininfo -id "$E2E_WID" | awk '/Absolute upper-left X/{print "E2E_WX="$4} /Absolute upper-left Y/{print "E2E_WY="$4}')"
}
caption() { xdotool getwindowname "$E2E_WID"; }
caption_is() { e2e_poll 15 sh -c "[ \"\$(xdotool getwindowname $E2E_WID)\" = '$1' ]"; }
file_is() { e2e_poll 15 test -f "$1"; }
# dialog BUTTON TITLE TEXT: press a command bar button (no --sync: it waits long for a pointer
# already there), type TEXT after anything left in the name field once the dialog has the
# keyboard, Return, and wait until the dialog has gone.
dialog() {
    xdotool mousemove $((E2E_WX + 62 + $1 * 110)) $((E2E_WY + 40)) sleep 0.1 click 1
    local d
    d=$(timeout 30 xdotool search --sync --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1)
    [ -n "$d" ] || return 1
    e2e_poll 30 sh -c "xdotool windowfocus $d 2>/dev/null; [ \"\$(xdotool getwindowfocus)\" = $d ]" || return 1
    xdotool sleep 0.3 key End type --delay 20 "$3"
    xdotool sleep 0.3 key Return
    e2e_poll 30 sh -c "! xdotool search --onlyvisible --name '^$2\$' >/dev/null 2>&1"
}

start -- "$DIR/-x.sdk"
caption_is "DOZUDO - vudede : -x.sdk"; e2e_check $? "'dozudo -- -x.sdk' opens -x.sdk"
class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../dist/example.vorlane.Dozudo.desktop")
xprop -id "$E2E_WID" WM_CLASS | grep -qx "WM_CLASS(STRING) = \"$class\", \"$class\""
e2e_check $? "WM_CLASS is the desktop entry's StartupWMClass '$class'"
# The 32 x 32 picture of _NET_WM_ICON against the icon's 32 x 32 PNG, as ARGB numbers; the
# window manager may read the icon a moment after the window shows.
convert "$(dirname "$PROG")/icons/32x32/example.vorlane.Dozudo.png" -depth 8 rgba:- | od -An -v -tu1 -w4 |
    awk '{ printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }' >"$E2E_TMP/icon.argb"
icon_is_ours() {
    xprop -id "$E2E_WID" -notype 32c _NET_WM_ICON | sed 's/^[^=]*=//' | tr ',' '\n' | awk 'NF { v[n++] = $1 }
        END { for (i = 0; i < n; i += 2 + v[i] * v[i + 1]) if (v[i] == 32) for (j = 2; j < 1026; j++) printf "%.0f\n", v[i + j] }' >"$OUT"
    cmp -s "$E2E_TMP/icon.argb" "$OUT"
}
e2e_poll 15 icon_is_ours
e2e_check $? "the window's icon is ours: its 32 x 32 picture is the icon's PNG"
dialog 1 "save game" saved && file_is "$DIR/saved.sdk"
e2e_check $? "save starts in the folder of the file from the command line"
kill "$E2E_APP_PID"; wait "$E2E_APP_PID" 2>/dev/null

start
dialog 1 "save game" first && file_is "$XDG_DOCUMENTS_DIR/first.sdk"
e2e_check $? "before any puzzle, save starts in the documents folder, made for it"
dialog 0 "Open game" "$DIR/saved.sdk" && caption_is "DOZUDO - vudede : saved.sdk"
e2e_check $? "a full path typed into the open dialog opens that file"
[ "$(xdotool search --onlyvisible --class dozudo | wc -l)" -eq 1 ]
e2e_check $? "no completer list is left on the screen"
dialog 0 "Open game" other.sdk && caption_is "DOZUDO - vudede : other.sdk"
e2e_check $? "the next click opens the dialog again, in the last file's folder"
dialog 0 "Open game" saved.sdk && caption_is "DOZUDO - vudede : saved.sdk"
e2e_check $? "the name field starts empty: the name typed is the name opened"
exit "$E2E_FAILS"
