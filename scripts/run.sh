#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
# An optional puzzle file argument is passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "dozudo needs a graphical display: no DISPLAY or WAYLAND_DISPLAY is set." >&2
  echo "Start it from a desktop session, or under a virtual one: xvfb-run -s '-screen 0 1280x1024x24' scripts/run.sh" >&2
  exit 1
fi
exec build/dozudo "$@"
