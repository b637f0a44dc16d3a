# Sourced by format.sh and check-format.sh: the formatter and the files it looks after.
CLANG_FORMAT="${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}"
if [ -z "$CLANG_FORMAT" ]; then
    echo "clang-format not found (bash scripts/deps.sh installs it)" >&2
    exit 1
fi
# NUL-separated C++ sources and headers under src/ tests/ bench/ fuzz/ tools/.
format_files() {
    find src tests bench fuzz tools -type f \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null | sort -z
}
