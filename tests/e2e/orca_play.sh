# Debian's Orca against the real program: a whole published puzzle played by ear (see
# orca_play.py). Not part of the suite (Orca is no build or test dependency); run it by hand
# after changes that a screen reader meets:
#
#   apt-get install orca && bash tests/e2e/orca_play.sh build/dozudo tests/data
#
# Orca's debug file (what it spoke, among much else) is kept as orca-debug.txt in the
# folder named on the last line.

set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <path-to-dozudo> <tests/data dir>" >&2; exit 2; }
# shellcheck source=lib.sh
. "$HERE/lib.sh"
command -v orca >/dev/null || e2e_die "orca missing (apt-get install orca)"
PROG=$1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
e2e_start_xvfb
# A window manager, as on a desktop: it gives the keyboard back to the window after the help.
openbox >"$E2E_TMP/openbox.log" 2>&1 &
e2e_track $!
e2e_wait_wm
e2e_start_a11y_session
OUT=$(mktemp -d "${TMPDIR:-/tmp}/dozudo-orca.XXXXXX")
# Orca writes its debug file block by block; opened line-buffered it can be followed live.
/usr/bin/python3 -c '
import builtins, runpy, sys
plain = builtins.open
builtins.open = lambda f, m="r", *a, **k: plain(f, m, 1, *a, **k) if m == "w" else plain(f, m, *a, **k)
sys.argv = ["orca", "--replace", "--debug-file=" + sys.argv[1]]
runpy.run_path("/usr/bin/orca", run_name="__main__")
' "$OUT/orca-debug.txt" >"$OUT/orca.log" 2>&1 &
e2e_track $!
e2e_poll 30 grep -qs "Screen reader on" "$OUT/orca-debug.txt" || e2e_die "Orca did not start (see $OUT/orca.log)"
e2e_start_app "$PROG"
/usr/bin/python3 "$HERE/orca_play.py" "$OUT/orca-debug.txt" "$(grep -v '^#' "$2/euler50.txt" | head -n 1)"
e2e_check $? "a whole puzzle played by ear with Orca"
echo "Orca's debug file: $OUT/orca-debug.txt"
[ "$E2E_FAILS" -eq 0 ]
