#!/usr/bin/env bash
# The test command: installs what is missing, builds the sanitizer build (clang, AddressSanitizer
# and UBSan, tests and fuzz targets in one build), runs every test program, then each fuzz target
# for QB_FUZZ_SECONDS seconds (default 10).
#   scripts/test.sh              everything
#   scripts/test.sh -L LABEL     only the tests labelled LABEL (a test folder's name, or layout);
#                                builds only that test program and skips fuzzing
# Other arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

labels=()
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
    case "${args[$i]}" in
        -L) labels+=("${args[$((i + 1))]:-}") ;;
        -L*) labels+=("${args[$i]#-L}") ;;
    esac
done

if [ ${#labels[@]} -eq 0 ]; then
    bash scripts/build.sh asan
else
    bash scripts/build.sh asan --configure-only
    targets=()
    for label in "${labels[@]}"; do
        if ninja -C build/asan -t query "${label}_tests" >/dev/null 2>&1; then
            targets+=("${label}_tests")
        fi
    done
    [ ${#targets[@]} -eq 0 ] || bash scripts/build.sh asan "${targets[@]}"
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QB_HEADLESS=1
ctest --test-dir build/asan --output-on-failure -j "$(nproc)" "$@"

[ ${#labels[@]} -gt 0 ] || bash scripts/fuzz.sh
