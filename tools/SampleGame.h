// The sample game: a small complete game folder for newcomers and for end-to-end tests. A title
// screen, a world map of three worlds of two stages each (grassland and hills, sky bridge and
// lift works, castle and the boss's keep) joined by bridges, each world's last stage barring the
// way on until it is cleared; a hero that walks and jumps; monsters that patrol, hop, fly and
// shoot; moving lifts the hero rides (block characters); springs and conveyor belts (floor
// blocks); coins, an extra life and a sign with a message; a boss whose entrance flashes the
// screen; a goal star that clears each stage; system sounds and MIDI music; rankings for the
// story, challenge and free plays, and one challenge stage per world. Everything is built by code
// and comes out the same on every run.
#pragma once

#include "GameFolderWriter.h"

namespace testsupport {

// Sound database entries and music (Bgm) entries of the sample game.
namespace sample {
constexpr int kSoundJump = 1;
constexpr int kSoundCoin = 2;
constexpr int kSoundStomp = 3;
constexpr int kSoundShot = 4;
constexpr int kSoundOneUp = 5;
constexpr int kSoundRoar = 6;
constexpr int kBgmTitle = 1;
constexpr int kBgmMap = 2;
constexpr int kBgmStage = 3;
constexpr int kBgmBoss = 4;
// The worlds of the world map and the settings' world count.
constexpr int kWorldCount = 3;
}  // namespace sample

// The whole sample game.
GameSpec SampleGame();

// Its parts, each ready to be written on its own.
DatabaseSpec SampleDatabase();
SystemDataSpec SampleSystemData();
WorldMapSpec SampleWorldMap();
// The six stages of the story, in world-map order (stage number = index + 1).
std::vector<StageFileSpec> SampleStages();
// The challenge mode's stage files "data\stg4\c01-1.stg4" .. "c03-1.stg4": each world's first
// stage.
std::vector<StageFileSpec> SampleChallengeStages();
std::vector<SoundFileSpec> SampleSounds();
std::vector<MusicFileSpec> SampleMusic();

}  // namespace testsupport
