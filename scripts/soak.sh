#!/usr/bin/env bash
# Plays GAMES whole games (1000 unless given) through the real game window,
# once in the plain build and once under AddressSanitizer with leak detection.
# Fails when the plain run's resident memory after the last game exceeds that
# after game 20 by more than 5 %, or when the sanitizers report anything.
# Both build folders must be configured (scripts/test.sh makes build and
# build-asan); soak_games is brought up to date in each (SOAK_NINJA_FLAGS,
# e.g. -j1, is handed to ninja).
#   scripts/soak.sh [GAMES] [PLAIN_BUILD] [ASAN_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
games="${1:-1000}"
plain="${2:-build}"
asan="${3:-build-asan}"
for build in "$plain" "$asan"; do
  [ -f "$build/build.ninja" ] || { echo "soak: $build is not a configured build folder"; exit 1; }
  ninja -C "$build" ${SOAK_NINJA_FLAGS:-} soak_games >/dev/null
done
export QT_QPA_PLATFORM=offscreen

echo "== $games games, plain build ($plain)"
start=$(date +%s)
out=$("$plain/bin/soak_games" "$games")
echo "$out"
echo "wall time: $(( $(date +%s) - start )) s"
baseline=$(sed -n 's/^rss after game 20: \([0-9]*\) KiB$/\1/p' <<<"$out")
last=$(sed -n "s/^rss after game $games: \\([0-9]*\\) KiB\$/\\1/p" <<<"$out")
[ -n "$baseline" ] && [ -n "$last" ] || { echo "soak: the run printed no memory figures"; exit 1; }
if ! awk -v a="$baseline" -v b="$last" -v n="$games" \
     'BEGIN { r = b / a; printf "ratio %.4f (game %s / game 20)\n", r, n; exit !(r <= 1.05) }'; then
  echo "soak: memory grew by more than 5 % between game 20 and game $games"
  exit 1
fi

echo "== $games games under AddressSanitizer ($asan)"
start=$(date +%s)
log=$(mktemp)
if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$asan/bin/soak_games" "$games" 2>"$log"; then
  tail -60 "$log"
  echo "soak: the sanitizers reported a fault or the run failed"
  exit 1
fi
grep -q "runtime error\|ERROR: AddressSanitizer\|ERROR: LeakSanitizer" "$log" && { tail -60 "$log"; exit 1; }
rm -f "$log"
echo "clean; wall time: $(( $(date +%s) - start )) s"
