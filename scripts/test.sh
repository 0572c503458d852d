#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#
#   scripts/test.sh [--with-sanitizers] [--no-fuzz] [cmake options...]
#
# The suite runs in ./build. Then the fuzz targets are built with clang in
# ./build-fuzz and each runs for a few seconds (--no-fuzz skips this).
# --with-sanitizers also builds the whole project with AddressSanitizer and
# UndefinedBehaviorSanitizer in ./build-asan and runs the suite there (all but the package
# test and the play script); the core and widget tests then run there only.
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

# With the sanitizers, the core and widget tests run in the sanitized build only (the same
# tests, with every memory access checked): ./build then builds and runs the program's
# end-to-end, monkey and package tests, and the sanitizer build gets the cores sooner.
unit_tests=ON
[ "$sanitizers" -eq 1 ] && unit_tests=OFF
bash scripts/build.sh -DDOZUDO_UNIT_TESTS=$unit_tests "${cmake_args[@]}"

# The sanitizer build and the fuzz targets compile while the first suite runs (its
# end-to-end tests mostly wait on the screen). The sanitizer build keeps line tables only
# (-g1): its reports name file and line, and it compiles a quarter faster.
background_pid=""
if [ "$sanitizers" -eq 1 ] || [ "$fuzz" -eq 1 ]; then
  set -m  # the builds get a process group of their own, to be stopped as one
  (
    if [ "$sanitizers" -eq 1 ]; then
      cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DDOZUDO_WERROR=ON \
        -DDOZUDO_SANITIZE=ON -DDOZUDO_BUILD_BENCH=OFF "${cmake_args[@]}" >/dev/null &&
        cmake --build build-asan -j "$jobs" || exit 1
    fi
    if [ "$fuzz" -eq 1 ]; then bash scripts/fuzz.sh --build-only || exit 2; fi
  ) >build/background-build.log 2>&1 &
  background_pid=$!
  set +m
  trap '[ -n "$background_pid" ] && kill -- "-$background_pid" 2>/dev/null' EXIT
fi

phase "suite in build"
(cd build && ctest --output-on-failure -j "$jobs")

if [ -n "$background_pid" ]; then
  phase "waiting for the sanitizer and fuzz builds"
  if ! wait "$background_pid"; then
    background_pid=""
    tail -50 build/background-build.log
    echo "the sanitizer or fuzz build failed (build/background-build.log)" >&2
    exit 1
  fi
  background_pid=""
fi

if [ "$fuzz" -eq 1 ]; then
  phase "fuzz targets (clang, libFuzzer): short runs in build-fuzz"
  (cd build-fuzz && ctest --output-on-failure -j "$jobs")
fi

if [ "$sanitizers" -eq 1 ]; then
  phase "suite under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan"
  # Left out there: the package of the sanitized program, and the play script, which spends
  # most of its time waiting on "fill all"'s half-second pace (the monkey plays under the
  # sanitizers instead); both run in ./build. One test more than cores: the end-to-end
  # scripts spend much of their time waiting on the screen.
  (cd build-asan && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$((jobs + 1))" \
    -E '^(dist_test_package|e2e_test_play)$')
fi
phase "all passed"
