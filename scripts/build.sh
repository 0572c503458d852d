#!/usr/bin/env bash
# Configures and builds the project in ./build (extra arguments go to cmake).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOZUDO_WERROR=ON "$@" >/dev/null
cmake --build build -j "$(nproc)"
