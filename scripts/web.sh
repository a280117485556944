#!/usr/bin/env bash
# Builds the game for the web browser into build-web/ with Emscripten, and
# serves the page on localhost for a person to open:
#   bash scripts/web.sh            build, then serve on http://localhost:8019/
#   bash scripts/web.sh build      build only
#   bash scripts/web.sh test       build, then run the web tests: the Node
#                                  build of the headless driver against the
#                                  native one, and the page in headless
#                                  Chromium (its driver, puppeteer-core, is
#                                  installed from npm into build-web/web-tools)
#   bash scripts/web.sh bench      build, then print the page's figures (what
#                                  a visit downloads, the start, a frame's
#                                  CPU time beside the native headless frame)
#   PORT=9000 bash scripts/web.sh  serve on another port
# The data files come from the native build's generator in build/, which is
# built first when needed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
mode=${1:-serve}
jobs=$(nproc)
# Debian's Emscripten finds its JavaScript parser (acorn) among Debian's Node modules.
export NODE_PATH=/usr/share/nodejs

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build build -j"$jobs" --target glimb content
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLIMB_NATIVE_BUILD="$PWD/build" >/dev/null
cmake --build build-web -j"$jobs"

# The browser driver for the tests, at the versions of the lock file;
# installed again only when it changes.
install_test_tools() {
  tools=build-web/web-tools
  if ! cmp -s tests/web/package-lock.json "$tools/package-lock.json" || [ ! -d "$tools/node_modules" ]; then
    mkdir -p "$tools"
    cp tests/web/package.json tests/web/package-lock.json "$tools/"
    # Without the npm registry (no network) the browser test is skipped and
    # says so; the Node comparison still runs.
    if ! (cd "$tools" && npm ci --no-audit --no-fund --loglevel=error >/dev/null); then
      echo "web.sh: npm could not install puppeteer-core: the Chromium test will be skipped" >&2
      rm -rf "$tools/node_modules"
    fi
  fi
}

case "$mode" in
  build)
    exit 0
    ;;
  test)
    install_test_tools
    ctest --test-dir build-web --output-on-failure --timeout 600
    exit 0
    ;;
  bench)
    install_test_tools
    NODE_PATH=$PWD/build-web/web-tools/node_modules node bench/web/page_bench.js build-web/page build/game/glimb \
      build/data build-web/web/glimb-headless.js
    exit 0
    ;;
esac
port=${PORT:-8019}
echo "Glimb is at http://localhost:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/page
