#!/usr/bin/env bash
# The test command: installs what is missing, builds the sanitizer build (clang, AddressSanitizer
# and UBSan, tests and fuzz targets in one build), runs every test program, then each fuzz target
# for QB_FUZZ_SECONDS seconds (default 10). Alongside the tests and the fuzzing it builds the
# shipped build (gcc -O3: the player, its tools and the benchmarks) and fails when that fails.
# Both builds treat warnings as errors.
#   scripts/test.sh              everything
#   scripts/test.sh -L REGEX     only the tests whose label matches REGEX (labels: the test folders'
#                                names, and layout); builds only the test programs it selects (all
#                                of them when that cannot be told) and skips fuzzing and the
#                                shipped build
# Other arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export QB_WERROR=ON

patterns=()
unsure=0
args=("$@")
for ((i = 0; i < ${#args[@]}; ++i)); do
    case "${args[$i]}" in
        -LE | --label-exclude) unsure=1; i=$((i + 1)) ;;
        -LE* | --label-exclude=*) unsure=1 ;;
        -L | --label-regex) patterns+=("${args[$((i + 1))]:-}"); i=$((i + 1)) ;;
        --label-regex=*) patterns+=("${args[$i]#--label-regex=}") ;;
        -L*) patterns+=("${args[$i]#-L}") ;;
    esac
done

# The test programs whose label matches one of the patterns (ctest takes them as regular
# expressions); prints nothing and fails when a pattern is not one bash can read.
selected_programs() {
    local label pattern status
    mapfile -t known < <(ctest --test-dir build/asan --print-labels | sed -n 's/^ \+//p')
    for label in "${known[@]}"; do
        for pattern in "${patterns[@]}"; do
            status=0
            [[ "$label" =~ $pattern ]] || status=$?
            [ "$status" -ne 2 ] || return 1
            if [ "$status" -eq 0 ]; then
                if ninja -C build/asan -t query "${label}_tests" >/dev/null 2>&1; then
                    echo "${label}_tests"
                fi
                break
            fi
        done
    done
}

labelled=0
[ ${#patterns[@]} -eq 0 ] || labelled=1
if [ "$labelled" -eq 0 ]; then
    bash scripts/build.sh asan
else
    bash scripts/build.sh asan --configure-only
    programs=""
    if [ "$unsure" -eq 0 ] && programs="$(selected_programs)"; then
        mapfile -t targets < <(printf '%s' "$programs" | sed '/^$/d')
        [ ${#targets[@]} -eq 0 ] || bash scripts/build.sh asan "${targets[@]}"
    else
        bash scripts/build.sh asan
    fi
fi

# The shipped build goes on beside the tests, which leave the cores idle while the program's own
# runs wait for their frames.
release_pid=""
release_log=build/release-build.log
if [ "$labelled" -eq 0 ]; then
    mkdir -p build
    nice -n 10 bash scripts/build.sh release quillborn4-player vox write-sample-game bench_all >"$release_log" 2>&1 &
    release_pid=$!
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QB_HEADLESS=1
status=0
ctest --test-dir build/asan --output-on-failure -j "$(nproc)" "$@" || status=$?
if [ "$labelled" -eq 0 ]; then
    bash scripts/fuzz.sh || status=$?
    if ! wait "$release_pid"; then
        echo "the shipped build (build/release) failed:"
        tail -60 "$release_log"
        status=1
    fi
fi
exit "$status"
