#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the project builds, tests and
# runs with. Packages already installed are skipped, so a second run is quick.
set -euo pipefail

packages=(
  g++ cmake make ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-mixer-dev libx11-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth xdotool x11-apps imagemagick sox python3 fonts-dejavu-core
  dpkg-dev file lintian appstream desktop-file-utils mandoc
  emscripten chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# npm installs the browser tests' driver. Some machines have Node.js from
# another source with npm inside it, where Debian's npm would not install.
if ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
