#!/usr/bin/env bash
# Builds and runs the whole test suite: once plainly, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a bounded run of each
# fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh build -DBRAINWHEEL_BENCH=OFF
ctest --test-dir build --output-on-failure -j"$jobs"

scripts/setup.sh build-asan -DBRAINWHEEL_SANITIZE=ON -DBRAINWHEEL_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

CC=clang CXX=clang++ scripts/setup.sh build-fuzz -DBRAINWHEEL_FUZZ=ON -DBRAINWHEEL_TESTS=OFF \
  -DBRAINWHEEL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
scripts/fuzz.sh build-fuzz 30
