#!/usr/bin/env bash
# Regenerates docs/screenshot.png, the picture in the README: builds the
# program, starts it on a private Xvfb display, types a published puzzle,
# starts solving with the options shown, asks for the next step (key N: a
# pointing pair, its fields framed and the options it removes struck through)
# and captures the window.
#
#   scripts/screenshot.sh [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=$(readlink -f "${1:-docs/screenshot.png}")
bash scripts/build.sh
set +eu
# shellcheck source=../tests/e2e/lib.sh
. tests/e2e/lib.sh
e2e_start_xvfb
e2e_start_app build/dozudo

# Main window at the 60-pixel field size of a 1280-pixel-wide screen.
click_bar() { e2e_click $((10 + $1 * 110 + 52)) 40; }
click_column() { e2e_click 781 $((110 + $1 * 47 + 21)); }
PUZZLE=$(sed -n 54p tests/data/top95.txt)

click_bar 4                                   # enter puzzle
e2e_type "$(printf '%s' "$PUZZLE" | tr '.' ' ')"
click_bar 6                                   # search
click_column 0                                # show options
e2e_park_mouse
e2e_key n                                     # next step
SHOT=$(e2e_stable_shot screenshot)
mkdir -p "$(dirname "$OUT")"
convert "$SHOT" -crop "${E2E_WW}x${E2E_WH}+${E2E_WX}+${E2E_WY}" +repage -strip "$OUT" ||
    e2e_die "could not write $OUT"
echo "wrote $OUT (${E2E_WW}x${E2E_WH})"
