#!/usr/bin/env bash
# Runs each libFuzzer target of the sanitizer build (scripts/build.sh asan builds them) for
# QB_FUZZ_SECONDS seconds (default 10), as many at once as there are cores. Arguments name the
# targets to run (e.g. stage_play); default all. Each target starts from its seed corpus
# fuzz/corpus/<target>/ and keeps what it finds in build/asan/corpus/fuzz_<target>/.
set -euo pipefail
seeds="$(cd "$(dirname "$0")/../fuzz/corpus" && pwd)"
cd "$(dirname "$0")/../build/asan"
# Leaks inside system libraries (listed in fuzz/lsan.supp) are not ours to mend.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$seeds/../lsan.supp"
seconds="${QB_FUZZ_SECONDS:-10}"
if [ $# -gt 0 ]; then
    targets=()
    for name in "$@"; do targets+=("fuzz/fuzz_${name#fuzz_}"); done
else
    mapfile -t targets < <(find fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
fi
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in build/asan/fuzz" >&2; exit 1; }
# The targets run inside the build folder: some write scratch files into the current folder, so
# each gets a working folder of its own.
run_one() {
    local exe="$1" seconds="$2" seeds="$3" name seed
    name="$(basename "$exe")"
    seed="$seeds/${name#fuzz_}"
    mkdir -p "corpus/$name" "work/$name"
    [ -d "$seed" ] || seed=""
    echo "fuzzing $name"
    # Absolute paths: a target may change its current folder (the stage play works in a game
    # folder of its own).
    if ! (cd "work/$name" && "$PWD/../../$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=60 \
            "$PWD/../../corpus/$name" ${seed:+"$seed"} 2>"$PWD/../../$name.log"); then
        echo "fuzz target $name failed:"
        tail -40 "$name.log"
        return 1
    fi
}
export -f run_one
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$seeds"
