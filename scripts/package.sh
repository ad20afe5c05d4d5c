#!/usr/bin/env bash
# Builds the Debian package: a build of its own in build-pkg, or the folder
# given as $1 (prefix /usr, no tests, benchmarks or fuzzers), then cpack.
# Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-pkg}"

# dpkg-shlibdeps works out the package's dependencies.
command -v dpkg-shlibdeps >/dev/null || {
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends dpkg-dev
}
scripts/setup.sh "$build" -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRAINWHEEL_TESTS=OFF -DBRAINWHEEL_BENCH=OFF -DBRAINWHEEL_FUZZ=OFF
# A package made earlier must not be mistaken for this one.
rm -f "$build"/thebrainwheel_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
ls "$(realpath "$build")"/thebrainwheel_*.deb
