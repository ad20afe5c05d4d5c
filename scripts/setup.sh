#!/usr/bin/env bash
# Installs what the build needs on Debian 12 (as root or through sudo), then
# configures and builds into build/ (or the folder given as $1 with the extra
# CMake arguments that follow).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-multimedia-dev libxml2-dev libxml2-utils nettle-dev
  libgtest-dev libbenchmark-dev fonts-liberation python3 desktop-file-utils shared-mime-info)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="${1:-build}"
shift || true
cmake -S . -B "$build" -G Ninja "$@" >/dev/null
ninja -C "$build"
