#!/usr/bin/env bash
# Proves the Debian package on a clean Debian 12 root, as root:
#   scripts/package-check.sh thebrainwheel_<version>_<arch>.deb [WORKDIR]
# Makes (once) a minimal bookworm root in WORKDIR/root (default
# build-pkg/check), installs the package there with its dependencies from the
# mirror, then, as a brand-new user, starts the French course under Xvfb and
# takes a screenshot (WORKDIR/french-course.png); that user must get no
# registry file. Removing and purging the package must leave no registry
# that names the modules. Each run starts from a fresh user and a freshly
# installed package; the root itself is kept between runs. Takes minutes.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PACKAGE.deb [WORKDIR]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap, chroot)" >&2; exit 2; }
deb=$(realpath "$1")
work=$(realpath -m "${2:-$(dirname "$0")/../build-pkg/check}")
root="$work/root"
shot="$work/french-course.png"
mkdir -p "$work"
start=$SECONDS
step() { echo "== [$((SECONDS - start))s] $*"; }
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
  command -v debootstrap >/dev/null || { apt-get update -qq; apt-get install -y -qq debootstrap; }
  mirror=$(grep -hoE '^(URIs: |deb )https?://[^ ]+/debian/?' /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null |
    head -1 | sed -E 's/^(URIs: |deb )//')
  step "debootstrap bookworm from ${mirror:=http://deb.debian.org/debian}"
  rm -rf "$root"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log"
fi
# The same suites as this machine (updates, security), so the package's
# dependencies, worked out here, can be met there.
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
  : >"$root/etc/apt/sources.list"
fi

mounted=()
mount_in_root() {  # type-or-bind source target
  mountpoint -q "$root/$3" && return
  mkdir -p "$root/$3"
  if [ "$1" = bind ]; then mount --bind "$2" "$root/$3"; else mount -t "$1" "$2" "$root/$3"; fi
  mounted=("$root/$3" "${mounted[@]}")
}
unmount_all() { for m in "${mounted[@]}"; do umount -l "$m" || true; done; }
trap unmount_all EXIT
mount_in_root proc proc proc
mount_in_root sysfs sys sys
mount_in_root bind /dev dev
mount_in_root devpts devpts dev/pts

step "tools for the screenshot"
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends xvfb xauth x11-apps imagemagick >/dev/null

step "a clean start: no package, no player"
in_root apt-get purge -y -qq thebrainwheel >/dev/null 2>&1 || true
in_root userdel -r player >/dev/null 2>&1 || true

step "apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get install -y -q "/tmp/$(basename "$deb")" >"$work/install.log" 2>&1 || { tail -30 "$work/install.log"; exit 1; }
grep -E "^(Setting up|Processing triggers for) " "$work/install.log" | grep -E "thebrainwheel|mime|desktop|hicolor" || true
system="$root/var/lib/thebrainwheel/registry.reg"
for name in Playdeck.so Wordcrate.so /usr/bin/thebrainwheel Tavorin.CoFrench4; do
  grep -q "$name" "$system" || { echo "the system registry lacks $name"; cat "$system"; exit 1; }
done
echo "system registry: $(grep -c '^\[' "$system") keys, modules and program registered"

step "a new user starts the French course from the menu's command"
in_root useradd -m player
exec_line=$(grep '^Exec=' "$root/usr/share/applications/thebrainwheel-french.desktop" | cut -d= -f2-)
echo "desktop entry: Exec=$exec_line"
# The entry's own command, as the menu would run it; the screenshot once the
# window is up.
in_root su player -c "cd && xvfb-run -a -s '-screen 0 1024x768x24' sh -c '
  $exec_line >game.log 2>&1 & game=\$!
  sleep 10
  xwd -root -silent >screen.xwd
  kill \$game'"
in_root su player -c 'cd && convert screen.xwd french-course.png'
cp "$root/home/player/french-course.png" "$shot"
echo "screenshot: $shot"
if [ -s "$root/home/player/game.log" ]; then echo "the game said:"; cat "$root/home/player/game.log"; fi
user_registry="$root/home/player/.local/share/thebrainwheel"
if [ -e "$user_registry" ]; then
  echo "the new user got a registry of their own:"; ls -la "$user_registry"; cat "$user_registry"/registry.reg 2>/dev/null
  exit 1
fi
echo "the new user has no registry file: everything came from the system registry"

step "apt-get remove, then purge"
in_root apt-get remove -y -qq thebrainwheel >/dev/null
left=$(grep -rlE "Playdeck|Wordcrate|thebrainwheel.Application" "$root/var/lib/thebrainwheel" "$root/home/player" 2>/dev/null || true)
[ -z "$left" ] || { echo "registry entries left after removal: $left"; exit 1; }
[ ! -e "$root/var/lib/thebrainwheel" ] || { echo "left after removal:"; ls -la "$root/var/lib/thebrainwheel"; exit 1; }
in_root apt-get purge -y -qq thebrainwheel >/dev/null
[ -z "$(in_root dpkg-query -W -f='${Status}' thebrainwheel 2>/dev/null | grep -v not-installed)" ] ||
  { echo "thebrainwheel still known to dpkg"; exit 1; }
echo "no registry names the modules; /var/lib/thebrainwheel is gone"
step "package check passed"
