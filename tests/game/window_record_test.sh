#!/bin/bash
# A session played in a real window under Xvfb, its keys sent through the X
# server and SDL's own input path with xdotool, recorded with --record, must
# replay headless from that record to the identical trace. The keys hold
# Pause, F12 and Retry across the waits for released keys, and hold Retry on
# into the next level intro. Skipped (77) without xvfb-run or xdotool.
# Usage: window_record_test.sh GLIMB DATA_DIR
set -eu
glimb=$1
data=$2
frames=700

if [ "${WINDOW_RECORD_INNER:-}" = 1 ]; then
  # Inside the X server: start the game, then play it with real key events.
  # Under the sanitizers, the X and GL libraries SDL loads and unloads leave
  # leaks no suppression can name (their module is gone when they are
  # reported): the windowed run skips the leak check, the replay keeps it.
  ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "$glimb" --data "$work/data" --play data10.glb --difficulty normal --frames $frames \
    --record "$work/record.txt" --trace "$work/window.jsonl" &
  game=$!
  window=$(timeout 20 xdotool search --sync --name '^Glimb$' | head -1)
  timeout 5 xdotool mousemove --window "$window" 320 200 || true
  timeout 5 xdotool windowfocus --sync "$window" || true
  hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
  {
    sleep 0.3
    hold space 0.3   # past the level intro
    sleep 0.4
    xdotool keydown Right
    sleep 0.6
    hold p 0.4       # pauses once, however long it is held
    sleep 0.3
    xdotool keyup Right
    sleep 0.2
    hold Right 0.2   # resumes
    # Apart from the key before it: the wait that ends the pause waits until
    # nothing is held, so F12 pressed as Right is let go (in one frame on a
    # busy machine) would only be waited out.
    sleep 0.3
    hold F12 0.4     # one capture
    hold Right 0.5
    hold Escape 3.0  # a life lost, the key held into the next level intro
    sleep 0.3
    hold Return 0.2  # starts the level again
  } || true
  wait "$game"
  exit $?
fi

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "SKIP: xvfb-run or xdotool is not installed, so no session can be played in a window"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
mkdir "$work/data"
cp "$data"/data*.glb "$work/data/"
export XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy work
WINDOW_RECORD_INNER=1 xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$glimb" "$data" ||
  fail "the windowed session did not end normally"

[ -s "$work/record.txt" ] || fail "nothing was recorded: the key events did not reach the game"
echo "The record of the windowed session:"
cat "$work/record.txt"
grep -q 'F12' "$work/record.txt" || fail "F12 was not recorded"
grep -q '"gameState":-3' "$work/window.jsonl" || fail "the game was never paused"
[ -e "$work/data/capt0000.pcx" ] || fail "F12 made no capture"
[ ! -e "$work/data/capt0001.pcx" ] || fail "F12 held made more than one capture"

"$glimb" --headless --data "$work/data" --play data10.glb --difficulty normal --frames $frames \
  --input "$work/record.txt" --trace "$work/replay.jsonl" || fail "the headless replay did not end normally"
cmp "$work/window.jsonl" "$work/replay.jsonl" || {
  diff "$work/window.jsonl" "$work/replay.jsonl" | head -5 >&2
  fail "the replay's trace differs from the windowed session's"
}
echo "The headless replay's trace is identical: $(wc -l <"$work/replay.jsonl") lines"
