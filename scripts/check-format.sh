#!/usr/bin/env bash
# Lists the C++ files of src/ tests/ bench/ fuzz/ tools/ whose formatting differs from
# .clang-format, and fails when there is any (scripts/format.sh fixes them).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/format-files.sh
# clang-format names each file that differs in its warnings; files go in batches, one process a core.
report=$(format_files | xargs -0 -r -n 64 -P "$(nproc)" "$CLANG_FORMAT" --style=file --dry-run 2>&1 \
    | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$report" ]; then
    printf '%s\n' "$report"
    echo "$(printf '%s\n' "$report" | wc -l) files differ from .clang-format: run bash scripts/format.sh" >&2
    exit 1
fi
echo "ok"
