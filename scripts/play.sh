#!/usr/bin/env bash
# Builds everything, registers the component modules and starts the game.
# With no arguments the game lists the French course (the books named
# CoFrench); any arguments are passed to the game instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DBRAINWHEEL_TESTS=OFF -DBRAINWHEEL_BENCH=OFF
bin=build/bin
for module in Playdeck.so Wordcrate.so; do
  "$bin/regsvr" "$bin/$module"
done
[ $# -gt 0 ] || set -- -t CoFrench
exec "$bin/thebrainwheel" "$@"
