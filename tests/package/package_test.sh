#!/bin/sh
# Checks the Debian package that scripts/package.sh made: its control fields
# and computed dependencies, that it holds every file in Debian's places with
# root as owner, and that the programs unpacked from it (dpkg -x) run from
# their own folder: the game headless, the editor and glimb-world finding the
# installed data. Installing it on a clean system is scripts/package-test.sh.
# Usage: package_test.sh PACKAGE_DIR VERSION
set -eu
dir=$1
version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
if ! command -v dpkg-deb >/dev/null 2>&1; then
  echo "SKIPPED: dpkg-deb is not installed"
  exit 77
fi
deb=$(ls "$dir"/glimb_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no glimb_${version}_*.deb in $dir: make it with scripts/package.sh"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = glimb ] || fail "Package is \"$(field Package)\""
[ "$(field Version)" = "$version" ] || fail "Version is \"$(field Version)\""
[ "$(field Section)" = games ] || fail "Section is \"$(field Section)\""
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is \"$(field Architecture)\""
depends=$(field Depends)
for library in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 libqt6widgets6 libqt6gui6 libqt6core6; do
  case ", $depends," in
    *", $library "* | *", $library,"*) ;;
    *) fail "Depends does not name $library: $depends" ;;
  esac
done
field Description | sed -n '2p' | grep -q . || fail "the description has no long text"

dpkg-deb -c "$deb" >"$tmp/contents"
# Every entry: owned by root, directories 755, no user-writable group bits.
awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$tmp/contents" >"$tmp/owners" ||
  fail "entries not owned by root: $(head -n 3 "$tmp/owners")"
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print; bad = 1 } END { exit bad }' "$tmp/contents" >"$tmp/dirs" ||
  fail "directories not 755: $(head -n 3 "$tmp/dirs")"
has() { grep -q " \./$1\$" "$tmp/contents" || fail "the package has no /$1"; }
for program in glimb gle glimb-world; do
  grep -q "^-rwxr-xr-x .* \./usr/games/$program\$" "$tmp/contents" || fail "no executable /usr/games/$program"
  has "usr/share/man/man6/$program.6.gz"
done
i=0
while [ $i -lt 39 ]; do
  has "$(printf 'usr/share/games/glimb/data%02x.glb' $i)"
  i=$((i + 1))
done
for file in usr/share/games/glimb/glegfx.pcx \
  usr/share/applications/glimb.desktop usr/share/applications/gle.desktop \
  usr/share/mime/packages/glimb-world.xml \
  usr/share/icons/hicolor/scalable/apps/glimb.svg usr/share/icons/hicolor/scalable/apps/gle.svg \
  usr/share/metainfo/org.glimb.glimb.metainfo.xml usr/share/metainfo/org.glimb.gle.metainfo.xml \
  usr/share/doc/glimb/copyright usr/share/doc/glimb/changelog.gz; do
  has "$file"
done
! grep -E ' \./usr/(local|bin|share/glimb)/' "$tmp/contents" || fail "files outside Debian's places"

# Unpacked, the programs run from their own folder with their installed data.
root=$tmp/root
dpkg -x "$deb" "$root"
zcat "$root/usr/share/doc/glimb/changelog.gz" | head -n 1 | grep -q "^glimb ($version) " ||
  fail "the changelog does not start with version $version"
mkdir "$tmp/elsewhere"
cd "$tmp/elsewhere"
for program in glimb gle glimb-world; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$root/usr/games/$program" --version) ||
    fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version printed \"$out\""
done
HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg-data XDG_CONFIG_HOME=$tmp/xdg-config \
  "$root/usr/games/glimb" --headless --frames 200 --capture-at 150 || fail "the unpacked game did not run (exit $?)"
[ -s "$tmp/xdg-data/glimb/capt0000.pcx" ] || fail "the unpacked game saved no capture"
"$root/usr/games/glimb-world" render "$root/usr/share/games/glimb/data10.glb" 1 "$tmp/level1.png" ||
  fail "glimb-world did not find the installed tile sheet"
[ -s "$tmp/level1.png" ] || fail "glimb-world drew nothing"
# The editor runs until it is closed; it names a data file it cannot open at once.
HOME=$tmp/home XDG_RUNTIME_DIR=$tmp QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/games/gle" \
  >"$tmp/gle.log" 2>&1 || true
! grep -q 'cannot start' "$tmp/gle.log" || fail "the unpacked editor did not start: $(cat "$tmp/gle.log")"
echo "package test passed: $deb"
