#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh release   -> build/release (the shipped build: -O3 with debug information)
#   scripts/build.sh asan      -> build/asan (clang, AddressSanitizer + UBSan, with the fuzz
#                                 targets: one build serves the tests and the fuzzing; the
#                                 benchmarks are built in the release build only)
# Further arguments name the targets to build (default: everything); --configure-only builds
# nothing. QB_WERROR=ON (or OFF) in the environment sets whether warnings are errors; without it
# the build folder keeps its setting (OFF in a new one).
set -euo pipefail
cd "$(dirname "$0")/.."
kind="${1:-release}"
shift || true
case "$kind" in
  release) flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    flags=(-DCMAKE_BUILD_TYPE=Debug -DQB_FUZZ=ON -DQB_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "usage: $0 [release|asan] [targets...]" >&2; exit 2 ;;
esac
[ -z "${QB_WERROR:-}" ] || flags+=("-DQB_WERROR=$QB_WERROR")
jobs="$(nproc)"
cmake -S . -B "build/$kind" -G Ninja "${flags[@]}" >/dev/null
[ "${1:-}" != "--configure-only" ] || exit 0
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "build/$kind" -j "$jobs" "${targets[@]}"
