// The database part of the game-folder writer: the ten table files of "data\database\", built
// byte by byte from the entry layouts of each data version, independently of the player's own
// record code. Texts are given as the bytes stored in the files (Shift-JIS).
//
// A table file: int32 version, int32 entry count, the entries. A record: int32 raw-member count
// and the raw members, int32 string count and the strings (int32 length + 1, then the text and
// a NUL unless it is empty), then the record's lists (int32 count and the elements).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ByteWriter.h"

namespace testsupport {

// The version the player writes and expects.
constexpr int kDatabaseVersion = 720;

struct AnimeFrameSpec {
    std::int32_t cell = 0;
    std::int32_t time = 1;
    std::int32_t lock = 0;
};

// An Anime entry; the options are stored from version 55.
struct AnimeSpec {
    std::string name;
    std::int16_t optionA = 0;
    std::uint8_t optionB = 1;
    std::int16_t optionC = 0;
    std::vector<AnimeFrameSpec> frames{AnimeFrameSpec{}};
};

// An AnimeSet entry; offsetC is stored from version 119.
struct AnimeSetSpec {
    std::string name;
    std::int32_t offsetA = 4;
    std::int32_t offsetB = 8;
    std::int32_t offsetC = 0;
    std::vector<AnimeSpec> motions = std::vector<AnimeSpec>(4);
};

// A Bmp_CharaExc entry; reserved from version 152, largeCell and cellSize from 172.
struct BmpCharaExcSpec {
    std::string name;
    std::int32_t reserved = 0;
    std::string fileName;
    std::int32_t largeCell = 0;
    std::int32_t cellSize = 2;
};

// A sword frame; the mirror flags are stored from version 138.
struct SwordFrameSpec {
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
    std::int32_t mirrorX = 1;
    std::int32_t mirrorY = 0;
    std::int32_t place = 0;
    std::int32_t srcX = 0;
    std::int32_t srcY = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t time = 1;
};

// A SwordType entry; reserved from version 151.
struct SwordTypeSpec {
    std::string name;
    std::int32_t reserved = 0;
    std::string fileName;
    std::string fileNameLeft;
    std::vector<SwordFrameSpec> frames{SwordFrameSpec{}};
};

struct EffectFrameSpec {
    std::int32_t cell = 0;
    std::int32_t time = 1;
};

// An Effect entry; reserved from version 151.
struct EffectSpec {
    std::string name;
    std::int32_t reserved = 0;
    std::string fileName;
    std::int32_t cellWidth = 32;
    std::int32_t cellHeight = 32;
    std::int32_t scalable = 0;
    std::vector<EffectFrameSpec> frames;
};

// A CharaEffect or ScrEffect entry (the same layout for every version).
struct ParamEffectSpec {
    std::string name;
    std::int32_t kind = 1;
    std::array<std::int32_t, 5> params{10, 0, 0, 0, 0};
};

// A Picture, Sound or Bgm entry; reserved from version 151.
struct MediaSpec {
    std::string name;
    std::int32_t reserved = 0;
    std::string fileName;
};

// The contents of the ten table files, all written with one version.
struct DatabaseSpec {
    int version = kDatabaseVersion;
    std::vector<AnimeSetSpec> animeSets;
    std::vector<AnimeSpec> animes;
    std::vector<BmpCharaExcSpec> bmpCharaExcs;
    std::vector<SwordTypeSpec> swordTypes;
    std::vector<EffectSpec> effects;
    std::vector<ParamEffectSpec> charaEffects;
    std::vector<ParamEffectSpec> scrEffects;
    std::vector<MediaSpec> pictures;
    std::vector<MediaSpec> sounds;
    std::vector<MediaSpec> bgms;
};

// The smallest database a game needs: one entry per table (two animations), each in its
// default form; effects of kind 1 with a run time of 10.
DatabaseSpec MinimalDatabase();

// The ten game paths of the table files, in the order the player reads them.
extern const std::array<const char*, 10> kDatabaseFiles;

// One record in the layout of the given version.
void WriteRecord(ByteWriter& out, const AnimeFrameSpec& frame, int version);
void WriteRecord(ByteWriter& out, const AnimeSpec& anime, int version);
void WriteRecord(ByteWriter& out, const AnimeSetSpec& set, int version);
void WriteRecord(ByteWriter& out, const BmpCharaExcSpec& sheet, int version);
void WriteRecord(ByteWriter& out, const SwordFrameSpec& frame, int version);
void WriteRecord(ByteWriter& out, const SwordTypeSpec& sword, int version);
void WriteRecord(ByteWriter& out, const EffectFrameSpec& frame, int version);
void WriteRecord(ByteWriter& out, const EffectSpec& effect, int version);
void WriteRecord(ByteWriter& out, const ParamEffectSpec& effect, int version);
void WriteRecord(ByteWriter& out, const MediaSpec& media, int version);

// A stored string: int32 length + 1, then the bytes and a NUL unless the text is empty.
void WriteString(ByteWriter& out, const std::string& text);

// A whole table file: version, entry count, entries.
template <class Spec>
ByteWriter TableFile(const std::vector<Spec>& entries, int version = kDatabaseVersion)
{
    ByteWriter out;
    out.I32(version).I32(static_cast<std::int32_t>(entries.size()));
    for (const Spec& entry : entries) {
        WriteRecord(out, entry, version);
    }
    return out;
}

// The bytes of the ten files, in the order of kDatabaseFiles.
std::array<ByteWriter, 10> DatabaseFileBytes(const DatabaseSpec& database);

// Writes the ten files under root (a host folder): root/data/database/<name>.dat.
void WriteDatabaseFiles(const std::filesystem::path& root, const DatabaseSpec& database);

}  // namespace testsupport
