// The game-folder writer: every file a game folder holds, written byte by byte from the file
// layouts, independently of the player's own record code, so that a misreading in a reader cannot
// hide behind a writer that shares it. Used by the tests and by the sample-game tool; it needs
// nothing but the standard library (and, for OGG music only, the oggenc program).
//
// A GameSpec describes the folder; WriteGameFolder writes it under a host folder. Paths inside a
// spec are game paths (Shift-JIS bytes, '\' separators, relative to the game folder). Each kind of
// file has its own writer function, so a test can write or rewrite one kind alone.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "DatabaseWriter.h"
#include "MusicWriter.h"
#include "StageWriter.h"
#include "SystemDataWriter.h"
#include "WaveWriter.h"
#include "WorldMapWriter.h"

namespace testsupport {

// "System.ini": one "key=value" line per entry, each ended by LF, then "Exit" and LF unless
// exitLine is false (the player then counts the file as unreadable).
struct SystemIniSpec {
    std::vector<std::pair<std::string, std::string>> entries{
        {"Direct3D", "0"}, {"WindowMode", "1"}, {"Bpp", "0"}, {"VSync", "0"}, {"ShowFps", "0"},
    };
    bool exitLine = true;
};

// A stage file: the game path without the generation ("data\stg4\stage1.stg4"), written as
// path + "_" + three digits.
struct StageFileSpec {
    std::string path;
    int generation = 0;
    StageSpec stage;
};

// A WAV sound effect.
struct SoundFileSpec {
    std::string path;
    std::vector<ToneSpec> tones;
    int rate = 22050;
    int bits = 8;
};

// A music file; the extension of the path decides the kind: ".mid" a Standard MIDI File, ".ogg"
// the rendered song encoded with oggenc.
struct MusicFileSpec {
    std::string path;
    SongSpec song;
};

// "user_data\Option.dat": the user's options.
struct OptionSpec {
    std::int32_t paletteSet = 0;
    std::int32_t music = 1;        // 1 music on
    std::int32_t seVolume = 7;     // 0..10
    std::int32_t rankingMode = 0;  // 0..3
    std::string rankingName = "aaa";
};

// The pictures of the title screen.
struct TitleSpec {
    std::string title = "TEST";
    std::string subtitle = "A GAME FOR THE TESTS";
};

struct GameSpec {
    SystemIniSpec systemIni;
    DatabaseSpec database;
    SystemDataSpec systemData;
    WorldMapSpec worldMap;
    CommonPaletteSpec commonPalette;
    std::vector<StageFileSpec> stages;
    TitleSpec title;
    std::vector<SoundFileSpec> sounds;
    std::vector<MusicFileSpec> music;
    bool writeOption = false;
    OptionSpec option;
    // The 24 blend tables "bmp\hbt\hbt00.dat" .. "hbt23.dat", read only at 8 bits per pixel under
    // DirectDraw. 1.5 MB; off unless a test needs them.
    bool blendTables = false;
};

// The smallest complete game: the System.ini above, one entry per database table (two
// animations), settings that start without a dialog, the default 20 x 15 world of one chip
// without nodes, the default common palette, one stage "data\stg4\test.stg4" (a floor and the
// hero), every built-in bitmap, no sounds, no music, no user files.
GameSpec MinimalGame();

// Ways to spoil a written folder for the failure tests.
enum class Breakage {
    None,
    NoDataFolder,           // "data\" is moved to "default\" (the player offers to copy it back)
    NoDataNoDefault,        // neither "data\" nor "default\"
    MissingDatabase,        // "data\database\Bgm.dat" is gone
    MissingSystemData,      // "data\System.dat" is gone
    SystemDataExtraMember,  // "data\System.dat" holds 45 raw members instead of 44
    ShortSystemSounds,      // "data\System.dat" lists 5 system sounds instead of 17
    MissingSystemIni,       // "System.ini" is gone
    SystemIniWithoutExit,   // "System.ini" without its "Exit" line
    MissingWorldMap,        // "data\WorldMap.dat" is gone
    MissingCommonPalette,   // "data\CommonPalette.cplt4" is gone
    MissingPaletteBitmap,   // "bmp\plt\Palette.bmp" is gone
    MissingDebugBitmap,     // "bmp\Debug.bmp" is gone
    MissingStageBitmap,     // "bmp\Block.bmp" is gone (needed when stage play starts)
    HeroLessStage,          // the first stage has no player character
    StageWithoutEndCode,    // the first stage lacks its end code
};

// Host path of a game path under root.
std::filesystem::path HostPath(const std::filesystem::path& root, std::string_view gamePath);
// Writes a file under root (creating its folders), replacing an old one.
void WriteGameFile(const std::filesystem::path& root, std::string_view gamePath,
                   const std::vector<std::uint8_t>& bytes);
void WriteGameFile(const std::filesystem::path& root, std::string_view gamePath, std::string_view bytes);

// The whole folder, then the breakage. False only when an OGG file could not be made.
bool WriteGameFolder(const std::filesystem::path& root, const GameSpec& spec, Breakage breakage = Breakage::None);
void ApplyBreakage(const std::filesystem::path& root, const GameSpec& spec, Breakage breakage);

// One kind of file each.
std::string SystemIniText(const SystemIniSpec& ini);
void WriteSystemIni(const std::filesystem::path& root, const SystemIniSpec& ini);
void WriteDatabases(const std::filesystem::path& root, const DatabaseSpec& database);
void WriteSystemData(const std::filesystem::path& root, const SystemDataSpec& settings);
void WriteWorldMap(const std::filesystem::path& root, const WorldMapSpec& map);
void WriteCommonPalette(const std::filesystem::path& root, const CommonPaletteSpec& palette);
// The stage file's game path: path + "_NNN".
std::string StageFileName(const StageFileSpec& stage);
void WriteStages(const std::filesystem::path& root, const std::vector<StageFileSpec>& stages);
// Every bitmap of the built-in surface catalogue that a game provides (slot 0, the palette, and
// the non-optional slots), drawn by code in the game palette.
void WriteBitmaps(const std::filesystem::path& root, const TitleSpec& title);
void WriteBlendTables(const std::filesystem::path& root);
void WriteSounds(const std::filesystem::path& root, const std::vector<SoundFileSpec>& sounds);
// False when an OGG file could not be made.
bool WriteMusic(const std::filesystem::path& root, const std::vector<MusicFileSpec>& music);
std::vector<std::uint8_t> OptionFileBytes(const OptionSpec& option);
void WriteOption(const std::filesystem::path& root, const OptionSpec& option);

// The game paths of the bitmaps WriteBitmaps writes, slot 0 first.
extern const std::vector<std::string> kBuiltInBitmapFiles;

}  // namespace testsupport
