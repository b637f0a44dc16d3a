#include "SystemDataWriter.h"

#include <fstream>

namespace testsupport {

namespace {

// A stored text: int32 length + 1, then the bytes and a NUL unless the text is empty.
void PutText(ByteWriter& out, const std::string& text)
{
    out.I32(static_cast<std::int32_t>(text.size() + 1));
    if (!text.empty()) {
        out.Bytes(text).U8(0);
    }
}

void PutBytes(ByteWriter& out, const std::vector<std::uint8_t>& values)
{
    out.I32(static_cast<std::int32_t>(values.size()));
    for (std::uint8_t v : values) {
        out.U8(v);
    }
}

void PutInts(ByteWriter& out, const std::vector<std::int32_t>& values)
{
    out.I32(static_cast<std::int32_t>(values.size()));
    for (std::int32_t v : values) {
        out.I32(v);
    }
}

void PutTexts(ByteWriter& out, const std::vector<std::string>& texts)
{
    out.I32(static_cast<std::int32_t>(texts.size()));
    for (const std::string& text : texts) {
        PutText(out, text);
    }
}

template <class Spec>
void PutRecords(ByteWriter& out, const std::vector<Spec>& records, int version)
{
    out.I32(static_cast<std::int32_t>(records.size()));
    for (const Spec& record : records) {
        WriteRecord(out, record, version);
    }
}

// The raw members a version holds, as (first version, last version, bytes) in file order.
struct RawMember {
    int from;
    int to;
    ByteWriter bytes;
};

constexpr int kAlways = 0;
constexpr int kForever = 1 << 30;

std::vector<RawMember> RawMembers(const SystemDataSpec& s)
{
    auto i32 = [](std::int32_t v) {
        ByteWriter b;
        b.I32(v);
        return b;
    };
    auto u8 = [](std::uint8_t v) {
        ByteWriter b;
        b.U8(v);
        return b;
    };
    return {
        {185, kForever, i32(s.extraLifeByScore)},
        {kAlways, kForever, i32(s.extraLifeScore)},
        {kAlways, kForever, i32(s.pauseHideField)},
        {kAlways, kForever, i32(s.fontAlphabet)},
        {205, kForever, i32(s.fontFace)},
        {170, kForever, i32(s.fontCentreGlyphs)},
        {113, kForever, i32(s.keepTestPlayFlows)},
        {184, kForever, i32(s.replayEnabled)},
        {157, kForever, i32(s.titleMenuPicture)},
        {kAlways, kForever, i32(s.carryLives)},
        {191, kForever, i32(s.storyMissMenu)},
        {191, kForever, i32(s.mapShowLives)},
        {kAlways, kForever, i32(s.worldCount)},
        {kAlways, kForever, i32(s.fixedWorldCount)},
        {167, kForever, i32(s.mapShowScore)},
        {167, kForever, i32(s.menuShowTotalScore)},
        {188, kForever, i32(s.retryRestoreStory)},
        {224, kForever, i32(s.pauseRetryStory)},
        {167, kForever, i32(s.selectShowHighScore)},
        {167, kForever, i32(s.selectShowTotalScore)},
        {188, kForever, i32(s.retryRestoreChallenge)},
        {224, kForever, i32(s.pauseRetryChallenge)},
        {188, kForever, i32(s.retryRestoreFree)},
        {192, kForever, i32(s.retryRestoreDirect)},
        {187, kForever, i32(s.fullColour)},
        {187, kForever, u8(s.transRed)},
        {187, kForever, u8(s.transGreen)},
        {187, kForever, u8(s.transBlue)},
        {214, kForever, i32(s.scrollSyncVariant)},
        {221, 259, i32(s.discarded)},
        {261, kForever, i32(s.resizeVariant)},
        {272, kForever, i32(s.defeatVariant)},
        {287, kForever, i32(s.d3dColourVariant)},
        {515, kForever, i32(s.cycleStep)},
        {289, kForever, i32(s.paletteCycle)},
        {525, kForever, i32(s.triggerRepeat)},
        {555, kForever, i32(s.placementVariant)},
        {637, kForever, i32(s.summonVariant)},
        {669, kForever, i32(s.keyMatchVariant)},
        {677, kForever, i32(s.landWhileRising)},
        {695, kForever, i32(s.keepNegativeTime)},
        {696, kForever, i32(s.reservedSwitch)},
        {697, kForever, i32(s.stageStartVariant)},
        {670, kForever, i32(s.d3dDepth)},
        {670, kForever, i32(s.ddDepth)},
    };
}

}  // namespace

SystemDataSpec MinimalSystemData()
{
    SystemDataSpec s;
    s.title = "Test";
    s.carryOverFlags.assign(25, 0);
    s.resetFlags.assign(25, 0);
    for (const char* label : {"SC", "SC", "HP", "SP", "L"}) {
        s.hudItems.push_back(HudItemSpec{1, 0, label, 4, 1, 33, 1});
    }
    s.lives = {5, 5, 5, 99};
    s.unlimitedLives = {1, 1, 1, 1};
    s.rankingRows = {RankingRowSpec{}, RankingRowSpec{}, RankingRowSpec{}, RankingRowSpec{0, {0, 0, 0, 0, 0}}};
    for (int i = 0; i < 28; ++i) {
        s.texts.push_back("text" + std::to_string(i));
    }
    s.systemSounds.assign(17, "");
    s.music = {0, 0, 0, 0};
    s.musicLoop = {1, 1, 1, 1};
    for (int i = 0; i < 7; ++i) {
        s.titleMenu.push_back(MenuItemSpec{1, "menu" + std::to_string(i)});
    }
    for (int i = 0; i < 4; ++i) {
        s.mapMenu.push_back(MenuItemSpec{1, "map" + std::to_string(i)});
    }
    for (int i = 0; i < 6; ++i) {
        s.optionMenu.push_back(MenuItemSpec{1, "option" + std::to_string(i)});
    }
    s.rankingEntryModes = {"mode0", "mode1", "mode2", "mode3"};
    s.iniSettings = {
        {0, "Direct3D", 0, ""},        {0, "WindowMode", 1, ""},    {0, "Bpp", 0, ""},
        {0, "VSync", 0, ""},           {0, "D3D_FontCache", 0, ""}, {0, "DD_FontCache", 1, ""},
        {0, "DD_VideoStretch", 0, ""}, {0, "ShowFps", 0, ""},       {1, "FreeStage", 0, ""},
        {0, "English", 0, ""},
    };
    return s;
}

void WriteRecord(ByteWriter& out, const MenuItemSpec& item, int)
{
    out.I32(1).I32(item.enabled);
    out.I32(1);
    PutText(out, item.label);
}

void WriteRecord(ByteWriter& out, const HudItemSpec& item, int version)
{
    const bool showValue = version >= 204;
    const bool warning = version >= 587;
    out.I32(3 + (showValue ? 1 : 0) + (warning ? 2 : 0));
    out.I32(item.visible).I32(item.icon).I32(item.digits);
    if (showValue) {
        out.I32(item.showValue);
    }
    if (warning) {
        out.I32(item.warnValue).I32(item.warnPercent);
    }
    out.I32(1);
    PutText(out, item.label);
}

void WriteRecord(ByteWriter& out, const RankingRowSpec& row, int)
{
    out.I32(1).I32(row.enabled);
    out.I32(0);
    PutBytes(out, row.genres);
}

void WriteRecord(ByteWriter& out, const IniSettingSpec& setting, int)
{
    out.I32(2).I32(setting.kind).I32(setting.value);
    out.I32(2);
    PutText(out, setting.name);
    PutText(out, setting.text);
}

void WriteSystemDataHead(ByteWriter& out, const SystemDataSpec& spec, int version)
{
    ByteWriter raw;
    std::int32_t count = 0;
    for (const RawMember& member : RawMembers(spec)) {
        if (version >= member.from && version <= member.to) {
            raw.Append(member.bytes);
            ++count;
        }
    }
    out.I32(count).Append(raw);
    out.I32(1);
    PutText(out, spec.title);
}

void WriteSystemDataLists(ByteWriter& out, const SystemDataSpec& s, int version)
{
    PutBytes(out, s.carryOverFlags);
    if (version >= 501) PutBytes(out, s.resetFlags);
    PutRecords(out, s.hudItems, version);
    PutInts(out, s.lives);
    if (version >= 191) PutInts(out, s.unlimitedLives);
    if (version >= 186) PutRecords(out, s.rankingRows, version);
    PutTexts(out, s.texts);
    PutTexts(out, s.systemSounds);
    PutInts(out, s.music);
    if (version >= 202) PutBytes(out, s.musicLoop);
    PutRecords(out, s.titleMenu, version);
    PutRecords(out, s.mapMenu, version);
    PutRecords(out, s.optionMenu, version);
    if (version >= 674) PutTexts(out, s.rankingEntryModes);
    PutRecords(out, s.iniSettings, version);
}

ByteWriter SystemDataFile(const SystemDataSpec& spec, int version)
{
    ByteWriter out;
    out.I32(version);
    WriteSystemDataHead(out, spec, version);
    WriteSystemDataLists(out, spec, version);
    return out;
}

void WriteSystemDataFile(const std::filesystem::path& root, const SystemDataSpec& spec, int version)
{
    const std::filesystem::path path = root / "data" / "System.dat";
    std::filesystem::create_directories(path.parent_path());
    const ByteWriter bytes = SystemDataFile(spec, version);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.Data().data()), static_cast<std::streamsize>(bytes.Size()));
}

}  // namespace testsupport
