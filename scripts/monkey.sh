#!/usr/bin/env bash
# Builds the program and runs the monkey test: random clicks, drags and keys
# on the real window under Xvfb.
#
#   scripts/monkey.sh [--seed S] [--events N]     (defaults: seed 1, 10000 events)
#
# The same seed sends the same events. The test suite runs 3000 events with seed 1.
set -euo pipefail
cd "$(dirname "$0")/.."
args=(--seed 1 --events 10000)
[ $# -gt 0 ] && args=(--seed 1 --events 10000 "$@")
bash scripts/build.sh
exec bash tests/monkey/run_monkey.sh build/dozudo build/tests/monkey/dozudo_monkey "${args[@]}"
