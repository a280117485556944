#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from the build tree's
# working folder (build/data). Extra arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ ! -x build/game/glimb ]; then
  echo "The game program is not there yet: only the libraries, tools and tests are built so far."
  exit 0
fi
exec build/game/glimb --data build/data "$@"
