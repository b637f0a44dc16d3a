#!/usr/bin/env bash
# Fails when code outside src/platform/ includes a host library or POSIX header, or calls a glibc
# extension that the standard headers declare.
root="$1"
pattern='^\s*#\s*include\s*[<"](SDL[^>"]*|ft2build\.h|freetype/[^>"]*|fontconfig/[^>"]*|fluidsynth[^>"]*|vorbis/[^>"]*|iconv\.h|unistd\.h|pthread\.h|dirent\.h|dlfcn\.h|fcntl\.h|signal\.h|sys/[^>"]*|png\.h|jpeglib\.h)[>"]'
hits=$(grep -rnE "$pattern" "$root/src" --include='*.cpp' --include='*.h' | grep -v "^$root/src/platform/")
if [ -n "$hits" ]; then
  echo "Host headers outside src/platform/:"
  echo "$hits"
  exit 1
fi
calls=$(grep -rnwE 'fopencookie|fmemopen|open_memstream|popen' "$root/src" --include='*.cpp' --include='*.h' | grep -v "^$root/src/platform/")
if [ -n "$calls" ]; then
  echo "Host calls outside src/platform/:"
  echo "$calls"
  exit 1
fi
echo "ok"
