// The sample game: a small complete game folder for newcomers and for end-to-end tests. A title
// screen, a world map of three stages (grassland, sky bridge, castle), a hero that walks and
// jumps, three kinds of monsters that patrol, coins and a goal star that clears the stage,
// system sounds and MIDI music. Everything is built by code and comes out the same on every run.
#pragma once

#include "GameFolderWriter.h"

namespace testsupport {

// Sound database entries and music (Bgm) entries of the sample game.
namespace sample {
constexpr int kSoundJump = 1;
constexpr int kSoundCoin = 2;
constexpr int kSoundStomp = 3;
constexpr int kBgmTitle = 1;
constexpr int kBgmMap = 2;
constexpr int kBgmStage = 3;
}  // namespace sample

// The whole sample game.
GameSpec SampleGame();

// Its parts, each ready to be written on its own.
DatabaseSpec SampleDatabase();
SystemDataSpec SampleSystemData();
WorldMapSpec SampleWorldMap();
std::vector<StageFileSpec> SampleStages();
std::vector<SoundFileSpec> SampleSounds();
std::vector<MusicFileSpec> SampleMusic();

}  // namespace testsupport
