# Helpers for the end-to-end tests: run dozudo on a private Xvfb display,
# drive it with xdotool and inspect screenshots with ImageMagick.
# Source this file; it defines e2e_* functions and a few globals:
#   E2E_TMP   scratch directory (screenshots); kept when a check failed
#   E2E_WID   window id of the main window, E2E_WX/E2E_WY its client origin
# Needs: Xvfb, xdotool, ImageMagick (convert, import), awk; weston for e2e_start_weston.

E2E_TMP=""
E2E_XVFB_PID=""
E2E_WESTON_PID=""
E2E_APP_PID=""
E2E_WATCH_PID=""
E2E_EXTRA_PIDS=()
E2E_WID=""
E2E_WX=0
E2E_WY=0
E2E_FAILS=0

e2e_log() { printf '[e2e %s] %s\n' "$(date +%H:%M:%S)" "$*"; }

# Record a failed check; the script goes on so that one run reports all faults.
e2e_fail() {
    E2E_FAILS=$((E2E_FAILS + 1))
    printf 'FAIL: %s\n' "$*" >&2
}

e2e_pass() { printf 'ok:   %s\n' "$*"; }

# e2e_check CONDITION-RESULT MESSAGE: CONDITION-RESULT is 0 for success.
e2e_check() {
    if [ "$1" -eq 0 ]; then e2e_pass "$2"; else e2e_fail "$2"; fi
}

# Abort at once (for faults after which nothing further can be checked).
e2e_die() {
    E2E_FAILS=$((E2E_FAILS + 1))
    printf 'FATAL: %s\n' "$*" >&2
    exit 1
}

e2e_cleanup() {
    local rc=$?
    if [ -n "$E2E_WATCH_PID" ]; then
        kill "$E2E_WATCH_PID" 2>/dev/null
        wait "$E2E_WATCH_PID" 2>/dev/null
    fi
    if [ -n "$E2E_APP_PID" ] && kill -0 "$E2E_APP_PID" 2>/dev/null; then
        kill "$E2E_APP_PID" 2>/dev/null
        wait "$E2E_APP_PID" 2>/dev/null
    fi
    [ -n "$E2E_WESTON_PID" ] && kill "$E2E_WESTON_PID" 2>/dev/null && wait "$E2E_WESTON_PID" 2>/dev/null
    local pid
    for pid in "${E2E_EXTRA_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    if [ -n "$E2E_XVFB_PID" ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    if [ "$rc" -ne 0 ] || [ "$E2E_FAILS" -ne 0 ] || [ -n "${E2E_KEEP:-}" ]; then
        [ -n "$E2E_TMP" ] && printf 'screenshots and logs kept in %s\n' "$E2E_TMP" >&2
    elif [ -n "$E2E_TMP" ]; then
        rm -rf "$E2E_TMP"
    fi
    exit "$rc"
}

e2e_require_tools() {
    local t missing=""
    for t in Xvfb xdotool convert import awk; do
        command -v "$t" >/dev/null 2>&1 || missing="$missing $t"
    done
    [ -z "$missing" ] || e2e_die "missing tools:$missing"
}

# e2e_track PID: a process of the test's own, ended with the test (also by the watchdog).
e2e_track() {
    E2E_EXTRA_PIDS+=("$1")
    echo "$1" >>"$E2E_TMP/pids"
}

