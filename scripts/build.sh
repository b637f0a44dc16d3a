#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh release   -> build/release (optimised, for playing)
#   scripts/build.sh asan      -> build/asan (AddressSanitizer + UBSan, for the tests)
set -euo pipefail
cd "$(dirname "$0")/.."
kind="${1:-release}"
case "$kind" in
  release) flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    flags=(-DCMAKE_BUILD_TYPE=Debug -DQB_SANITIZE=ON) ;;
  *) echo "usage: $0 [release|asan]" >&2; exit 2 ;;
esac
jobs="$(nproc)"
cmake -S . -B "build/$kind" -G Ninja "${flags[@]}" >/dev/null
cmake --build "build/$kind" -j "$jobs"
