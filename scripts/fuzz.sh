#!/usr/bin/env bash
# Runs every fuzz target of the build folder $1, starting from its seed
# corpus under fuzz/corpus/<target>.
#
#   scripts/fuzz.sh BUILD [SECONDS]        each target for SECONDS (30)
#   scripts/fuzz.sh BUILD long [TARGET…]   each target (or those named) until
#       10 million executions or an hour, whichever comes first; prints
#       executions, time and coverage per target, then minimises the corpus
#       together with what the run found, as min does. FUZZ_LONG_SECONDS
#       shortens the hour.
#   scripts/fuzz.sh BUILD min [TARGET…]    minimises each corpus: the named
#       seeds stay as they are, and of the found inputs (named by their SHA-1)
#       only the fewest that reach what the seeds do not.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"
mode="${2:-30}"
shift $(( $# < 2 ? $# : 2 ))
options=(-max_len=65536 -rss_limit_mb=2048)

# Rebuilds fuzz/corpus/<target> from its named seeds and the fewest inputs of
# its found ones and the folder $3 that add to what the seeds reach.
minimise() {
  local target="$1" seeds="$2" extra="$3" work
  work=$(mktemp -d)
  mkdir -p "$work/kept" "$work/found" "$seeds"
  for file in "$seeds"/*; do
    [ -e "$file" ] || continue
    if [[ "$(basename "$file")" =~ ^[0-9a-f]{40}$ ]]; then cp "$file" "$work/found/"; else cp "$file" "$work/kept/"; fi
  done
  (cd "$work" && "$target" -merge=1 "${options[@]}" kept found "$extra" 2>merge.log) || {
    tail -20 "$work/merge.log"; rm -rf "$work"; return 1; }
  rm -rf "$seeds" && mv "$work/kept" "$seeds"
  rm -rf "$work"
  echo "$(basename "$target"): corpus of $(ls "$seeds" | wc -l) inputs"
}

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd "$build/bin" && ls fuzz_*))

if [ "$mode" = min ]; then
  empty=$(mktemp -d)
  for name in "${targets[@]}"; do minimise "$PWD/$build/bin/$name" "$PWD/fuzz/corpus/$name" "$empty"; done
  rmdir "$empty"
  exit 0
fi

long=false
if [ "$mode" = long ]; then
  long=true
  limits=(-runs=10000000 -max_total_time="${FUZZ_LONG_SECONDS:-3600}" -print_final_stats=1)
else
  limits=(-max_total_time="$mode" -print_final_stats=0)
fi

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
    minimise "$target" "$seeds" "$work/found"
  fi
  rm -rf "$work"
done
echo "fuzzing found nothing"
