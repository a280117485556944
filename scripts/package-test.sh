#!/usr/bin/env bash
# Makes the Debian package (scripts/package.sh), then installs it into a clean
# Debian system made with debootstrap in a chroot, the way a player would
# (apt-get install ./glimb_*.deb, which brings the libraries it depends on),
# and runs the installed programs there: the game headless, glimb-world, and
# the editor on Qt's offscreen display. Needs root and Debian's mirror; slow
# (several minutes), so CI runs the quicker checks of build-package's tests.
# Usage: scripts/package-test.sh [MIRROR]
set -euo pipefail
cd "$(dirname "$0")/.."
mirror=${1:-http://deb.debian.org/debian}
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
if [ "$(id -u)" -ne 0 ]; then
  echo "package-test.sh needs root (debootstrap and chroot)" >&2
  exit 1
fi
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
bash scripts/package.sh
deb=$(ls build-package/glimb_*.deb | head -n 1)

root=$(mktemp -d /var/tmp/glimb-chroot.XXXXXX)
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
echo "== debootstrap $suite into $root"
debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$root.log" 2>&1 || {
  tail -n 20 "$root.log" >&2
  exit 1
}
rm -f "$root.log"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root "$@"; }

echo "== apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "./tmp/$(basename "$deb")" |
  tail -n 5
in_root dpkg -s glimb | grep -E '^(Status|Version):'

echo "== the installed programs"
in_root glimb --version
in_root glimb --headless --frames 300 --capture-at 250
in_root test -s /root/.local/share/glimb/capt0000.pcx
echo "the game ran headless and saved /root/.local/share/glimb/capt0000.pcx"
in_root glimb-world check /usr/share/games/glimb/data10.glb
in_root glimb-world render /usr/share/games/glimb/data10.glb 1 /tmp/level1.png
in_root test -s /tmp/level1.png
echo "glimb-world found the installed tile sheet"
in_root gle --version
# The editor runs until it is closed; it names a data file it cannot open at once.
in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp timeout 5 gle >"$root/tmp/gle.log" 2>&1 || true
if grep -q 'cannot start' "$root/tmp/gle.log"; then
  cat "$root/tmp/gle.log" >&2
  exit 1
fi
echo "the editor started"
echo "== package test passed: $deb installs and runs on a clean $suite"
