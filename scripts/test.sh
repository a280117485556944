#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first the normal build,
# then the web build, then the Debian package, then everything again under
# AddressSanitizer and UndefinedBehaviorSanitizer (built with clang), which
# also runs each fuzz target over its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure --timeout 600 -j"$jobs"

# The web build in build-web/: the Node build of the headless driver traced
# against the native one, and the page played in headless Chromium.
bash scripts/web.sh test

# The Debian package, made in build-package/ as scripts/package.sh makes it,
# checked unpacked and by lintian (scripts/package-test.sh installs it into a
# clean chroot, which takes too long here).
bash scripts/package.sh
ctest --test-dir build-package --output-on-failure --timeout 600 -j"$jobs"

CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGLIMB_SANITIZE=ON -DGLIMB_FUZZ=ON -DGLIMB_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure --timeout 600 -j"$jobs"
