#!/usr/bin/env bash
# Writes the hostile user quiz files, the huge one at 600 MB (sparse), into a
# temporary folder and loads each in the game as the hostile files test does,
# printing per file what the player was shown, the peak memory it cost and
# the time it took. The folder is removed afterwards.
#   tools/hostile/run_hostile.sh [BUILD]   (build/ unless given; test_shell
#   and qizpack built there)
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=$(cd "${1:-build}/bin" && pwd)
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
python3 tools/hostile/make_hostile_qiz.py "$corpus" --qizpack "$bin/qizpack"
ls -l "$corpus"
QT_QPA_PLATFORM=offscreen BRAINWHEEL_TEST_BIN="$bin" BRAINWHEEL_HOSTILE_DIR="$corpus" \
  "$bin/test_shell" --gtest_filter='HostileQuizFilesTest.*' 2>&1 | grep -v '^QStandardPaths\|^PulseAudio'
