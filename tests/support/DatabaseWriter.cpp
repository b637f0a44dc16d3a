#include "DatabaseWriter.h"

#include <fstream>

namespace testsupport {

namespace {

// The versions at which the layouts changed.
constexpr int kAnimeOptions = 55;
constexpr int kAnimeSetOffsetC = 119;
constexpr int kSwordMirror = 138;
constexpr int kReserved = 151;
constexpr int kSheetReserved = 152;
constexpr int kSheetLargeCell = 172;

}  // namespace

const std::array<const char*, 10> kDatabaseFiles = {
    "data\\database\\AnimeSet.dat",  "data\\database\\Anime.dat",   "data\\database\\Bmp_CharaExc.dat",
    "data\\database\\SwordType.dat", "data\\database\\Effect.dat",  "data\\database\\CharaEffect.dat",
    "data\\database\\ScrEffect.dat", "data\\database\\Picture.dat", "data\\database\\Sound.dat",
    "data\\database\\Bgm.dat",
};

void WriteString(ByteWriter& out, const std::string& text)
{
    out.I32(static_cast<std::int32_t>(text.size() + 1));
    if (!text.empty()) {
        out.Bytes(text).U8(0);
    }
}

void WriteRecord(ByteWriter& out, const AnimeFrameSpec& frame, int)
{
    out.I32(3).I32(frame.cell).I32(frame.time).I32(frame.lock);
    out.I32(0);
}

void WriteRecord(ByteWriter& out, const AnimeSpec& anime, int version)
{
    if (version >= kAnimeOptions) {
        out.I32(3).I16(anime.optionA).U8(anime.optionB).I16(anime.optionC);
    } else {
        out.I32(0);
    }
    out.I32(1);
    WriteString(out, anime.name);
    out.I32(static_cast<std::int32_t>(anime.frames.size()));
    for (const AnimeFrameSpec& frame : anime.frames) {
        WriteRecord(out, frame, version);
    }
}

void WriteRecord(ByteWriter& out, const AnimeSetSpec& set, int version)
{
    if (version >= kAnimeSetOffsetC) {
        out.I32(3).I32(set.offsetA).I32(set.offsetB).I32(set.offsetC);
    } else {
        out.I32(2).I32(set.offsetA).I32(set.offsetB);
    }
    out.I32(1);
    WriteString(out, set.name);
    out.I32(static_cast<std::int32_t>(set.motions.size()));
    for (const AnimeSpec& motion : set.motions) {
        WriteRecord(out, motion, version);
    }
}

void WriteRecord(ByteWriter& out, const BmpCharaExcSpec& sheet, int version)
{
    if (version >= kSheetLargeCell) {
        out.I32(3).I32(sheet.reserved).I32(sheet.largeCell).I32(sheet.cellSize);
    } else if (version >= kSheetReserved) {
        out.I32(1).I32(sheet.reserved);
    } else {
        out.I32(0);
    }
    out.I32(2);
    WriteString(out, sheet.name);
    WriteString(out, sheet.fileName);
}

void WriteRecord(ByteWriter& out, const SwordFrameSpec& frame, int version)
{
    if (version >= kSwordMirror) {
        out.I32(10).I32(frame.offsetX).I32(frame.offsetY).I32(frame.mirrorX).I32(frame.mirrorY);
    } else {
        out.I32(8).I32(frame.offsetX).I32(frame.offsetY);
    }
    out.I32(frame.place).I32(frame.srcX).I32(frame.srcY).I32(frame.width).I32(frame.height).I32(frame.time);
    out.I32(0);
}

void WriteRecord(ByteWriter& out, const SwordTypeSpec& sword, int version)
{
    if (version >= kReserved) {
        out.I32(1).I32(sword.reserved);
    } else {
        out.I32(0);
    }
    out.I32(3);
    WriteString(out, sword.name);
    WriteString(out, sword.fileName);
    WriteString(out, sword.fileNameLeft);
    out.I32(static_cast<std::int32_t>(sword.frames.size()));
    for (const SwordFrameSpec& frame : sword.frames) {
        WriteRecord(out, frame, version);
    }
}

void WriteRecord(ByteWriter& out, const EffectFrameSpec& frame, int)
{
    out.I32(2).I32(frame.cell).I32(frame.time);
    out.I32(0);
}

void WriteRecord(ByteWriter& out, const EffectSpec& effect, int version)
{
    if (version >= kReserved) {
        out.I32(4).I32(effect.reserved);
    } else {
        out.I32(3);
    }
    out.I32(effect.cellWidth).I32(effect.cellHeight).I32(effect.scalable);
    out.I32(2);
    WriteString(out, effect.name);
    WriteString(out, effect.fileName);
    out.I32(static_cast<std::int32_t>(effect.frames.size()));
    for (const EffectFrameSpec& frame : effect.frames) {
        WriteRecord(out, frame, version);
    }
}

void WriteRecord(ByteWriter& out, const ParamEffectSpec& effect, int)
{
    out.I32(2).I32(effect.kind);
    for (std::int32_t param : effect.params) {
        out.I32(param);
    }
    out.I32(1);
    WriteString(out, effect.name);
}

void WriteRecord(ByteWriter& out, const MediaSpec& media, int version)
{
    if (version >= kReserved) {
        out.I32(1).I32(media.reserved);
    } else {
        out.I32(0);
    }
    out.I32(2);
    WriteString(out, media.name);
    WriteString(out, media.fileName);
}

DatabaseSpec MinimalDatabase()
{
    DatabaseSpec database;
    database.animeSets.resize(1);
    database.animes.resize(2);
    database.bmpCharaExcs.resize(1);
    database.swordTypes.resize(1);
    database.effects.resize(1);
    database.charaEffects.resize(1);
    database.scrEffects.resize(1);
    database.pictures.resize(1);
    database.sounds.resize(1);
    database.bgms.resize(1);
    return database;
}

std::array<ByteWriter, 10> DatabaseFileBytes(const DatabaseSpec& d)
{
    return {
        TableFile(d.animeSets, d.version),  TableFile(d.animes, d.version),   TableFile(d.bmpCharaExcs, d.version),
        TableFile(d.swordTypes, d.version), TableFile(d.effects, d.version),  TableFile(d.charaEffects, d.version),
        TableFile(d.scrEffects, d.version), TableFile(d.pictures, d.version), TableFile(d.sounds, d.version),
        TableFile(d.bgms, d.version),
    };
}

void WriteDatabaseFiles(const std::filesystem::path& root, const DatabaseSpec& database)
{
    const std::array<ByteWriter, 10> files = DatabaseFileBytes(database);
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string relative = kDatabaseFiles[i];
        for (char& c : relative) {
            if (c == '\\') {
                c = '/';
            }
        }
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(files[i].Data().data()), static_cast<std::streamsize>(files[i].Size()));
    }
}

}  // namespace testsupport
