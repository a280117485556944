#!/bin/sh
# Installs a build configured for Debian's layout (programs in /usr/games,
# data in /usr/share/games/glimb) into a temporary root and runs the
# installed game headless from another folder: it must find its data beside
# its own folder and list, after the player's own worlds, the worlds
# installed for everyone in each $XDG_DATA_DIRS/glimb, and play one of them.
# Usage: debian_layout_test.sh BUILD_DIR CMAKE
set -eu
build=$1
cmake=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

root=$tmp/root
DESTDIR=$root "$cmake" --install "$build" >"$tmp/install.log" 2>&1 || {
  cat "$tmp/install.log" >&2
  fail "cmake --install failed"
}
[ -x "$root/usr/games/glimb" ] || fail "the game is not in /usr/games"
[ -s "$root/usr/share/games/glimb/data10.glb" ] || fail "the data files are not in /usr/share/games/glimb"
[ ! -e "$root/usr/share/glimb" ] || fail "data files were also put into /usr/share/glimb"
[ -s "$root/usr/share/applications/glimb.desktop" ] || fail "the menu entries are not in /usr/share/applications"

# A world installed for everyone, renamed in its header so the trace tells it
# from the built-in world, in the second folder of XDG_DATA_DIRS; the first
# does not exist. The player has one world of their own.
mkdir -p "$tmp/shared/glimb" "$tmp/xdg-data/glimb" "$tmp/elsewhere"
cp "$root/usr/share/games/glimb/data10.glb" "$tmp/shared/glimb/everyone.glw"
printf 'SHARED WORLD\000' | dd of="$tmp/shared/glimb/everyone.glw" bs=1 seek=2 conv=notrunc 2>/dev/null
cp "$root/usr/share/games/glimb/data10.glb" "$tmp/xdg-data/glimb/mine.glw"
cat >"$tmp/keys.txt" <<'KEYS'
# BEGIN GAME, then down past the player's world to the shared one and into it
100: ENTER
104:
120: ENTER
124:
140: DOWN
144:
150: DOWN
154:
170: ENTER
174:
KEYS
cd "$tmp/elsewhere"
HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg-data XDG_CONFIG_HOME=$tmp/xdg-config \
  XDG_DATA_DIRS=$tmp/missing:$tmp/shared "$root/usr/games/glimb" --headless --frames 260 \
  --input "$tmp/keys.txt" --trace "$tmp/trace.jsonl" --capture-at 165 ||
  fail "the installed game did not run (exit $?)"
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "the game wrote into the folder it was started from"
[ -s "$tmp/xdg-data/glimb/capt0000.pcx" ] || fail "no capture of the world select page"

# The world select page lists the player's world on row 2 and the shared one
# on row 3, after it; the trace names the highlighted world's file.
grep -q "\"menuPage\":1,.*\"listRow\":2,.*\"worldCount\":3,\"worldFile\":\"$tmp/xdg-data/glimb/mine.glw\"" \
  "$tmp/trace.jsonl" || fail "the player's world is not listed second"
grep -q "\"menuPage\":1,.*\"listRow\":3,.*\"worldCount\":3,\"worldFile\":\"$tmp/shared/glimb/everyone.glw\"" \
  "$tmp/trace.jsonl" || fail "the shared world is not listed third"
# Entered, the shared world's game begins: its level intro or its first level,
# with as many levels as the built-in world it was copied from (the header's
# first two bytes, little-endian).
set -- $(od -An -tu1 -N2 "$root/usr/share/games/glimb/data10.glb")
levels=$(($1 + 256 * $2))
case "$(tail -n 1 "$tmp/trace.jsonl")" in
  *'"gameState":-6,'*'"levelIndex":0,"levelCount":'"$levels"','* | *'"gameState":-1,'*'"levelCount":'"$levels"','* | \
    *'"gameState":0,'*'"levelIndex":0,"levelCount":'"$levels"','*) ;;
  *) fail "the shared world did not start: $(tail -n 1 "$tmp/trace.jsonl")" ;;
esac
echo "Debian layout test passed"
