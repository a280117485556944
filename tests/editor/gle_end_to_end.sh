#!/usr/bin/env bash
# Drives the real gle under Xvfb with xdotool as an author would: paints a
# rectangle with Shift+drag, flood fills it with Ctrl+click, copies and pastes
# it, resizes the level to 40 x 24, saves, and plays the result with
# glimb --headless --play; then F10 on a new level 2 must start glimb on level
# 2, and after kill -9 with unsaved changes the next start must restore them.
# Usage: gle_end_to_end.sh GLE GLIMB DATA_DIR. Exits 77 (skipped) without Xvfb or xdotool.
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  for tool in xvfb-run xdotool python3; do
    if ! command -v "$tool" >/dev/null; then
      echo "skipped: $tool is not installed (scripts/deps.sh installs it)"
      exit 77
    fi
  done
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$@"
fi
shift
gle=$1 glimb=$2 data=$3
work=$(mktemp -d)
gle_pid=""
cleanup() {
  if [ -n "$gle_pid" ]; then kill "$gle_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share XDG_STATE_HOME=$work/state
export TMPDIR=$work
# Under AddressSanitizer, libxkbcommon-x11 (which the X11 window system code
# loads) copies strings with strndup past their end; strict string checks
# would stop every windowed program there, so they are off for this test.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0"
mkdir -p "$HOME"
world=$work/e2e.glw

fail() {
  echo "FAILED: $*"
  for log in "$work"/gle*.log; do
    [ -s "$log" ] && { echo "--- $log"; tail -30 "$log"; }
  done
  exit 1
}

# A blank world of one 20 x 12 level, as the editor makes it.
python3 - "$world" <<'EOF'
import struct, sys
open(sys.argv[1], "wb").write(struct.pack("<H", 1) + bytes(100) + struct.pack("<HHI", 12, 20, 2) + bytes(240))
EOF

pause=0.3
start_gle() {
  local started=$SECONDS
  "$gle" --data "$data" "$world" >"$work/gle.log" 2>&1 &
  gle_pid=$!
  # A sanitizer build takes its time to start.
  window=$(timeout 90 xdotool search --sync --onlyvisible --name "Glimb Level Editor" | head -1) ||
    fail "gle showed no window"
  # A slow start (a sanitizer build) wants longer pauses between the steps.
  if [ $((SECONDS - started)) -gt 3 ]; then pause=1.5; fi
  sleep 1
}

# The view starts below the menu bar: find its top as the first row where the
# window's picture shows the level's sky-blue-or-black cells; the menu bar is
# about 20-30 pixels, and cells are 32, so aiming at a cell's middle is safe.
menu=26
cell() { echo $(($1 * 32 + 16)) $(($2 * 32 + 16 + menu)); }
move() { xdotool mousemove --window "$window" $(cell "$1" "$2"); sleep "$pause"; }
# Keys go to the focused window through XTEST (there is no window manager).
key() { xdotool key "$@"; sleep "$pause"; }
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep "$pause"; }

start_gle
focus "$window"

# Palette cell 4 paints earth (41); Shift+drag a rectangle over (2, 6)-(6, 8).
move 2 6
for _ in 1 2 3 4; do key plus; done
move 2 6
xdotool keydown shift mousedown 1
sleep "$pause"
move 6 8
xdotool mouseup 1 keyup shift
sleep "$pause"
# Palette cell 1 paints grass (21); Ctrl+click flood fills the rectangle with it.
for _ in 1 2 3; do key minus; done
move 3 7
xdotool keydown ctrl click 1 keyup ctrl
sleep "$pause"
# Ctrl+drag selects the rectangle; Ctrl+C, then Ctrl+V at (10, 2).
move 2 6
xdotool keydown ctrl mousedown 1
sleep "$pause"
move 6 8
xdotool mouseup 1 keyup ctrl
sleep "$pause"
key ctrl+c
move 10 2
key ctrl+v
# Ctrl+R: width 40, height 24, growing at the right and bottom edges.
key ctrl+r
sleep "$pause"
dialog=$(timeout 60 xdotool search --sync --onlyvisible --name "Resize Level" | head -1) || fail "no Resize dialog"
focus "$dialog"
key ctrl+a && xdotool type 40
key Tab Tab ctrl+a && xdotool type 24
key Return
sleep "$pause"
focus "$window"
key ctrl+s
sleep "$pause"

