#!/usr/bin/env bash
# Times `qizpack list` of a 14 MB sealed quiz file with embedded pictures
# against `xmllint --noout` of the same plain document (five runs each, best
# of five). Usage: bench/compare_qizpack.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/make_big_quiz" 14 "$work/big.xml" "$work/big.qiz"

best() {
  local best_ms=""
  for _ in 1 2 3 4 5; do
    local start end ms
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
  done
  echo "$best_ms"
}

qizpack_ms=$(best "$build/bin/qizpack" list "$work/big.qiz")
xmllint_ms=$(best xmllint --noout "$work/big.xml")
echo "file: $(stat -c %s "$work/big.qiz") bytes"
echo "qizpack list: ${qizpack_ms} ms"
echo "xmllint --noout: ${xmllint_ms} ms"
awk -v a="$qizpack_ms" -v b="$xmllint_ms" 'BEGIN { printf "ratio: %.2f\n", (b > 0 ? a / b : 0) }'
