#!/usr/bin/env bash
# Runs the player: installs what is missing, builds, and starts it in a game folder.
#   scripts/run.sh [GAME_FOLDER] [STAGE_FILE]   (default: the sample game in build/sample-game)
# The sample game is written by the write-sample-game tool the first time it is needed; delete
# build/sample-game to have it written again.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/deps.sh
bash scripts/build.sh release quillborn4-player write-sample-game vox
sample="$root/build/sample-game"
game="${1:-$sample}"
shift || true
if [ "$game" = "$sample" ] && [ ! -e "$sample/data/System.dat" ]; then
  "$root/build/release/tools/write-sample-game" "$sample"
fi
mkdir -p "$game"
cd "$game"
exec "$root/build/release/src/app/quillborn4-player" "$@"
