#!/usr/bin/env bash
# Runs every fuzz target for SECONDS (default 60) under ASan and UBSan, adding
# what it finds to a scratch corpus. Inputs that crash are left as crash-* files.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/deps.sh
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGLIMB_SANITIZE=ON -DGLIMB_FUZZ=ON -DGLIMB_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)"
for target in $(find build-sanitize/fuzz -type f -executable -name 'fuzz_*'); do
  name=$(basename "$target")
  seeds=$(find fuzz -type d -path "*/corpus/${name#fuzz_}" | head -1)
  scratch=build-sanitize/fuzz-work/$name
  mkdir -p "$scratch"
  echo "== $name for ${seconds}s (seeds: $seeds)"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$scratch" $seeds
done