# Start Xvfb on a free display (Xvfb picks it itself through -displayfd).
# The screen is E2E_SCREEN (width x height x depth), 1280x1024x24 unless set.
# Every script gets a home, configuration, cache and runtime folder of its own, so that
# scripts running side by side share no file, socket or setting.
e2e_start_xvfb() {
    e2e_require_tools
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/dozudo-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    mkdir -p "$E2E_TMP/home" && mkdir -m 700 "$E2E_TMP/run"
    export HOME="$E2E_TMP/home" XDG_RUNTIME_DIR="$E2E_TMP/run" XDG_CONFIG_HOME="$E2E_TMP/home/.config" \
        XDG_CACHE_HOME="$E2E_TMP/home/.cache" XDG_DATA_HOME="$E2E_TMP/home/.local/share"
    unset XDG_DOCUMENTS_DIR
    # No session bus unless the script starts one: an address where none listens, so that
    # D-Bus does not launch one itself. Its autolaunch forks the program, and under the
    # sanitizers such a child can be left spinning after the test has ended.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/run/no-session-bus"
    trap 'exit 130' INT
    trap 'exit 143' TERM
    local numfile="$E2E_TMP/display"
    : >"$numfile"
    Xvfb -displayfd 9 -screen 0 "${E2E_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
        9>"$numfile" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    echo "$E2E_XVFB_PID" >"$E2E_TMP/pids"
    # Watchdog: if this script is killed outright (no trap runs), it still
    # ends the X server and the program, whose ids are listed in pids.
    (
        while kill -0 "$$" 2>/dev/null; do sleep 1; done
        while read -r pid; do kill "$pid"; done <"$E2E_TMP/pids"
    ) >/dev/null 2>&1 &
    E2E_WATCH_PID=$!
    for _ in $(seq 1 300); do
        [ -s "$numfile" ] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_die "Xvfb exited (see $E2E_TMP/xvfb.log)"
        sleep 0.1
    done
    [ -s "$numfile" ] || e2e_die "Xvfb did not report a display"
    DISPLAY=":$(tr -dc '0-9' <"$numfile")"
    export DISPLAY
    unset WAYLAND_DISPLAY
    for _ in $(seq 1 150); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    e2e_log "Xvfb running on $DISPLAY ($(xdotool getdisplaygeometry))"
}

