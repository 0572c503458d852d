# Monkey checkpoint: called with the event number and the 81 digits the
# monkey read from the screen (reading order, 0 for empty).
# Usage: bash checkpoint.sh N DIGITS   (E2E_* variables from run_monkey.sh)
n=$1 screen=$2
printf '%s %s\n' "$n" "$screen" >>"$E2E_TMP/checkpoints.log"
