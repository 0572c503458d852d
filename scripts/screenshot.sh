#!/usr/bin/env bash
# Regenerates docs/screenshot.png, the picture in the README: builds the
# program, starts it on a private Xvfb display, types a published puzzle,
# starts solving with options and hints shown, and captures the window.
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
PUZZLE=$(grep -v '^#' tests/data/euler50.txt | grep -m1 -E '^[0-9.]{81}$')

click_bar 4                                   # enter puzzle
e2e_type "$(printf '%s' "$PUZZLE" | tr '.' ' ')"
click_bar 6                                   # search
click_column 0                                # show options
click_column 1                                # show hints
e2e_park_mouse
SHOT=$(e2e_stable_shot screenshot)
mkdir -p "$(dirname "$OUT")"
convert "$SHOT" -crop "${E2E_WW}x${E2E_WH}+${E2E_WX}+${E2E_WY}" +repage -strip "$OUT" ||
    e2e_die "could not write $OUT"
echo "wrote $OUT (${E2E_WW}x${E2E_WH})"
