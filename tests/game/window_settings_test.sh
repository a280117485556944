#!/bin/bash
# The window's settings across runs of the game in a real window under Xvfb:
# --scale makes the window that many times the picture, the whole screen
# chosen with Alt+Enter is kept for the next run, and a window the player
# resized to another whole multiple keeps that scale for the run after.
# Skipped (77) without xvfb-run or xdotool.
# Usage: window_settings_test.sh GLIMB DATA_DIR
set -eu
glimb=$1
data=$2

if [ "${WINDOW_SETTINGS_INNER:-}" = 1 ]; then
  # Inside the X server (1280 x 1024, no window manager, so the whole screen
  # shows only in the settings). Each run ends by itself after its frames.
  settings=$XDG_CONFIG_HOME/glimb/settings
  size() { xdotool getwindowgeometry "$1" | sed -n 's/ *Geometry: //p'; }
  start() {
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "$glimb" --data "$work/data" "$@" &
    game=$!
    window=$(timeout 20 xdotool search --sync --name '^Glimb$' | head -1)
    sleep 1
    timeout 5 xdotool mousemove --window "$window" 320 200 || true
    timeout 5 xdotool windowfocus --sync "$window" || true
  }
  fail() {
    echo "FAIL: $*" >&2
    cat "$settings" >&2 || true
    exit 1
  }
  kept() { grep -qx "$1" "$settings" || fail "the settings lack \"$1\" after $2"; }

  start --scale 1 --frames 250
  [ "$(size "$window")" = 640x400 ] || fail "the window of --scale 1 is $(size "$window")"
  xdotool key alt+Return
  wait $game
  kept "Fullscreen = 1" "Alt+Enter"
  kept "Scale = 1" "--scale 1"

  # The next run starts on the whole screen: Alt+Enter brings the window back.
  start --frames 250
  xdotool key alt+Return
  sleep 1
  [ "$(size "$window")" = 640x400 ] || fail "the window at the scale kept is $(size "$window")"
  xdotool windowsize "$window" 1300 810
  wait $game
  kept "Fullscreen = 0" "Alt+Enter on a run started on the whole screen"
  kept "Scale = 2" "resizing the window to twice the picture and a little"

  start --frames 120
  [ "$(size "$window")" = 1280x800 ] || fail "the window of the scale chosen is $(size "$window")"
  wait $game
  exit 0
fi

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "SKIP: xvfb-run or xdotool is not installed, so no window can be looked at"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
cp "$data"/data*.glb "$work/data/"
export XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy work
WINDOW_SETTINGS_INNER=1 xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$glimb" "$data"
echo "The settings after the three runs:"
cat "$work/config/glimb/settings"
