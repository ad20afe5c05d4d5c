#!/usr/bin/env bash
# Start-up of the game (bench_startup_game: "thebrainwheel -t CoFrench" up to
# the welcome screen painted with four books) against a bare Qt dialog with a
# picture and a list (bench_startup_bare), RUNS runs each, alternating, under
# the offscreen platform. Prints the median wall time of each, their ratio and
# the game's largest peak resident memory, then the medians of the game's
# start-up steps (bench_startup_phases). Other work on the machine stretches
# the wall times: the load average is printed first.
# Usage: bench/compare_startup.sh [BUILD_FOLDER] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-20}"
bin="$build/bin"
if [ ! -x /usr/bin/time ]; then
  echo "compare_startup: /usr/bin/time is needed for the peak memory (Debian package time)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export BRAINWHEEL_REGISTRY="$work/registry.reg"
"$bin/regsvr" -s "$bin/Playdeck.so"
"$bin/regsvr" -s "$bin/Wordcrate.so"

# One run: appends "milliseconds kilobytes" to the file $1.
run() {
  local out=$1 start end
  shift
  start=$(date +%s%N)
  /usr/bin/time -o "$work/time" -f "%M" "$@" >/dev/null
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000000 )) $(cat "$work/time")" >>"$out"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
# A first run of each loads the libraries into the page cache.
run "$work/warm" "$bin/bench_startup_game"
run "$work/warm" "$bin/bench_startup_bare"
for _ in $(seq "$runs"); do
  run "$work/game" "$bin/bench_startup_game"
  run "$work/bare" "$bin/bench_startup_bare"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
game_ms=$(cut -d' ' -f1 "$work/game" | median)
bare_ms=$(cut -d' ' -f1 "$work/bare" | median)
game_kib=$(cut -d' ' -f2 "$work/game" | sort -n | tail -1)
bare_kib=$(cut -d' ' -f2 "$work/bare" | sort -n | tail -1)
echo "runs: $runs each, alternating"
echo "game start-up: median ${game_ms} ms"
echo "bare dialog:   median ${bare_ms} ms"
awk -v a="$game_ms" -v b="$bare_ms" 'BEGIN { printf "ratio: %.2f (goal: at most 1.30)\n", (b > 0 ? a / b : 0) }'
awk -v k="$game_kib" -v b="$bare_kib" \
  'BEGIN { printf "game peak resident memory: %.1f MiB (goal: at most 65), bare dialog: %.1f MiB\n", k / 1024, b / 1024 }'

# The game's start-up step by step: the median time of each step and the
# peak resident memory after it.
for _ in $(seq "$runs"); do "$bin/bench_startup_phases" >>"$work/phases" 2>/dev/null; done
echo "game start-up steps (median ms, peak resident MiB after the step):"
awk '{ n[$1]++; t[$1, n[$1]] = $2; m[$1] = $3; if (!($1 in seen)) { seen[$1] = 1; order[++steps] = $1 } }
  END {
    for (s = 1; s <= steps; s++) {
      name = order[s]; k = n[name]
      for (i = 1; i <= k; i++) v[i] = t[name, i]
      for (i = 2; i <= k; i++) { x = v[i]; for (j = i - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]; v[j + 1] = x }
      med = k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
      printf "  %-28s %7.2f ms %6.1f MiB\n", name, med, m[name] / 1024
    }
  }' "$work/phases"
