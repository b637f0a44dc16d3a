#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/ from the sample game
# (written by build/asan/tools/write-sample-game) and from small hand-made files. Run after a
# change of the sample game or of a target's input form; the seeds are committed. Needs sox
# (OGG) and ImageMagick's convert (PNG, JPEG).
set -euo pipefail
cd "$(dirname "$0")/.."
out=fuzz/corpus
tool=build/asan/tools/write-sample-game
[ -x "$tool" ] || { echo "build the sanitizer build first (scripts/build.sh asan)" >&2; exit 1; }
game="$(mktemp -d)"
trap 'rm -rf "$game"' EXIT
"$tool" "$game" >/dev/null

seed() {  # seed TARGET NAME [PREFIX_BYTE_HEX] < bytes
    local target="$1" name="$2" prefix="${3:-}"
    mkdir -p "$out/$target"
    if [ -n "$prefix" ]; then
        { printf "\\x$prefix"; cat; } >"$out/$target/$name"
    else
        cat >"$out/$target/$name"
    fi
}
# Little-endian int32s as bytes.
i32() {
    for v in "$@"; do
        printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255)))"
    done
}

rm -rf "$out"
mkdir -p "$out"

# Stages: the reader (first byte 0: a stage, 1: a common palette) and the set-up and play.
for stage in stage1 stage4 c02-1; do
    seed stage_reader "$stage" 00 <"$game/data/stg4/$stage.stg4_000"
    seed stage_play "$stage" <"$game/data/stg4/$stage.stg4_000"
done
seed stage_reader common_palette 01 <"$game/data/CommonPalette.cplt4"
seed stage_play empty </dev/null

# Databases: the first byte chooses the table, in the order of the target.
n=0
for table in AnimeSet Anime Bmp_CharaExc SwordType Effect CharaEffect ScrEffect Picture Sound Bgm; do
    seed database_reader "$table" "$(printf %02x $n)" <"$game/data/database/$table.dat"
    n=$((n + 1))
done

seed system_data_reader System.dat <"$game/data/System.dat"
seed world_map_reader WorldMap.dat <"$game/data/WorldMap.dat"
for wav in cursor message jump; do
    seed wav_reader "$wav" <"$game/wave/$wav.wav"
done
for mid in map title; do
    seed midi_reader "$mid" <"$game/bgm/$mid.mid"
done
seed bmp_decoder Palette <"$game/bmp/plt/Palette.bmp"
seed bmp_decoder WorldEvent <"$game/bmp/WorldEvent.bmp"
seed system_ini_reader System.ini <"$game/System.ini"
printf 'Direct3D=2\r\nWindowMode=1\r\nFreeStage=data\\stg4\\stage1.stg4\r\nExit\r\n' | seed system_ini_reader hand

# Music and pictures, hand-made.
sox -n -r 22050 -c 1 -C 0 "$game/tone.ogg" synth 0.05 sine 440 2>/dev/null
seed ogg_reader tone <"$game/tone.ogg"
sox -n -r 11025 -c 2 -C 0 "$game/stereo.ogg" synth 0.02 sine 220 2>/dev/null
seed ogg_reader stereo <"$game/stereo.ogg"
convert -size 4x3 xc:red "$game/red.png"
convert -size 8x8 gradient: "$game/grey.jpg"
convert -size 3x2 xc:'rgba(0,0,255,0.5)' "$game/alpha.png"
seed image_decoders red.png <"$game/red.png"
seed image_decoders alpha.png <"$game/alpha.png"
seed image_decoders grey.jpg <"$game/grey.jpg"

# The user's own files, in the layouts the player writes.
{ i32 720 2 1 0 0; } | seed user_settings_reader Boot.dat 02
{ i32 720 5 100 80 640 480 0 0; } | seed user_settings_reader Window.dat 01
{ i32 720 4 0 1 7 0 1 4; printf 'abc\0'; } | seed user_settings_reader Option.dat 00
{ for i in 0 1 2 3 4 5 6 7 8 9 10 11; do i32 8; printf '\x25\x00\x00\x00'; done; i32 12 1 1; } |
    seed key_config_reader keyboard
{ for i in 0 1 2 3 4 5 6 7 8 9 10 11; do i32 $((i % 2)); printf '\x00\x01\x00\x00'; done; i32 12 2 1; } |
    seed key_config_reader joysticks
# A ranking: no members, then five tables of 20 places (order flag; place: score, name).
{
    i32 720 0 0 5
    for t in 0 1 2 3 4; do
        i32 1 1 0 20
        for p in $(seq 20); do i32 1 $((p * 10)) 1 4; printf 'abc\0'; done
    done
} | seed ranking_reader full
{ i32 720 0 0 0; } | seed ranking_reader empty
head -c 65536 /dev/zero | tr '\0' '\1' | seed blend_table_reader ones
printf 'short' | seed blend_table_reader short

# Records and texts, hand-made.
{ i32 720 3 1 2 3; i32 2 2; printf 'a\0'; i32 1; i32 0; } | seed record_reader small
printf '\x01x = 1 + 2 * 3' | seed code_evaluator arithmetic
printf '\x00if ( V[0] > 2 ) { V[1] = V[0] }' | seed code_evaluator condition
printf 'Score #V0 of #V1000 and #S2' | seed text_escapes variables
{ i32 720 0 0 0; } | seed definitions_reader empty_conditions 00
{ i32 720 0 0 0; } | seed replay_reader empty 00
{ i32 720 0 0; } | seed save_data_reader empty
# What the program behind the editor's socket says: its title (length, then the Shift-JIS
# bytes), then the 8-byte result of the message.
{ i32 13; printf '\x83\x4e\x83\x43\x83\x8b\x83\x7b\x81\x5b\x83\x93\x34'; i32 1 0; } |
    seed editor_link_reader editor
{ i32 0; } | seed editor_link_reader empty_title
{ i32 1025; } | seed editor_link_reader too_long

echo "seeds written to $out: $(find "$out" -type f | wc -l) files, $(du -sh "$out" | cut -f1)"
