#!/usr/bin/env bash
# Runs every fuzz target of the build folder $1 for $2 seconds each, starting
# from its seed corpus under fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"
seconds="${2:-30}"
for target in "$build"/bin/fuzz_*; do
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "fuzzing $name for ${seconds}s"
  (cd "$work" && "$OLDPWD/$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
     -print_final_stats=0 "$work" "${seeds[@]/#/$OLDPWD/}" 2>"$work/log") || {
    tail -50 "$work/log"; echo "$name found a fault"; exit 1; }
  rm -rf "$work"
done
echo "fuzzing found nothing"
