#!/usr/bin/env bash
# Builds and runs the whole test suite: once plainly, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a bounded run of each
# fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh build -DBRAINWHEEL_BENCH=OFF
ctest --test-dir build --output-on-failure -j"$jobs"

# The course material: its own rules, and the tests of the script that checks them.
python3 tools/course/build_course.py --check
python3 -m unittest discover -s tools/course

scripts/setup.sh build-asan -DBRAINWHEEL_SANITIZE=ON -DBRAINWHEEL_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DBRAINWHEEL_FUZZ=ON -DBRAINWHEEL_TESTS=OFF \
  -DBRAINWHEEL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build-fuzz fuzz_registry fuzz_quizfile fuzz_loadxml fuzz_controlstream fuzz_dialoginit \
  fuzz_dialogtemplate fuzz_avi fuzz_wave fuzz_csv
scripts/fuzz.sh build-fuzz 30
