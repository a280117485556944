#!/usr/bin/env bash
# The headless driver built for the web and run under Node gives the same
# trace, line for line, and the same captures, byte for byte, as the native
# headless driver for the same input script: the built-in world's first level
# played to its exit, and 3000 frames from program start, idle and through
# the menus into play.
# Usage: node_trace_test.sh GLIMB_HEADLESS_JS NATIVE_GLIMB DATA_DIR LEVEL1_ROUTE MENUS_SCRIPT
set -euo pipefail
web_driver=$1 native=$2 data=$3 route=$4 menus=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs both drivers with the same options, each in its own copy of the data
# folder (captures are written there), and compares what they wrote.
compare() {
  local name=$1
  shift
  mkdir -p "$work/$name/native-data" "$work/$name/web-data"
  cp "$data"/data*.glb "$work/$name/native-data/"
  cp "$data"/data*.glb "$work/$name/web-data/"
  "$native" --headless --data "$work/$name/native-data" --trace "$work/$name/native.jsonl" "$@"
  node "$web_driver" --headless --data "$work/$name/web-data" --trace "$work/$name/web.jsonl" "$@"
  local lines
  lines=$(wc -l <"$work/$name/native.jsonl")
  if ! cmp -s "$work/$name/native.jsonl" "$work/$name/web.jsonl"; then
    echo "FAIL $name: the traces differ (native $lines lines, web $(wc -l <"$work/$name/web.jsonl"))"
    diff "$work/$name/native.jsonl" "$work/$name/web.jsonl" | head -n 6 | cut -c 1-300
    failures=$((failures + 1))
    return
  fi
  for capture in "$work/$name"/native-data/capt*.pcx; do
    [ -e "$capture" ] || continue
    if ! cmp -s "$capture" "$work/$name/web-data/$(basename "$capture")"; then
      echo "FAIL $name: $(basename "$capture") differs"
      failures=$((failures + 1))
      return
    fi
  done
  echo "ok   $name: $lines trace lines identical, $(ls "$work/$name"/native-data/capt*.pcx 2>/dev/null | wc -l) captures identical"
}

compare level1-route --play data10.glb --level 1 --difficulty normal --input "$route" --frames 700 --capture-at 300,490
# The route ends at the exit: the last line is the level intro of level 2.
if ! tail -n 1 "$work/level1-route/web.jsonl" | grep -q '"gameState":-6,.*"levelIndex":1,'; then
  echo "FAIL level1-route: the web run did not reach the level intro of level 2"
  failures=$((failures + 1))
fi
compare idle-3000 --frames 3000 --capture-at 200,2999
compare menus-3000 --frames 3000 --input "$menus" --capture-at 100,1000,2500

[ "$failures" -eq 0 ] || exit 1
