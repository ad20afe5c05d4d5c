#!/usr/bin/env bash
# Builds everything, registers the component modules and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DBRAINWHEEL_TESTS=OFF -DBRAINWHEEL_BENCH=OFF
bin=build/bin
for module in Playdeck.so Wordcrate.so; do
  if [ -f "$bin/$module" ]; then
    "$bin/regsvr" "$bin/$module"
  else
    echo "$module is not built yet."
  fi
done
if [ -x "$bin/thebrainwheel" ]; then
  exec "$bin/thebrainwheel" "$@"
fi
echo "The game program thebrainwheel is not built yet; built so far:"
ls "$bin"
echo "qizpack is ready for quiz authors: $bin/qizpack --help"
