#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#
#   scripts/test.sh [--with-sanitizers] [--no-fuzz] [cmake options...]
#
# The suite runs in ./build. Then the fuzz targets are built with clang in
# ./build-fuzz and each runs for a few seconds (--no-fuzz skips this).
# --with-sanitizers also builds the whole project with AddressSanitizer and
# UndefinedBehaviorSanitizer in ./build-asan and runs the suite there.
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers=0
fuzz=1
cmake_args=()
for arg in "$@"; do
  case $arg in
    --with-sanitizers) sanitizers=1 ;;
    --no-fuzz) fuzz=0 ;;
    *) cmake_args+=("$arg") ;;
  esac
done
jobs=$(nproc)
t0=$(date +%s)
phase() { echo "== [$(($(date +%s) - t0)) s] $*"; }

bash scripts/build.sh "${cmake_args[@]}"
(cd build && ctest --output-on-failure -j "$jobs")

if [ "$fuzz" -eq 1 ]; then
  phase "fuzz targets (clang, libFuzzer): short runs in build-fuzz"
  bash scripts/fuzz.sh --build-only
  (cd build-fuzz && ctest --output-on-failure -j "$jobs")
fi

if [ "$sanitizers" -eq 1 ]; then
  phase "whole suite under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan"
  # -O1 keeps the reports exact and the exhaustive searches several times
  # faster than -O0.
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DDOZUDO_WERROR=ON -DDOZUDO_SANITIZE=ON -DDOZUDO_BUILD_BENCH=OFF "${cmake_args[@]}" >/dev/null
  cmake --build build-asan -j "$jobs"
  (cd build-asan && UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs")
fi
phase "all passed"
