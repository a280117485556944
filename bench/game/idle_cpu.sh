#!/usr/bin/env bash
# The game's processor share in a 1280 x 800 window under Xvfb while the
# title menu's demonstration scrolls, beside that of the baseline program
# (glimb_minimal_window: a scrolling 640 x 400 8-bit picture converted at
# twice its size straight into the window's pixels every 16 ms), run right
# after it on the same display. Only the programs' own processor time counts
# (user and system, all their threads), not the X server's. Start-up is taken
# out by running each program twice, the second time 1250 frames (20 s)
# longer: for the game frames 501-1750, all of them the demonstration (which
# begins at frame 448). Each round measures both; the ratio printed last is
# the median round's.
# Usage: idle_cpu.sh [BUILD_DIR [ROUNDS [RENDERER]]]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-3}
renderer=${3:-auto}
if [ "${IDLE_CPU_INNER:-}" != 1 ]; then
  export IDLE_CPU_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$build" "$rounds" "$renderer"
fi
export SDL_AUDIODRIVER=dummy
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
glimb=$build/game/glimb
minimal=$build/bench/game/glimb_minimal_window

# The programs, each run for the number of frames given.
runBaseline() { "$minimal" "$1"; }
runGame() { "$glimb" --data "$build/data" --renderer "$renderer" --frames "$1"; }

# Prints "real user+sys" in seconds for one run of the command given.
measure() {
  local TIMEFORMAT="%R %U %S"
  local r u s
  read -r r u s < <({ time "$@" >/dev/null 2>&1; } 2>&1)
  echo "$r $(awk -v u="$u" -v s="$s" 'BEGIN { print u + s }')"
}

# The processor share of one core over the frames that the second of two
# runs (PROGRAM FIRST_FRAMES) has more, and the frame rate of those frames.
MEASURED_FRAMES=1250
share() {
  local short long
  short=$(measure "$1" "$2")
  long=$(measure "$1" $(($2 + MEASURED_FRAMES)))
  awk -v a="$short" -v b="$long" -v n="$MEASURED_FRAMES" 'BEGIN {
    split(a, x, " "); split(b, y, " "); r = y[1] - x[1]; c = y[2] - x[2]
    printf "%.2f %.1f\n", 100 * c / r, n / r
  }'
}

ratios=()
for round in $(seq "$rounds"); do
  read -r base baseFps < <(share runBaseline 63)
  read -r game gameFps < <(share runGame 500)
  ratio=$(awk -v g="$game" -v b="$base" 'BEGIN { printf "%.2f", (b > 0 ? g / b : 0) }')
  ratios+=("$ratio")
  echo "round $round: baseline $base % of a core ($baseFps frames/s), game $game % ($gameFps frames/s): $ratio x the baseline"
done
median=$(printf '%s\n' "${ratios[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "game / baseline processor share, median of $rounds rounds: $median"
