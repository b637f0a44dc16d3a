#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh release   -> build/release (optimised, for playing)
#   scripts/build.sh asan      -> build/asan (AddressSanitizer + UBSan, for the tests)
# Further arguments name the targets to build (default: everything).
set -euo pipefail
cd "$(dirname "$0")/.."
kind="${1:-release}"
shift || true
case "$kind" in
  release) flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    flags=(-DCMAKE_BUILD_TYPE=Debug -DQB_SANITIZE=ON) ;;
  *) echo "usage: $0 [release|asan]" >&2; exit 2 ;;
esac
jobs="$(nproc)"
cmake -S . -B "build/$kind" -G Ninja "${flags[@]}" >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "build/$kind" -j "$jobs" "${targets[@]}"
