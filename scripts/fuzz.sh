#!/usr/bin/env bash
# Runs every fuzz target of the build folder $1, starting from its seed
# corpus under fuzz/corpus/<target>.
#
#   scripts/fuzz.sh BUILD [SECONDS]        each target for SECONDS (30)
#   scripts/fuzz.sh BUILD long [TARGET…]   each target (or those named) until
#       10 million executions or an hour, whichever comes first, then adds to
#       fuzz/corpus/<target> only those inputs it found that reach something
#       the corpus does not; prints executions, time and coverage per target.
#       FUZZ_LONG_SECONDS shortens the hour.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"
mode="${2:-30}"
shift $(( $# < 2 ? $# : 2 ))
options=(-max_len=65536 -rss_limit_mb=2048)

long=false
if [ "$mode" = long ]; then
  long=true
  limits=(-runs=10000000 -max_total_time="${FUZZ_LONG_SECONDS:-3600}" -print_final_stats=1)
else
  limits=(-max_total_time="$mode" -print_final_stats=0)
fi

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd "$build/bin" && ls fuzz_*))
for name in "${targets[@]}"; do
  target="$PWD/$build/bin/$name"
  seeds="$PWD/fuzz/corpus/$name"
  work=$(mktemp -d)
  mkdir -p "$work/found"
  echo "fuzzing $name ($mode)"
  started=$(date +%s)
  (cd "$work" && "$target" "${limits[@]}" "${options[@]}" found $( [ -d "$seeds" ] && echo "$seeds") 2>log) || {
    tail -50 "$work/log"; echo "$name found a fault"; exit 1; }
  if $long; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    cov=$(grep -o 'cov: [0-9]*' "$work/log" | tail -1)
    echo "$name: $runs executions in $(( $(date +%s) - started )) s, $cov"
    # The named seeds stay; a found input joins them only for new coverage.
    mkdir -p "$seeds"
    (cd "$work" && "$target" -merge=1 "${options[@]}" "$seeds" found 2>merge.log) || {
      tail -20 "$work/merge.log"; exit 1; }
    echo "$name: corpus of $(ls "$seeds" | wc -l) inputs"
  fi
  rm -rf "$work"
done
echo "fuzzing found nothing"
