#!/usr/bin/env bash
# Builds the program and its Debian package: build/dozudo_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/dozudo_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
cpack -G DEB
ls -1 "$PWD"/dozudo_*.deb
