#!/usr/bin/env bash
# The test command: installs what is missing, builds with the sanitizers, runs every test.
# Extra arguments go to ctest (for example: scripts/test.sh -L core).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh asan
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QB_HEADLESS=1
ctest --test-dir build/asan --output-on-failure -j "$(nproc)" "$@"
bash scripts/fuzz.sh
