#!/usr/bin/env bash
# Lists the C++ files of src/ tests/ bench/ fuzz/ tools/ whose formatting differs from
# .clang-format, and fails when there is any (scripts/format.sh fixes them).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/format-files.sh
differ=()
while IFS= read -r -d '' file; do
    if ! "$CLANG_FORMAT" --style=file --dry-run -Werror "$file" >/dev/null 2>&1; then
        differ+=("$file")
    fi
done < <(format_files)
if [ ${#differ[@]} -gt 0 ]; then
    printf '%s\n' "${differ[@]}"
    echo "${#differ[@]} files differ from .clang-format: run bash scripts/format.sh" >&2
    exit 1
fi
echo "ok"
