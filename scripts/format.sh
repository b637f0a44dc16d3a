#!/usr/bin/env bash
# Formats the C++ sources of src/ tests/ bench/ fuzz/ tools/ in place with .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/format-files.sh
format_files | xargs -0 -r "$CLANG_FORMAT" -i --style=file