python3 - "$world" <<'EOF' || fail "the saved world is not what was painted"
import struct, sys
data = open(sys.argv[1], "rb").read()
count, = struct.unpack_from("<H", data, 0)
height, width, flags = struct.unpack_from("<HHI", data, 102)
assert (count, width, height) == (1, 40, 24), (count, width, height)
cells = data[110:110 + width * height]
at = lambda c, r: cells[c * height + r]
for c in range(2, 7):
    for r in range(6, 9):
        assert at(c, r) == 21, ("filled rectangle", c, r, at(c, r))
        assert at(c + 8, r - 4) == 21, ("pasted copy", c + 8, r - 4, at(c + 8, r - 4))
assert at(1, 6) == 0 and at(7, 8) == 0 and at(9, 2) == 0
assert sum(1 for b in cells if b) == 30, sum(1 for b in cells if b)
print("saved world: 40 x 24 with the filled rectangle and its pasted copy")
EOF

# The game plays the saved world.
printf '10: SPACE\n11:\n' >"$work/keys.txt"
# (Headless, as the game's own tests run it: without the display.)
env -u DISPLAY "$glimb" --headless --data "$data" --play "$world" --frames 200 --input "$work/keys.txt" \
  --trace "$work/trace.jsonl" || fail "glimb --headless --play refused the saved world"
grep -q '"gameState":0,' "$work/trace.jsonl" || fail "the saved level never started in glimb"
echo "glimb played the saved world"

# F10 on a new level 2 starts glimb on level 2 of the test copy.
key F8
key F10
sleep $((2 + ${pause%.*} * 4))
found=""
for pid in $(pgrep -f -- "--play $work/gle-" || true); do
  if tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -- "--level 2 --difficulty normal"; then found=$pid; fi
done
[ -n "$found" ] || fail "F10 started no glimb on level 2"
kill "$found"
echo "F10 started glimb on level 2"

# Unsaved changes (the new level and a tile on it), a recovery copy after 30 s, kill -9.
focus "$window"
move 1 1
key a
sleep 32
ls "$XDG_STATE_HOME"/glimb/recovery/gle-"$gle_pid".glw >/dev/null 2>&1 || fail "no recovery copy after 30 s"
kill -9 "$gle_pid"
wait "$gle_pid" 2>/dev/null || true
gle_pid=""

"$gle" --data "$data" "$world" >"$work/gle2.log" 2>&1 &
gle_pid=$!
question=$(timeout 90 xdotool search --sync --onlyvisible --name "Glimb Level Editor" | head -1) ||
  fail "the second start showed nothing"
focus "$question"
key Return
sleep 1
window=$(timeout 60 xdotool search --sync --onlyvisible --name "Glimb Level Editor - .*e2e.glw \*" | head -1) ||
  fail "the restored world is not shown as unsaved changes"
focus "$window"
key ctrl+s
python3 - "$world" <<'EOF' || fail "the restored changes were not saved"
import struct, sys
data = open(sys.argv[1], "rb").read()
count, = struct.unpack_from("<H", data, 0)
assert count == 2, count
height, width, flags = struct.unpack_from("<HHI", data, 102)
second = 102 + 8 + width * height
h2, w2, f2 = struct.unpack_from("<HHI", data, second)
assert data[second + 8 + 1 * h2 + 1] == 40, data[second + 8 + 1 * h2 + 1]
print("the changes of the killed editor were restored")
EOF
kill "$gle_pid" 2>/dev/null || true
echo "1 passed, 0 failed"
