# End-to-end accessibility test: the real program under Xvfb on a private D-Bus session with
# the accessibility bus (at-spi2-core), walked by a screen-reader client (pyatspi) with key
# presses from xdotool: button names, press actions, the board's cells, options, a rule
# conflict announced by the status line, the help page read as text, Ctrl+Q.
#
# Usage: bash tests/e2e/test_accessibility.sh <path-to-dozudo> <tests/data dir>

set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }

# A session bus of its own, which starts the accessibility bus when the program asks for it.
if [ -z "${DOZUDO_A11Y_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FATAL: dbus-run-session missing" >&2; exit 1; }
    DOZUDO_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

# shellcheck source=lib.sh
. "$HERE/lib.sh"
PROG=$1
# Debian's pyatspi belongs to the system's Python.
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
"$PY" -c 'import pyatspi' 2>/dev/null || e2e_die "pyatspi missing (python3-pyatspi)"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_start_xvfb
e2e_start_app "$PROG"

"$PY" "$HERE/atspi_walk.py"
e2e_check $? "the screen-reader walk"

# Ctrl+Q (sent last by the walk) has closed the window and ended the program.
for _ in $(seq 1 30); do kill -0 "$E2E_APP_PID" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$E2E_APP_PID" 2>/dev/null
e2e_check $? "Ctrl+Q closed the window"

[ "$E2E_FAILS" -eq 0 ]
