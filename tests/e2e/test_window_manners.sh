#!/usr/bin/env bash
# Under a window manager: the framed window is centred once and stays where it is when it is
# minimized and restored; it offers no maximize (its size is fixed).
set -u
source "$(dirname "$0")/lib.sh"
prog=$1

e2e_start_xvfb
command -v openbox >/dev/null || e2e_die "openbox is missing (scripts/install-deps.sh)"
openbox >"$E2E_TMP/openbox.log" 2>&1 &
echo $! >>"$E2E_TMP/pids"
e2e_wait_wm
e2e_start_app "$prog"

frame_of() {  # prints "x y w h" of the window's outermost frame
    local id=$1 parent
    while :; do
        parent=$(xwininfo -tree -id "$id" | awk '/Parent window id:/{print $4}')
        [ "$parent" = "$(xwininfo -root | awk '/Window id:/{print $4}')" ] && break
        id=$parent
    done
    xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
        /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

read -r sw sh <<<"$(xdotool getdisplaygeometry)"
centred() {  # the framed window centred on the screen, within a pixel; sets dx, dy
    read -r fx fy fw fh <<<"$(frame_of "$E2E_WID")"
    dx=$(( fx - (sw - fw) / 2 )); dy=$(( fy - (sh - fh) / 2 ))
    [ "$fw" -gt 915 ] && [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ]
}
# The window moves once the window manager has framed it: wait for that.
e2e_poll 15 centred
e2e_check $? "the framed window is centred (frame $fw x $fh at $fx,$fy, off by $dx,$dy)"

before="$fx $fy"
for round in 1 2 3; do
    xdotool windowminimize --sync "$E2E_WID"
    sleep 0.3
    xdotool windowactivate --sync "$E2E_WID" 2>/dev/null || xdotool windowmap --sync "$E2E_WID"
    sleep 0.5
done
read -r fx fy _ _ <<<"$(frame_of "$E2E_WID")"
[ "$fx $fy" = "$before" ]
e2e_check $? "three restores from minimized leave the window at $before (now $fx $fy)"

xprop -id "$E2E_WID" WM_NORMAL_HINTS | grep -q "program specified minimum size: 915 by 707" &&
    xprop -id "$E2E_WID" WM_NORMAL_HINTS | grep -q "program specified maximum size: 915 by 707"
e2e_check $? "minimum and maximum size are the window's size"

exit "$E2E_FAILS"
