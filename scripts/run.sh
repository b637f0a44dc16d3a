#!/usr/bin/env bash
# Runs the player: installs what is missing, builds, and starts it in a game folder.
#   scripts/run.sh [GAME_FOLDER] [STAGE_FILE]   (default: the sample game)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/deps.sh
bash scripts/build.sh release
game="${1:-$root/build/sample-game}"
shift || true
mkdir -p "$game"
cd "$game"
exec "$root/build/release/src/app/quillborn4-player" "$@"
