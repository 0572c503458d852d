# End-to-end accessibility test: the real program under Xvfb in a private desktop session
# (session bus, accessibility bus and registry of at-spi2-core), walked by a screen-reader client (pyatspi) with key
# presses from xdotool: button names, press actions, the board's cells, options, a rule
# conflict announced by the status line, the help page read as text, Ctrl+Q; then a whole
# puzzle played from the keyboard alone.
#
# Usage: bash tests/e2e/test_accessibility.sh <path-to-dozudo> <tests/data dir>

set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }

# shellcheck source=lib.sh
. "$HERE/lib.sh"
PROG=$1
# Debian's pyatspi belongs to the system's Python.
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
"$PY" -c 'import pyatspi' 2>/dev/null || e2e_die "pyatspi missing (python3-pyatspi)"

# As on a desktop: the display, then the session and accessibility buses with the registry,
# then the program, then the screen reader.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_start_xvfb
e2e_start_a11y_session
e2e_start_app "$PROG"

"$PY" "$HERE/atspi_walk.py"
e2e_check $? "the screen-reader walk"

# Ctrl+Q (sent last by the walk) has closed the window and ended the program.
for _ in $(seq 1 30); do kill -0 "$E2E_APP_PID" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$E2E_APP_PID" 2>/dev/null
e2e_check $? "Ctrl+Q closed the window"

# A second run: the first published puzzle of tests/data/euler50.txt played from the keyboard.
e2e_start_app "$PROG"
"$PY" "$HERE/atspi_keyboard_play.py" "$(grep -v '^#' "$2/euler50.txt" | head -n 1)"
e2e_check $? "a whole puzzle played from the keyboard"
for _ in $(seq 1 30); do kill -0 "$E2E_APP_PID" 2>/dev/null || break; sleep 0.1; done

[ "$E2E_FAILS" -eq 0 ]
