#!/usr/bin/env bash
# Start-up times from the process start to the first picture, windowed (in a
# 1280 x 800 window under Xvfb) and headless, each the median of several
# launches; then, windowed, the steps between 625 paced frames (their
# average and how far they stray from 16 ms).
# Usage: window_timing.sh [BUILD_DIR [LAUNCHES [RENDERER]]]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
launches=${2:-7}
renderer=${3:-auto}
if [ "${WINDOW_TIMING_INNER:-}" != 1 ]; then
  export WINDOW_TIMING_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$build" "$launches" "$renderer"
fi
export SDL_AUDIODRIVER=dummy
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
timing=$build/bench/game/glimb_window_timing

launch() { GLIMB_LAUNCHED_AT=$(date +%s%N) "$timing" "$build/data" "$@"; }

# The median of the numbers on standard input.
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# The lines of $launches launches with these options.
launches() { for _ in $(seq "$launches"); do launch "$@"; done; }
# The median of the figure in ms after PHRASE on the lines on standard input.
medianAfter() { sed -n "s/.*$1 \([0-9.]*\) ms.*/\1/p" | median; }

# Each windowed launch's line has both figures: the launches run once.
windowed=$(launches --renderer "$renderer")
head -1 <<<"$windowed"
echo "windowed, process start to first picture: median $(medianAfter 'process start to first picture' <<<"$windowed") ms of $launches launches"
echo "windowed, window shown to first picture: median $(medianAfter 'window shown to first picture' <<<"$windowed") ms"
echo "headless, process start to first picture: median $(launches --headless | medianAfter 'process start to first picture') ms"
launch --renderer "$renderer" --frames 625 | tail -1
