# Monkey test: starts dozudo on a private Xvfb display and lets dozudo_monkey
# send it a seeded stream of random clicks, drags and keys. Fails when the
# program crashes, hangs, leaves a dialog that cannot be closed, reports a
# sanitizer error, or a checkpoint finds the board out of step with the screen.
#
# Usage: bash tests/monkey/run_monkey.sh <dozudo> <dozudo_monkey> [--seed S] [--events N]
# The same seed sends the same events; the event list is kept with the
# screenshots when the run fails (E2E_KEEP=1 keeps it always).
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../e2e/lib.sh
. "$HERE/../e2e/lib.sh"

[ $# -ge 2 ] || { echo "usage: $0 <dozudo> <dozudo_monkey> [--seed S] [--events N]" >&2; exit 2; }
PROG=$(readlink -f "$1"); MONKEY=$(readlink -f "$2"); shift 2
SEED=1; EVENTS=3000
while [ $# -gt 0 ]; do
    case $1 in
        --seed) SEED=$2; shift 2 ;;
        --events) EVENTS=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

e2e_start_xvfb
# The program runs in a scratch home: whatever the monkey saves, prints or
# opens stays there, and web links go to a stand-in browser that only logs.
export HOME=$E2E_TMP/home
mkdir -p "$HOME" "$E2E_TMP/bin"
printf '#!/bin/sh\necho "$@" >>"%s/browser.log"\n' "$E2E_TMP" >"$E2E_TMP/bin/xdg-open"
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH" BROWSER="$E2E_TMP/bin/xdg-open"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
# The file dialogs start in the program's own folder: run a copy from home.
cp "$PROG" "$HOME/dozudo" || e2e_die "cannot copy $PROG"
cd "$HOME" || exit 1
e2e_start_app "$HOME/dozudo"

# The monkey learns the digits' shapes from row 1: enter puzzle, then 1..9.
[ "$E2E_WW" -eq 915 ] && [ "$E2E_WH" -eq 707 ] || e2e_die "unexpected window size ${E2E_WW}x${E2E_WH}"
e2e_click $((10 + 4 * 110 + 52)) 40
e2e_type 123456789
export E2E_WID E2E_WX E2E_WY E2E_TMP

e2e_log "monkey: seed $SEED, $EVENTS events"
start=$(date +%s)
"$MONKEY" --window "$E2E_WID" --pid "$E2E_APP_PID" --seed "$SEED" --events "$EVENTS" \
    --board 120,110,60 --calibrate 1 --explore "SUDOKU - help" --checkpoint-every 500 --checkpoint "bash $HERE/checkpoint.sh" \
    --log "$E2E_TMP/events.log"
rc=$?
e2e_log "monkey finished in $(($(date +%s) - start)) s"
if [ $rc -ne 0 ]; then
    e2e_shot failure >/dev/null
    if ! kill -0 "$E2E_APP_PID" 2>/dev/null; then
        wait "$E2E_APP_PID"; status=$?
        e2e_fail "the program ended with status $status$( [ $status -gt 128 ] && echo " (signal $((status - 128)))")"
    fi
    e2e_fail "monkey run failed (seed $SEED); events in $E2E_TMP/events.log; program output:"
    tail -40 "$E2E_TMP/app.log" >&2
else
    e2e_pass "$EVENTS random events, the program alive and answering"
fi
if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$E2E_TMP/app.log"; then
    e2e_fail "sanitizer report in the program's output:"
    grep -A20 -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$E2E_TMP/app.log" | head -40 >&2
fi
[ -s "$E2E_TMP/browser.log" ] && e2e_log "web pages asked for: $(sort -u "$E2E_TMP/browser.log" | tr '\n' ' ')"

if [ "$E2E_FAILS" -ne 0 ]; then
    echo "$E2E_FAILS check(s) failed; rerun with: scripts/monkey.sh --seed $SEED --events $EVENTS" >&2
    exit 1
fi
echo "all checks passed"
