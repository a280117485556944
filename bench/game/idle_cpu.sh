#!/usr/bin/env bash
# Runs glimb paced in a window under Xvfb and prints the processor time the
# game itself used (not the X server) over ten seconds of frames, as a share
# of one core, with the frame rate it held. Start-up is taken out by running
# once for 63 frames and once for 688: the difference is 625 frames of 16 ms.
# Usage: idle_cpu.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
export SDL_AUDIODRIVER=dummy
export XDG_CONFIG_HOME=$(mktemp -d)
export GLIMB=$build/game/glimb GLIMB_DATA=$build/data
measure() {
  FRAMES=$1 xvfb-run -a bash -c \
    'TIMEFORMAT="%R %U %S"; { time "$GLIMB" --data "$GLIMB_DATA" --frames $FRAMES >/dev/null 2>&1; } 2>&1'
}
read -r real1 user1 sys1 <<<"$(measure 63)"
read -r real2 user2 sys2 <<<"$(measure 688)"
rm -rf "$XDG_CONFIG_HOME"
awk -v r1="$real1" -v u1="$user1" -v s1="$sys1" -v r2="$real2" -v u2="$user2" -v s2="$sys2" 'BEGIN {
  r = r2 - r1; c = (u2 + s2) - (u1 + s1)
  printf "625 frames in %.2f s: %.2f s of processor time, %.1f %% of one core, %.1f frames/s\n", r, c, 100 * c / r, 625 / r
}'
