#!/usr/bin/env bash
# Fails when a source file includes a folder that its layer may not use, or when code outside
# src/platform/ reaches a host facility directly instead of through the stand-in.
#   tests/check_layers.sh ROOT
# The layers, from the top: app -> scenes -> stage -> {objects, screenbase} -> input ->
# {definitions, project} -> {graphics, sound} -> core -> platform. A folder may include itself and
# the folders listed for it; project may include definitions, and input both (replays embed a
# stage and save data). Every folder directly under src/ must be listed.
# Inside objects/, the flow runtime (objects/flow) and the expression evaluator (objects/code)
# stand alone: they may include nothing else of objects/, so that they can be read and tested
# without the characters, shots and stage field.
set -uo pipefail
root="${1:-.}"
src="$root/src"

declare -A may_include=(
    [app]="scenes stage objects screenbase input definitions project graphics sound core platform"
    [scenes]="stage objects screenbase input definitions project graphics sound core platform"
    [stage]="objects screenbase input definitions project graphics sound core platform"
    [objects]="input definitions project graphics sound core platform"
    [screenbase]="input definitions project graphics sound core platform"
    [input]="definitions project graphics sound core platform"
    [definitions]="graphics sound core platform"
    [project]="definitions graphics sound core platform"
    [graphics]="core platform"
    [sound]="core platform"
    [core]="platform"
    [platform]=""
)

# Inside the stand-in: the host interface sits below the Windows stand-in, the hosts above it.
#   "folder refused..." pairs: files in the first folder may not include the others.
platform_refusals=(
    "platform/hostapi platform/win platform/host"
    "platform/win platform/host"
)

# Subfolders that stand alone inside their folder: "subfolder" pairs with the only part of the
# same top folder it may include (itself).
standalone_subfolders=(objects/flow objects/code)

# Host facilities that only src/platform/ may use, by kind: a pattern over code lines.
host_calls=(
    "threads|std::(thread|jthread|async)\\b|\\bpthread_[a-z_]+\\s*\\(|#\\s*include\\s*<(thread|future)>"
    "clocks|\\b(steady_clock|system_clock|high_resolution_clock)\\b|\\b(clock_gettime|gettimeofday)\\s*\\(|\\bclock\\s*\\(\\s*\\)|#\\s*include\\s*<chrono>"
    "time of day|\\b(localtime|localtime_r|gmtime|gmtime_r|mktime|strftime)\\s*\\(|\\btime\\s*\\(\\s*(nullptr|NULL|0|&)|#\\s*include\\s*<(ctime|time\\.h)>"
    "environment|\\b(getenv|secure_getenv|setenv|unsetenv|putenv)\\s*\\(|\\benviron\\b"
    "raw file opening|\\b(fopen|freopen|fdopen|fopencookie|fmemopen|open_memstream|popen|openat)\\s*\\(|::open\\s*\\(|std::(i|o)?fstream\\b|#\\s*include\\s*<fstream>"
    "rand|\\b(rand|srand|rand_r|random|srandom|drand48|lrand48)\\s*\\(|std::(random_device|mt19937|mt19937_64|default_random_engine|minstd_rand)\\b|#\\s*include\\s*<random>"
    "locks|std::(mutex|recursive_mutex|timed_mutex|recursive_timed_mutex|shared_mutex|shared_timed_mutex|condition_variable|condition_variable_any|lock_guard|unique_lock|scoped_lock|shared_lock|counting_semaphore|binary_semaphore|latch|barrier)\\b|\\bpthread_(mutex|cond|rwlock|spin)_|#\\s*include\\s*<(mutex|shared_mutex|condition_variable|semaphore|latch|barrier)>"
)

failed=0
report() {
    echo "$1"
    failed=1
}

for dir in "$src"/*/; do
    folder="$(basename "$dir")"
    [[ -v may_include[$folder] ]] || report "src/$folder/: folder missing from the layer table in tests/check_layers.sh"
done

# Includes: one grep over the tree, then each quoted include of a listed folder is looked up.
while IFS= read -r hit; do
    file="${hit%%:*}"
    rest="${hit#*:}"
    line="${rest%%:*}"
    target="${rest#*\"}"
    target="${target%%\"*}"
    rel="${file#"$src"/}"
    folder="${rel%%/*}"
    top="${target%%/*}"
    [[ "$target" == */* && -v may_include[$top] && -v may_include[$folder] ]] || continue
    allowed=" $folder ${may_include[$folder]} "
    [[ "$allowed" == *" $top "* ]] || report "src/$rel:$line: $folder may not include $target"
    for alone in "${standalone_subfolders[@]}"; do
        [[ "$rel" == "$alone"/* && "$top" == "${alone%%/*}" && "$target" != "$alone"/* ]] &&
            report "src/$rel:$line: $alone stands alone and may not include $target"
    done
    if [ "$folder" = platform ]; then
        sub="${rel%/*}"
        for refusal in "${platform_refusals[@]}"; do
            read -r from refused <<<"$refusal"
            [[ "$sub" == "$from" || "$sub" == "$from"/* ]] || continue
            for r in $refused; do
                [[ "$target" == "$r"/* ]] && report "src/$rel:$line: $from may not include $target"
            done
        done
    fi
done < <(grep -rnE '^\s*#\s*include\s*"[^"]+/[^"]+"' "$src" --include='*.cpp' --include='*.h')

# Host calls: one grep per kind over everything outside src/platform/; a hit counts only when
# the pattern is still found with the line's comment removed, so that prose may name the calls.
for entry in "${host_calls[@]}"; do
    kind="${entry%%|*}"
    pattern="${entry#*|}"
    while IFS= read -r hit; do
        [ -n "$hit" ] || continue
        file="${hit%%:*}"
        rest="${hit#*:}"
        line="${rest%%:*}"
        code="${rest#*:}"
        code="${code%%//*}"
        grep -qE "$pattern" <<<"$code" || continue
        report "src/${file#"$src"/}:$line: $kind outside src/platform/: $code"
    done < <(grep -rnE "$pattern" "$src" --include='*.cpp' --include='*.h' --exclude-dir=platform)
done

if [ "$failed" -ne 0 ]; then
    echo "Layer check failed: include only the folders below (see the table in tests/check_layers.sh) and reach host facilities through src/platform/."
    exit 1
fi
echo "ok"
