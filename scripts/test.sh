#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#
#   scripts/test.sh [--with-sanitizers] [--no-fuzz] [cmake options...]
#
# The suite runs in ./build. Then the fuzz targets are built with clang in
# ./build-fuzz and each runs for a few seconds (--no-fuzz skips this).
# --with-sanitizers also builds the whole project with AddressSanitizer and
# UndefinedBehaviorSanitizer in ./build-asan and runs the suite there (all but the package
# test and the play script).
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

# The sanitizer build compiles while the first suite runs (its end-to-end tests
# mostly wait on the screen).
asan_pid=""
if [ "$sanitizers" -eq 1 ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDOZUDO_WERROR=ON -DDOZUDO_SANITIZE=ON \
    -DDOZUDO_BUILD_BENCH=OFF "${cmake_args[@]}" >/dev/null
  setsid cmake --build build-asan -j "$jobs" >build-asan/build.log 2>&1 &
  asan_pid=$!
  trap '[ -n "$asan_pid" ] && kill -- "-$asan_pid" 2>/dev/null' EXIT
fi

phase "suite in build"
(cd build && ctest --output-on-failure -j "$jobs")

if [ "$fuzz" -eq 1 ]; then
  phase "fuzz targets (clang, libFuzzer): short runs in build-fuzz"
  bash scripts/fuzz.sh --build-only
  (cd build-fuzz && ctest --output-on-failure -j "$jobs")
fi

if [ "$sanitizers" -eq 1 ]; then
  phase "suite under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan"
  if ! wait "$asan_pid"; then
    asan_pid=""
    tail -50 build-asan/build.log
    echo "the sanitizer build failed (build-asan/build.log)" >&2
    exit 1
  fi
  asan_pid=""
  # Left out there: the package of the sanitized program, and the play script, which spends
  # most of its minute waiting on "fill all"'s half-second pace (the monkey plays under the
  # sanitizers instead); both run in ./build.
  (cd build-asan && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs" \
    -E '^(dist_test_package|e2e_test_play)$')
fi
phase "all passed"