# Start a headless Weston after e2e_start_xvfb: a private runtime folder, an output of
# E2E_SCREEN's size, screenshots allowed (--debug). Clients run with env "${E2E_WL_ENV[@]}".
e2e_start_weston() {
    local s=${E2E_SCREEN:-1280x1024x24}; s=${s%x*}
    mkdir -p "$E2E_TMP/wlshots"
    E2E_WL_ENV=(XDG_RUNTIME_DIR="$E2E_TMP/run" WAYLAND_DISPLAY=dozudo-e2e)
    env "${E2E_WL_ENV[@]}" weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 \
        --width="${s%x*}" --height="${s#*x}" --socket=dozudo-e2e >"$E2E_TMP/weston.log" 2>&1 &
    E2E_WESTON_PID=$!; echo "$E2E_WESTON_PID" >>"$E2E_TMP/pids"
    for _ in $(seq 1 300); do [ -S "$E2E_TMP/run/dozudo-e2e" ] && return; sleep 0.1; done
    e2e_die "weston did not start (see $E2E_TMP/weston.log)"
}
# e2e_weston_shot NAME: screenshot of Weston's screen into $E2E_TMP/NAME.png; prints the name.
e2e_weston_shot() {
    (cd "$E2E_TMP/wlshots" && env "${E2E_WL_ENV[@]}" timeout 10 weston-screenshooter >/dev/null 2>&1) &&
        mv -f "$E2E_TMP"/wlshots/*.png "$E2E_TMP/$1.png" && printf '%s\n' "$E2E_TMP/$1.png"
}

# e2e_start_app PROGRAM [ARGS...]: start the program and wait for its window.
e2e_start_app() {
    local prog=$1; shift
    [ -x "$prog" ] || e2e_die "program not found or not executable: $prog"
    QT_QPA_PLATFORM=xcb "$prog" "$@" >"$E2E_TMP/app.log" 2>&1 &
    E2E_APP_PID=$!
    echo "$E2E_APP_PID" >>"$E2E_TMP/pids"
    local ids
    for _ in $(seq 1 450); do
        kill -0 "$E2E_APP_PID" 2>/dev/null || e2e_die "program exited early (see $E2E_TMP/app.log)"
        ids=$(xdotool search --onlyvisible --name "DOZUDO - vudede" 2>/dev/null)
        [ -n "$ids" ] && break
        sleep 0.1
    done
    [ -n "$ids" ] || e2e_die "main window 'DOZUDO - vudede' did not appear"
    E2E_WID=$(printf '%s\n' "$ids" | head -n 1)
    e2e_window_geometry
    # Without a window manager: give the window the keyboard focus directly, and wait until
    # it has it.
    for _ in $(seq 1 100); do
        xdotool windowfocus "$E2E_WID" 2>/dev/null
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$E2E_WID" ] && break
        sleep 0.1
    done
    sleep 0.2
}

# Read the window's client origin and size into E2E_WX, E2E_WY, E2E_WW, E2E_WH.
e2e_window_geometry() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$E2E_WID" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    E2E_WX=$X; E2E_WY=$Y; E2E_WW=$WIDTH; E2E_WH=$HEIGHT
}

# Click with the left button at a point given in client coordinates.
e2e_click() {
    xdotool mousemove --sync $((E2E_WX + $1)) $((E2E_WY + $2)) click 1
    sleep "${3:-0.3}"
}

# Move the mouse to a neutral place on the window (no button under it), so
# that hover texts do not cover the status line.
e2e_park_mouse() {
    xdotool mousemove --sync $((E2E_WX + 5)) $((E2E_WY + E2E_WH - 5))
    sleep 0.2
}

# Keys: e2e_key NAME... (xdotool key names, e.g. space Right 0), e2e_type TEXT.
e2e_key() {
    xdotool key --clearmodifiers --delay 40 "$@"
    sleep 0.2
}
e2e_type() {
    xdotool type --delay 40 "$1"
    sleep 0.2
}

# e2e_shot NAME: screenshot of the whole screen into $E2E_TMP/NAME.png;
# prints the file name.
e2e_shot() {
    local f="$E2E_TMP/$1.png"
    import -window root "$f" 2>/dev/null || xwd -root -silent | convert xwd:- "$f"
    printf '%s\n' "$f"
}

# e2e_stable_shot NAME: like e2e_shot, but waits (up to about 3 s) until two
# screenshots in a row show the same window content, so that a check does not
# read a half-finished repaint.
e2e_stable_shot() {
    local f="$E2E_TMP/$1.png" prev="$E2E_TMP/.$1.prev.png"
    import -window root "$prev" 2>/dev/null
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
        sleep 0.2
        import -window root "$f" 2>/dev/null
        [ "$(e2e_rect_diff "$prev" "$f" 0 0 "$E2E_WW" "$E2E_WH")" = "0" ] && break
        mv -f "$f" "$prev"
    done
    rm -f "$prev"
    printf '%s\n' "$f"
}

# e2e_pixel SHOT X Y: "R G B" of the pixel at client point (X, Y).
e2e_pixel() {
    convert "$1" -crop 1x1+$((E2E_WX + $2))+$((E2E_WY + $3)) +repage \
        -depth 8 -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

# e2e_mask_ops R G B: ImageMagick operators that turn pixels of exactly colour
# (R,G,B) white and all other pixels black.
e2e_mask_ops() {
    local c="rgb($1,$2,$3)" x="rgb(1,2,3)"
    [ "$c" = "$x" ] && x="rgb(3,2,1)"
    printf '%s\n' -fill "$x" +opaque "$c" -fill white -opaque "$c" -fill black +opaque white
}

# e2e_count SHOT X Y W H R G B: number of pixels of exactly colour (R,G,B) in
# the rectangle W x H at client point (X, Y).
e2e_count() {
    local -a mask
    mapfile -t mask < <(e2e_mask_ops "$6" "$7" "$8")
    convert "$1" -crop "$4x$5+$((E2E_WX + $2))+$((E2E_WY + $3))" +repage "${mask[@]}" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

# e2e_rect_diff SHOT1 SHOT2 X Y W H: number of pixels that differ in the rectangle.
e2e_rect_diff() {
    convert "$1" "$2" -crop "$5x$6+$((E2E_WX + $3))+$((E2E_WY + $4))" +repage \
        -compose difference -composite -fill white +opaque black \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

# e2e_field_counts SHOT VIEW_X VIEW_Y CELL PART R G B: one line per field,
# "column row count", counting pixels of colour (R,G,B) in PART of each field
# of a 9x9 board view whose top-left is at client point (VIEW_X, VIEW_Y), grid
# lines at multiples of CELL. PART is "interior" (the field less its 4-pixel
# ring), "ring" (the 4-pixel ring, where the selection mark lies) or "field".
e2e_field_counts() {
    local shot=$1 vx=$2 vy=$3 cs=$4 part=$5 side inner
    local -a mask
    mapfile -t mask < <(e2e_mask_ops "$6" "$7" "$8")
    side=$((9 * cs))
    inner=$((cs - 9))
    # one tile per field: the field's cs-1 pixels plus the grid line right/below
    _e2e_tiles() {
        convert "$shot" -crop "${side}x${side}+$((E2E_WX + vx + 1))+$((E2E_WY + vy + 1))" +repage \
            "${mask[@]}" -crop "${cs}x${cs}" +repage "$@" \
            -format '%[fx:int(mean*w*h+0.5)]\n' info:
    }
    case $part in
        interior) _e2e_tiles -crop "${inner}x${inner}+4+4" +repage ;;
        field) _e2e_tiles -crop "$((cs - 1))x$((cs - 1))+0+0" +repage ;;
        ring) paste <(_e2e_tiles -crop "$((cs - 1))x$((cs - 1))+0+0" +repage) \
                    <(_e2e_tiles -crop "${inner}x${inner}+4+4" +repage) | awk '{ print $1 - $2 }' ;;
        *) echo "e2e_field_counts: unknown part $part" >&2; return 2 ;;
    esac | awk '{ n = NR - 1; print n % 9 + 1, int(n / 9) + 1, $1 }'
}

# e2e_wait_for TIMEOUT_S INTERVAL_S NAME COMMAND...: take screenshots until
# COMMAND SHOT succeeds; prints the last shot. Returns 1 on timeout.
e2e_wait_for() {
    local timeout=$1 interval=$2 name=$3; shift 3
    local start now shot
    start=$(date +%s)
    while :; do
        shot=$(e2e_shot "$name")
        if "$@" "$shot"; then printf '%s\n' "$shot"; return 0; fi
        now=$(date +%s)
        if [ $((now - start)) -ge "$timeout" ]; then printf '%s\n' "$shot"; return 1; fi
        rm -f "$shot"
        sleep "$interval"
    done
}

# e2e_start_a11y_session: after e2e_start_xvfb, a desktop's accessibility session of the
# test's own, up and answering before any program starts: a session bus on a socket in the
# private runtime folder, the accessibility bus launcher, and the registry on that bus.
# Needs dbus-daemon, dbus-send and at-spi2-core.
e2e_start_a11y_session() {
    local out launcher=/usr/libexec/at-spi-bus-launcher a11y=""
    [ -x "$launcher" ] || e2e_die "at-spi-bus-launcher missing (at-spi2-core)"
    out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 \
        --address="unix:path=$XDG_RUNTIME_DIR/bus") || e2e_die "the session bus did not start"
    e2e_track "$(printf '%s\n' "$out" | sed -n 2p)"
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(printf '%s\n' "$out" | sed -n 1p)
    "$launcher" >"$E2E_TMP/a11y-bus.log" 2>&1 &
    e2e_track $!
    for _ in $(seq 1 300); do
        a11y=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ')
        [ -n "$a11y" ] && break
        sleep 0.1
    done
    [ -n "$a11y" ] || e2e_die "the accessibility bus did not answer (see $E2E_TMP/a11y-bus.log)"
    # The first call starts the registry; it answers once it is up.
    for _ in $(seq 1 300); do
        dbus-send --bus="$a11y" --print-reply --dest=org.a11y.atspi.Registry /org/a11y/atspi/registry \
            org.a11y.atspi.Registry.GetRegisteredEvents >/dev/null 2>&1 && {
            e2e_log "accessibility bus and registry answer at $a11y"
            return 0
        }
        sleep 0.1
    done
    e2e_die "the accessibility registry did not answer"
}

# e2e_poll SECONDS COMMAND...: succeeds as soon as COMMAND does; fails after SECONDS.
e2e_poll() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.1
    done
}

# e2e_wait_wm: waits until a window manager has taken the screen (_NET_SUPPORTING_WM_CHECK).
e2e_wait_wm() {
    e2e_poll 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        e2e_die "the window manager did not start"
}
