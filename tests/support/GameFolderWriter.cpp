#include "GameFolderWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

#include "GamePalette.h"
#include "GameScreens.h"
#include "GameSprites.h"
#include "IndexedImage.h"

namespace testsupport {

namespace {

constexpr int kFileVersion = 720;
// Bytes of the 44 raw members of the settings file at version 720 (41 int32 and 3 bytes).
constexpr std::size_t kSystemDataRawBytes = 41 * 4 + 3;

void WriteBitmap(const std::filesystem::path& root, std::string_view gamePath, const IndexedImage& image)
{
    static const ColourTable colours = GamePalette();
    WriteGameFile(root, gamePath, EncodeBmp8(image, colours));
}

// The settings file with one raw member more than the player registers.
std::vector<std::uint8_t> SystemDataWithExtraMember(const SystemDataSpec& settings)
{
    std::vector<std::uint8_t> bytes = SystemDataFile(settings, kFileVersion).Data();
    const std::int32_t count = 45;
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&count), 4, bytes.begin() + 4);
    bytes.insert(bytes.begin() + 8 + static_cast<std::ptrdiff_t>(kSystemDataRawBytes), 4, std::uint8_t{0});
    return bytes;
}

// The palette number whose colour is nearest (sum of squared channel differences) to c.
std::uint8_t Nearest(const ColourTable& colours, std::uint32_t c)
{
    int best = 1;
    long bestDistance = -1;
    for (int i = 1; i < 256; ++i) {
        long distance = 0;
        for (int shift : {16, 8, 0}) {
            const long d = static_cast<long>((colours[i] >> shift) & 0xFF) - static_cast<long>((c >> shift) & 0xFF);
            distance += d * d;
        }
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void Remove(const std::filesystem::path& root, std::string_view gamePath)
{
    std::error_code ignored;
    std::filesystem::remove_all(HostPath(root, gamePath), ignored);
}

}  // namespace

const std::vector<std::string> kBuiltInBitmapFiles = {
    "bmp\\plt\\Palette.bmp", "bmp\\Debug.bmp",        "bmp\\Block.bmp",        "bmp\\Character1.bmp",
    "bmp\\Shot.bmp",         "bmp\\Item.bmp",         "bmp\\Item_Mini.bmp",    "bmp\\Mark.bmp",
    "bmp\\Window.bmp",       "bmp\\StatusWindow.bmp", "bmp\\Title.bmp",        "bmp\\Accessory.bmp",
    "bmp\\Symbol.bmp",       "bmp\\Word.bmp",         "bmp\\WorldMapChip.bmp", "bmp\\WorldEvent.bmp",
};

GameSpec MinimalGame()
{
    GameSpec game;
    game.database = MinimalDatabase();
    game.systemData = MinimalSystemData();
    game.commonPalette = MinimalCommonPalette();
    game.stages.push_back(StageFileSpec{"data\\stg4\\test.stg4", 0, MinimalStage()});
    return game;
}

std::filesystem::path HostPath(const std::filesystem::path& root, std::string_view gamePath)
{
    std::string relative(gamePath);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return root / relative;
}

void WriteGameFile(const std::filesystem::path& root, std::string_view gamePath, const std::vector<std::uint8_t>& bytes)
{
    WriteGameFile(root, gamePath, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void WriteGameFile(const std::filesystem::path& root, std::string_view gamePath, std::string_view bytes)
{
    const std::filesystem::path path = HostPath(root, gamePath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string SystemIniText(const SystemIniSpec& ini)
{
    std::string text;
    for (const auto& [key, value] : ini.entries) {
        text += key + "=" + value + "\n";
    }
    if (ini.exitLine) {
        text += "Exit\n";
    }
    return text;
}

void WriteSystemIni(const std::filesystem::path& root, const SystemIniSpec& ini)
{
    WriteGameFile(root, "System.ini", SystemIniText(ini));
}

void WriteDatabases(const std::filesystem::path& root, const DatabaseSpec& database)
{
    WriteDatabaseFiles(root, database);
}

void WriteSystemData(const std::filesystem::path& root, const SystemDataSpec& settings)
{
    WriteSystemDataFile(root, settings, kFileVersion);
}

void WriteWorldMap(const std::filesystem::path& root, const WorldMapSpec& map)
{
    WriteWorldMapFile(root, map, kFileVersion);
}

void WriteCommonPalette(const std::filesystem::path& root, const CommonPaletteSpec& palette)
{
    WriteGameFile(root, "data\\CommonPalette.cplt4", CommonPaletteFile(palette).Data());
}

std::string StageFileName(const StageFileSpec& stage)
{
    char suffix[8];
    std::snprintf(suffix, sizeof(suffix), "_%03d", std::clamp(stage.generation, 0, 999));
    return stage.path + suffix;
}

void WriteStages(const std::filesystem::path& root, const std::vector<StageFileSpec>& stages)
{
    for (const StageFileSpec& stage : stages) {
        WriteGameFile(root, StageFileName(stage), StageFile(stage.stage).Data());
    }
}

void WriteBitmaps(const std::filesystem::path& root, const TitleSpec& title)
{
    WriteBitmap(root, "bmp\\plt\\Palette.bmp", PaletteSheet());
    WriteBitmap(root, "bmp\\Debug.bmp", DebugSheet());
    WriteBitmap(root, "bmp\\Block.bmp", BlockSheet());
    WriteBitmap(root, "bmp\\Character1.bmp", CharacterSheet());
    WriteBitmap(root, "bmp\\Shot.bmp", ShotSheet());
    WriteBitmap(root, "bmp\\Item.bmp", ItemSheet());
    WriteBitmap(root, "bmp\\Item_Mini.bmp", ItemMiniSheet());
    WriteBitmap(root, "bmp\\Mark.bmp", MarkSheet());
    WriteBitmap(root, "bmp\\Window.bmp", WindowSkin());
    WriteBitmap(root, "bmp\\StatusWindow.bmp", StatusBar());
    WriteBitmap(root, "bmp\\Title.bmp", TitlePicture(title.title, title.subtitle));
    WriteBitmap(root, "bmp\\Accessory.bmp", AccessorySheet());
    WriteBitmap(root, "bmp\\Symbol.bmp", SymbolSheet());
    WriteBitmap(root, "bmp\\Word.bmp", WordSheet());
    WriteBitmap(root, "bmp\\WorldMapChip.bmp", MapChipSheet());
    WriteBitmap(root, "bmp\\WorldEvent.bmp", MapNodeSheet());
}

void WriteBlendTables(const std::filesystem::path& root)
{
    // Entry (a, b) is the palette number nearest to the even mix of colours a and b; every
    // variant of the palette gets the same table.
    const ColourTable colours = GamePalette();
    std::vector<std::uint8_t> table(256 * 256);
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            std::uint32_t mix = 0;
            for (int shift : {16, 8, 0}) {
                const std::uint32_t ca = (colours[a] >> shift) & 0xFF;
                const std::uint32_t cb = (colours[b] >> shift) & 0xFF;
                mix |= ((ca + cb) / 2) << shift;
            }
            table[static_cast<std::size_t>(a) * 256 + b] = Nearest(colours, mix);
        }
    }
    for (int variant = 0; variant < 24; ++variant) {
        char name[32];
        std::snprintf(name, sizeof(name), "bmp\\hbt\\hbt%02d.dat", variant);
        WriteGameFile(root, name, table);
    }
}

void WriteSounds(const std::filesystem::path& root, const std::vector<SoundFileSpec>& sounds)
{
    for (const SoundFileSpec& sound : sounds) {
        WriteGameFile(root, sound.path, EncodeWav(Synthesize(sound.tones, sound.rate), sound.rate, sound.bits));
    }
}

bool WriteMusic(const std::filesystem::path& root, const std::vector<MusicFileSpec>& music)
{
    bool ok = true;
    for (const MusicFileSpec& file : music) {
        std::string extension = file.path.size() >= 4 ? file.path.substr(file.path.size() - 4) : "";
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".ogg") {
            ok = EncodeOgg(RenderSongWav(file.song, 22050), HostPath(root, file.path)) && ok;
        } else {
            WriteGameFile(root, file.path, EncodeMidi(file.song));
        }
    }
    return ok;
}

std::vector<std::uint8_t> OptionFileBytes(const OptionSpec& option)
{
    ByteWriter out;
    out.I32(kFileVersion).I32(4).I32(option.paletteSet).I32(option.music).I32(option.seVolume).I32(option.rankingMode);
    out.I32(1).RecordString(option.rankingName);
    return out.Data();
}

void WriteOption(const std::filesystem::path& root, const OptionSpec& option)
{
    WriteGameFile(root, "user_data\\Option.dat", OptionFileBytes(option));
}

bool WriteGameFolder(const std::filesystem::path& root, const GameSpec& spec, Breakage breakage)
{
    WriteSystemIni(root, spec.systemIni);
    WriteDatabases(root, spec.database);
    WriteSystemData(root, spec.systemData);
    WriteWorldMap(root, spec.worldMap);
    WriteCommonPalette(root, spec.commonPalette);
    WriteStages(root, spec.stages);
    WriteBitmaps(root, spec.title);
    if (spec.blendTables) {
        WriteBlendTables(root);
    }
    WriteSounds(root, spec.sounds);
    const bool musicOk = WriteMusic(root, spec.music);
    if (spec.writeOption) {
        WriteOption(root, spec.option);
    }
    ApplyBreakage(root, spec, breakage);
    return musicOk;
}

void ApplyBreakage(const std::filesystem::path& root, const GameSpec& spec, Breakage breakage)
{
    switch (breakage) {
    case Breakage::None: break;
    case Breakage::NoDataFolder:
        Remove(root, "default");
        std::filesystem::rename(HostPath(root, "data"), HostPath(root, "default"));
        break;
    case Breakage::NoDataNoDefault:
        Remove(root, "data");
        Remove(root, "default");
        break;
    case Breakage::MissingDatabase: Remove(root, "data\\database\\Bgm.dat"); break;
    case Breakage::MissingSystemData: Remove(root, "data\\System.dat"); break;
    case Breakage::SystemDataExtraMember:
        WriteGameFile(root, "data\\System.dat", SystemDataWithExtraMember(spec.systemData));
        break;
    case Breakage::ShortSystemSounds: {
        SystemDataSpec settings = spec.systemData;
        settings.systemSounds.resize(5);
        WriteSystemData(root, settings);
        break;
    }
    case Breakage::MissingSystemIni: Remove(root, "System.ini"); break;
    case Breakage::SystemIniWithoutExit: {
        SystemIniSpec ini = spec.systemIni;
        ini.exitLine = false;
        WriteSystemIni(root, ini);
        break;
    }
    case Breakage::MissingWorldMap: Remove(root, "data\\WorldMap.dat"); break;
    case Breakage::MissingCommonPalette: Remove(root, "data\\CommonPalette.cplt4"); break;
    case Breakage::MissingPaletteBitmap: Remove(root, "bmp\\plt\\Palette.bmp"); break;
    case Breakage::MissingDebugBitmap: Remove(root, "bmp\\Debug.bmp"); break;
    case Breakage::MissingStageBitmap: Remove(root, "bmp\\Block.bmp"); break;
    case Breakage::HeroLessStage:
        if (!spec.stages.empty()) {
            StageFileSpec stage = spec.stages.front();
            auto& charas = stage.stage.placedCharas;
            charas.erase(
                std::remove_if(charas.begin(), charas.end(), [](const CharaDefSpec& c) { return c.controller == 0; }),
                charas.end());
            WriteStages(root, {stage});
        }
        break;
    case Breakage::StageWithoutEndCode:
        if (!spec.stages.empty()) {
            StageFileSpec stage = spec.stages.front();
            stage.stage.endCode = false;
            WriteStages(root, {stage});
        }
        break;
    }
}

}  // namespace testsupport
