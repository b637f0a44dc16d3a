#!/usr/bin/env bash
# Runs the player: installs what is missing, builds, and starts it in a game folder.
# Paths are taken from the directory the command is run from. Without a game folder the sample
# game in build/sample-game is played; it is written by the write-sample-game tool the first
# time it is needed (delete that folder to have it written again).
set -euo pipefail

usage() {
  echo "usage: scripts/run.sh [--help] [GAME_FOLDER [STAGE_FILE]]"
}

help() {
  usage
  cat <<'TEXT'
Starts the player in GAME_FOLDER (default: the sample game, build/sample-game, written on first
use). STAGE_FILE, a stage file of that game (for example data/stg4/Stage1.stg4), is played at once
instead of the title. Relative paths are taken from the current directory.
Needs a display; QB_HEADLESS=1 runs without one (no window, no sound device).
Scripted runs: QB_FRAMES=N closes the player in order after N frames, QB_INPUT=FILE plays
controller 0 from FILE (one decimal bit mask per frame: 1 left, 2 right, 4 up, 8 down, and 16,
32, ... 2048 buttons 1 to 8), QB_STATE=FILE writes the play state as JSON when the player closes,
QB_SHOT=FILE writes the last frame shown (640 x 480) as a PNG picture when the player closes.
The player ends with 0 after an orderly close, 1 when it could not start or closed because
something failed (the reason is in the game folder's Report_Game.txt), and 2 for a command line
or environment it cannot use (no display among them).
TEXT
}

case "${1:-}" in
  -h|--help) help; exit 0 ;;
  -*) echo "scripts/run.sh: unknown option: $1" >&2; usage >&2; exit 2 ;;
esac
if [ "$#" -gt 2 ]; then
  echo "scripts/run.sh: too many arguments" >&2
  usage >&2
  exit 2
fi

root="$(realpath -- "$(dirname "$0")/..")"
sample="$root/build/sample-game"
if [ "$#" -ge 1 ]; then
  game="$(realpath -m -- "$1")"
  if [ "$game" != "$sample" ] && [ ! -d "$game" ]; then
    echo "scripts/run.sh: no such game folder: $1" >&2
    usage >&2
    exit 2
  fi
else
  game="$sample"
fi

# The stage file as the player takes it: relative to the game folder when it lies inside it,
# else an absolute path in the player's form (Z:\ and backslashes).
stage=()
if [ "$#" -ge 2 ]; then
  path="$(realpath -m -- "$2")"
  case "$path" in
    "$game"/*) stage=("${path#"$game"/}") ;;
    *) stage=("Z:${path//\//\\}") ;;
  esac
fi

# The files of a scripted run are named from the caller's directory too.
for var in QB_INPUT QB_STATE QB_SHOT; do
  if [ -n "${!var:-}" ]; then
    export "$var=$(realpath -m -- "${!var}")"
  fi
done

headless="${QB_HEADLESS:-}"
if { [ -z "$headless" ] || [ "$headless" = 0 ]; } && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "quillborn4-player: cannot open a display (neither DISPLAY nor WAYLAND_DISPLAY is set);" \
       "set QB_HEADLESS=1 to run without one" >&2
  exit 2
fi

cd "$root"
bash scripts/deps.sh
bash scripts/build.sh release quillborn4-player write-sample-game vox
if [ "$game" = "$sample" ] && [ ! -e "$sample/data/System.dat" ]; then
  "$root/build/release/tools/write-sample-game" "$sample"
fi
cd "$game"
exec "$root/build/release/src/app/quillborn4-player" "${stage[@]}"
