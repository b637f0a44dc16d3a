#!/usr/bin/env bash
# Runs each libFuzzer target of the sanitizer build (scripts/build.sh asan builds them) for
# QB_FUZZ_SECONDS seconds (default 10), as many at once as there are cores.
set -euo pipefail
cd "$(dirname "$0")/../build/asan"
seconds="${QB_FUZZ_SECONDS:-10}"
mapfile -t targets < <(find fuzz -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in build/asan/fuzz" >&2; exit 1; }
# The targets run inside the build folder: some write scratch files into the current folder, so
# each gets a working folder of its own.
run_one() {
    local exe="$1" seconds="$2" name
    name="$(basename "$exe")"
    mkdir -p "corpus/$name" "work/$name"
    echo "fuzzing $name"
    if ! (cd "work/$name" && "../../$exe" -max_total_time="$seconds" -rss_limit_mb=2048 "../../corpus/$name" \
            2>"../../$name.log"); then
        echo "fuzz target $name failed:"
        tail -40 "$name.log"
        return 1
    fi
}
export -f run_one
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_one "$@"' _ {} "$seconds"
