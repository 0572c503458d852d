#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in ./build-fuzz and runs them.
#
#   scripts/fuzz.sh --build-only          build only (the test suite runs each briefly)
#   scripts/fuzz.sh [RUNS] [TARGET...]    run each target (all by default) for RUNS
#                                         inputs (10000000 by default) on its seed corpus
#
# Findings (crash-*, timeout-*, leak-*) are written to build-fuzz/fuzz/artifacts/;
# a run with any finding exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DDOZUDO_WERROR=ON \
  -DDOZUDO_FUZZ=ON -DDOZUDO_BUILD_UI=OFF -DDOZUDO_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"
[ "${1:-}" = "--build-only" ] && exit 0

runs=10000000
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then runs=$1; shift; fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzzer.cpp; do targets+=("$(basename "$f" _fuzzer.cpp)"); done
fi
status=0
for name in "${targets[@]}"; do
  echo "== $name: $runs inputs"
  start=$(date +%s)
  if build-fuzz/fuzz/"${name}"_fuzzer -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix=build-fuzz/fuzz/artifacts/"$name"- \
      build-fuzz/fuzz/corpus/"$name" fuzz/corpus/"$name" 2>build-fuzz/fuzz/"$name".log; then
    echo "   ok: $(grep -E 'stat::number_of_executed_units' build-fuzz/fuzz/"$name".log) in $(($(date +%s) - start)) s"
  else
    status=1
    echo "   FAILED: see build-fuzz/fuzz/$name.log"; tail -30 build-fuzz/fuzz/"$name".log
  fi
done
exit $status
