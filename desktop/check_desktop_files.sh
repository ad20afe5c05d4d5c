#!/usr/bin/env bash
# Checks the desktop entries with desktop-file-validate and the quiz file type
# with the shared MIME database's own compiler: a .qiz name must resolve to
# our type with its icon. A missing tool skips that part (exit 77 when both
# are missing, which CTest reports as skipped).
set -euo pipefail
cd "$(dirname "$0")"
checked=0

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate thebrainwheel.desktop thebrainwheel-french.desktop
  checked=1
fi

if command -v update-mime-database >/dev/null; then
  share=$(mktemp -d)
  trap 'rm -rf "$share"' EXIT
  database="$share/mime"
  mkdir -p "$database/packages"
  cp thebrainwheel.xml "$database/packages/"
  # It only warns about a malformed package file, so its output is the
  # verdict; with the folder on its search path it has nothing else to say.
  output=$(XDG_DATA_HOME="$share" XDG_DATA_DIRS="$share" update-mime-database "$database" 2>&1)
  [ -z "$output" ] || { echo "$output"; exit 1; }
  grep -qx '50:application/x-thebrainwheel-qiz:\*\.qiz' "$database/globs2" ||
    { echo "*.qiz does not resolve to application/x-thebrainwheel-qiz"; cat "$database/globs2"; exit 1; }
  grep -qx 'application/x-thebrainwheel-qiz:application-x-thebrainwheel-qiz' "$database/icons" ||
    { echo "the quiz file type has no icon"; exit 1; }
  checked=1
fi

[ "$checked" -eq 1 ] || { echo "neither desktop-file-validate nor update-mime-database is installed"; exit 77; }
echo "desktop entries and quiz file type are valid"
