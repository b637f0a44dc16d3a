#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d fuzz ] && ls fuzz/*.cpp >/dev/null 2>&1 || exit 0
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQB_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target fuzz_all
# The targets run inside the build folder: some write scratch files into the current folder.
cd build/fuzz
mkdir -p work
for exe in fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name="$(basename "$exe")"
  corpus="corpus/$name"
  mkdir -p "$corpus"
  echo "fuzzing $name"
  (cd work && "../$exe" -max_total_time="${QB_FUZZ_SECONDS:-10}" -rss_limit_mb=2048 "../$corpus" 2>"../$name.log") \
    || { tail -40 "$name.log"; exit 1; }
done
