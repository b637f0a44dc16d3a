#include "SampleGame.h"

#include <algorithm>
#include <sstream>

#include "GamePalette.h"
#include "GameScreens.h"
#include "GameSprites.h"

namespace testsupport {

namespace {

constexpr int kRows = 15;
constexpr int kTile = 32;

// ---- music ------------------------------------------------------------------------------

// Notes written as "E5/8" (pitch, octave, note value), "C#4/4." (sharp, dotted) or "R/2" (rest);
// '|' between bars is ignored.
std::vector<NoteSpec> Tune(std::string text)
{
    std::replace(text.begin(), text.end(), '|', ' ');
    static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    std::vector<NoteSpec> notes;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const std::size_t slash = word.find('/');
        const std::string pitch = word.substr(0, slash);
        const std::string value = word.substr(slash + 1);
        int ticks = kTicksPerQuarter * 4 / std::stoi(value);
        if (value.back() == '.') {
            ticks += ticks / 2;
        }
        int key = 0;
        if (pitch != "R") {
            std::size_t at = 1;
            key = kSemitone[pitch[0] - 'A'];
            if (pitch[at] == '#') {
                ++key;
                ++at;
            }
            key += 12 * (std::stoi(pitch.substr(at)) + 1);
        }
        notes.push_back(NoteSpec{key, ticks});
    }
    return notes;
}

SongSpec TitleSong()
{
    SongSpec song;
    song.beatsPerMinute = 132;
    song.melody = Tune("C5/8 E5/8 G5/8 C6/8 B5/8 G5/8 E5/4 | F5/8 A5/8 C6/8 A5/8 G5/4 E5/4 |"
                       "D5/8 F5/8 A5/8 F5/8 E5/8 G5/8 C6/4 | B5/8 G5/8 D5/8 B4/8 C5/2");
    song.bass = Tune("C3/4 C3/4 G2/4 G2/4 | F2/4 F2/4 C3/4 C3/4 | D3/4 D3/4 C3/4 C3/4 | G2/4 G2/4 C3/2");
    return song;
}

SongSpec MapSong()
{
    SongSpec song;
    song.beatsPerMinute = 104;
    song.melodyProgram = 73;  // flute
    song.bassProgram = 32;    // acoustic bass
    song.melody = Tune("G4/4 C5/8 D5/8 E5/4 D5/8 C5/8 | A4/4 C5/4 G4/2 |"
                       "F4/4 A4/8 C5/8 D5/4 C5/8 A4/8 | G4/4 E4/4 C4/2");
    song.bass = Tune("C3/2 G2/2 | F2/2 C3/2 | F2/2 G2/2 | C3/2 C3/2");
    return song;
}

SongSpec StageSong()
{
    SongSpec song;
    song.beatsPerMinute = 150;
    song.melody = Tune("A4/8 C5/8 E5/8 A5/8 G5/8 E5/8 C5/8 E5/8 | F5/8 E5/8 D5/8 C5/8 B4/4 G4/4 |"
                       "A4/8 C5/8 E5/8 A5/8 B5/8 A5/8 G5/8 E5/8 | F5/8 D5/8 B4/8 G4/8 A4/2");
    song.bass = Tune("A2/8 A3/8 A2/8 A3/8 A2/8 A3/8 A2/8 A3/8 | F2/8 F3/8 F2/8 F3/8 G2/8 G3/8 G2/8 G3/8 |"
                     "A2/8 A3/8 A2/8 A3/8 E2/8 E3/8 E2/8 E3/8 | F2/8 F3/8 G2/8 G3/8 A2/2");
    return song;
}

// ---- sounds -----------------------------------------------------------------------------

ToneSpec Beep(double hz, int ms, double volume = 0.5)
{
    return ToneSpec{Waveform::Square, hz, hz, ms, volume, 0.3};
}

ToneSpec Sweep(Waveform wave, double from, double to, int ms, double volume = 0.5)
{
    return ToneSpec{wave, from, to, ms, volume, 1.0};
}

// ---- characters and items ---------------------------------------------------------------

KeyConditionSpec KeyHeld(int entry)
{
    KeyConditionSpec key;
    key.anyLength = 1;
    key.keys.at(static_cast<std::size_t>(entry)) = 1;
    return key;
}

CommandSpec Move(int direction, int tenths, int speed)
{
    CommandSpec command;
    command.kind = 2;  // straight movement
    command.time = static_cast<std::int16_t>(tenths);
    MoveSpec move;
    move.direction = static_cast<std::int8_t>(direction);
    move.speed = static_cast<std::int16_t>(speed);
    command.move = move;
    return command;
}

CommandSpec Patrol(int tenths, int speed)
{
    CommandSpec command = Move(0, tenths, speed);
    command.kind = 3;  // walk on the ground, turning at walls and edges
    return command;
}

FlowSpec Always(std::vector<CommandSpec> commands)
{
    FlowSpec flow;
    flow.commands = std::move(commands);
    return flow;
}

CharaDefSpec Hero(int x, int y)
{
    // Key condition entries: 1 left, 2 right, 11 button 1.
    constexpr int kLeft = 1;
    constexpr int kRight = 2;
    constexpr int kButton1 = 11;
    constexpr int kDirLeft = 2;
    constexpr int kDirRight = 3;
    CharaDefSpec hero;
    hero.name = "HERO";
    hero.controller = 0;
    hero.faction = 0;
    hero.graphic = art::kCharaHero;
    hero.direction = 1;
    hero.directionFix = 0;
    hero.maxHp = 3;
    hero.ramPower = 1;
    hero.x = static_cast<std::uint16_t>(x);
    hero.y = static_cast<std::uint16_t>(y);

    FlowSpec left = Always({Move(kDirLeft, 1, 20)});
    left.keyRepeat = 1;
    left.keyConditions = {KeyHeld(kLeft)};
    FlowSpec right = Always({Move(kDirRight, 1, 20)});
    right.keyRepeat = 1;
    right.keyConditions = {KeyHeld(kRight)};
    CommandSpec jump;
    jump.kind = 10;
    jump.sound = sample::kSoundJump;
    jump.params = {0, 0, 6, 0, 0};  // a fixed height of six half-blocks
    FlowSpec up = Always({jump});
    up.keyConditions = {KeyHeld(kButton1)};
    hero.flows = {left, right, up};
    return hero;
}

CharaDefSpec Monster(int graphic, int x, int y)
{
    CharaDefSpec monster;
    monster.graphic = static_cast<std::int16_t>(graphic);
    monster.animeSet = 1;
    monster.maxHp = 1;
    monster.ramPower = 1;
    monster.score = 100;
    monster.directionFix = 0;
    monster.x = static_cast<std::uint16_t>(x);
    monster.y = static_cast<std::uint16_t>(y);
    switch (graphic) {
    case art::kCharaBird:
        monster.name = "BIRD";
        monster.flying = 1;
        monster.flows = {Always({Move(2, 20, 10), Move(3, 20, 10)})};
        break;
    case art::kCharaSpiky:
        monster.name = "SPIKY";
        monster.maxHp = 3;
        monster.flows = {Always({Patrol(10, 4)})};
        break;
    default:
        monster.name = "SLIME";
        monster.flows = {Always({Patrol(10, 6)})};
        break;
    }
    return monster;
}

ItemDefSpec Coin(int x, int y)
{
    ItemDefSpec coin;
    coin.name = "COIN";
    coin.graphic = art::kItemCoin;
    coin.sound = sample::kSoundCoin;
    coin.x = static_cast<std::uint16_t>(x);
    coin.y = static_cast<std::uint16_t>(y);
    return coin;
}

ItemDefSpec Goal(int x, int y)
{
    ItemDefSpec goal;
    goal.name = "GOAL";
    goal.graphic = art::kItemStar;
    goal.x = static_cast<std::uint16_t>(x);
    goal.y = static_cast<std::uint16_t>(y);
    CommandSpec clear;
    clear.itemCommand = 1;
    clear.kind = 2;  // the stage-clear command among the item commands
    clear.params.assign(9, 0);
    goal.commands = {clear};
    return goal;
}

// ---- stages -----------------------------------------------------------------------------

class StageBuilder {
public:
    StageBuilder(int width, std::uint8_t sky)
    {
        m_stage.header["m_nWidth"] = width;
        m_stage.header["m_nFieldWidthPx"] = width * kTile;
        m_stage.header["m_nFieldHeightPx"] = kRows * kTile;
        m_stage.header["m_nBgm"] = sample::kBgmStage;
        m_stage.header["m_bBgmLoop"] = 1;
        m_stage.header["m_bStartBanner"] = 1;
        m_stage.offScreen[3] = {{1, 1, 1, 1}, {0, 0, 0, 0}};
        m_stage.offScreen[4] = {{1, 1, 1, 1}, {10, 10, 10, 10}};
        m_stage.backgrounds[0].fillColor = sky;
    }

    void Header(const std::string& member, double value) { m_stage.header[member] = value; }
    void Block(int x, int y, int graphic)
    {
        BlockDefSpec block;
        block.graphic = static_cast<std::int16_t>(graphic);
        block.x = static_cast<std::uint16_t>(x);
        block.y = static_cast<std::uint16_t>(y);
        m_stage.placedBlocks.push_back(block);
    }
    void Row(int x0, int x1, int y, int graphic)
    {
        for (int x = x0; x <= x1; ++x) Block(x, y, graphic);
    }
    void Column(int x, int y0, int y1, int graphic)
    {
        for (int y = y0; y <= y1; ++y) Block(x, y, graphic);
    }
    // Grass on row 13 and dirt on row 14.
    void Ground(int x0, int x1)
    {
        Row(x0, x1, 13, art::kBlockGrass);
        Row(x0, x1, 14, art::kBlockDirt);
    }
    void Chara(const CharaDefSpec& chara) { m_stage.placedCharas.push_back(chara); }
    void Item(const ItemDefSpec& item) { m_stage.placedItems.push_back(item); }
    void Coins(int x0, int x1, int y)
    {
        for (int x = x0; x <= x1; ++x) Item(Coin(x, y));
    }
    StageSpec Take() { return std::move(m_stage); }

private:
    StageSpec m_stage;
};

StageSpec Grassland()
{
    StageBuilder b(60, pal::kSky);
    b.Ground(0, 19);
    b.Ground(22, 37);
    b.Ground(40, 59);
    b.Row(10, 13, 9, art::kBlockBrick);
    b.Block(12, 9, art::kBlockBonus);
    b.Block(30, 12, art::kBlockStone);
    b.Column(31, 11, 12, art::kBlockStone);
    b.Column(32, 10, 12, art::kBlockStone);
    b.Coins(10, 13, 8);
    b.Coins(24, 26, 11);
    b.Coins(44, 46, 10);
    b.Chara(Hero(2, 12));
    b.Chara(Monster(art::kCharaSlime, 16, 12));
    b.Chara(Monster(art::kCharaSlime, 27, 12));
    b.Chara(Monster(art::kCharaSlime, 48, 12));
    b.Item(Goal(56, 12));
    return b.Take();
}

StageSpec SkyBridge()
{
    StageBuilder b(60, pal::kLightSky);
    b.Ground(0, 7);
    b.Row(8, 16, 11, art::kBlockPlank);
    b.Row(19, 25, 9, art::kBlockPlank);
    b.Row(28, 36, 11, art::kBlockPlank);
    b.Row(40, 44, 8, art::kBlockPlank);
    b.Row(47, 52, 11, art::kBlockPlank);
    b.Ground(53, 59);
    b.Coins(20, 24, 8);
    b.Coins(41, 43, 7);
    b.Chara(Hero(2, 12));
    b.Chara(Monster(art::kCharaBird, 14, 6));
    b.Chara(Monster(art::kCharaSlime, 33, 10));
    b.Chara(Monster(art::kCharaBird, 30, 5));
    b.Chara(Monster(art::kCharaBird, 45, 4));
    b.Item(Goal(57, 12));
    return b.Take();
}

StageSpec Castle()
{
    StageBuilder b(50, pal::kNavy);
    b.Header("m_bTimeLimit", 1);
    b.Header("m_nTimeLimit", 300);
    b.Header("m_nTimeWarning", 30);
    b.Row(0, 49, 13, art::kBlockCastle);
    b.Row(0, 49, 14, art::kBlockCastle);
    b.Row(0, 49, 0, art::kBlockCastle);
    b.Column(0, 1, 12, art::kBlockCastle);
    b.Row(8, 11, 10, art::kBlockStone);
    b.Column(20, 9, 12, art::kBlockCastle);
    b.Row(24, 28, 8, art::kBlockStone);
    b.Column(36, 10, 12, art::kBlockCastle);
    b.Coins(8, 11, 9);
    b.Coins(24, 28, 7);
    b.Chara(Hero(2, 12));
    b.Chara(Monster(art::kCharaSpiky, 15, 12));
    b.Chara(Monster(art::kCharaSlime, 28, 12));
    b.Chara(Monster(art::kCharaSpiky, 42, 12));
    b.Item(Goal(47, 12));
    return b.Take();
}

}  // namespace

DatabaseSpec SampleDatabase()
{
    DatabaseSpec d = MinimalDatabase();
    AnimeSpec stand{"stand", 0, 1, 0, {AnimeFrameSpec{art::kCellStand, 1, 0}}};
    AnimeSpec walk{"walk", 0, 1, 0, {AnimeFrameSpec{art::kCellWalkA, 1, 0}, AnimeFrameSpec{art::kCellWalkB, 1, 0}}};
    AnimeSpec jump{"jump", 0, 1, 0, {AnimeFrameSpec{art::kCellJump, 1, 0}}};
    AnimeSpec wobble{"wobble", 0, 1, 0, {AnimeFrameSpec{0, 3, 0}, AnimeFrameSpec{1, 3, 0}}};
    d.animeSets = {
        AnimeSetSpec{"HERO", 4, 8, 0, {stand, walk, jump, jump}},
        AnimeSetSpec{"MONSTER", 4, 8, 0, {wobble, wobble, wobble, wobble}},
    };
    d.animes = {AnimeSpec{"none"}, AnimeSpec{"action"}};
    d.charaEffects = {ParamEffectSpec{"none", 0, {0, 0, 0, 0, 0}}, ParamEffectSpec{"blink", 1, {10, 0, 0, 0, 0}}};
    d.scrEffects = {ParamEffectSpec{"none", 0, {0, 0, 0, 0, 0}}, ParamEffectSpec{"flash", 1, {10, 0, 0, 0, 0}}};
    d.sounds = {MediaSpec{}, MediaSpec{"JUMP", 0, "wave\\jump.wav"}, MediaSpec{"COIN", 0, "wave\\coin.wav"},
                MediaSpec{"STOMP", 0, "wave\\stomp.wav"}};
    d.bgms = {MediaSpec{}, MediaSpec{"TITLE", 0, "bgm\\title.mid"}, MediaSpec{"MAP", 0, "bgm\\map.mid"},
              MediaSpec{"STAGE", 0, "bgm\\stage.mid"}};
    return d;
}

SystemDataSpec SampleSystemData()
{
    SystemDataSpec s = MinimalSystemData();
    s.title = "Sample Quest";
    s.titleMenuPicture = 0;
    s.hudItems = {
        HudItemSpec{1, 1, "TOTAL ", 6, 0, 0, 0}, HudItemSpec{1, 1, "SCORE ", 5, 0, 0, 0},
        HudItemSpec{1, 1, "HP", 0, 0, 1, 0},     HudItemSpec{0, 1, "SP", 0, 0, 0, 0},
        HudItemSpec{1, 1, "x", 2, 0, 0, 0},
    };
    s.lives = {3, 3, 3, 99};
    s.unlimitedLives = {0, 0, 1, 1};
    s.texts = {
        "WORLD ",
        "STAGE ",
        "SCORE ",
        "HIGH SCORE ",
        "TOTAL ",
        "SCORE ",
        "TIME LEFT ",
        "CLEAR TIME ",
        "HP LEFT ",
        "SP LEFT ",
        "ENTER STAGE",
        "NOT NOW",
        "SAVE",
        "NOT NOW",
        "AUTO SAVE ON",
        "AUTO SAVE OFF",
        "NO SAVE SLOT YET: SAVE ONCE FIRST!",
        "BACK TO TITLE",
        "NOT NOW",
        "QUIT",
        "CONTINUE",
        "RETRY",
        "RETRY",
        "BACK TO MAP",
        "V: NEXT RANKING",
        "SPACE: TITLE",
        "SPACE: QUIT",
        "F3: ENTER RANKING",
    };
    s.systemSounds = {
        "wave\\cursor.wav", "wave\\decide.wav",  "wave\\cancel.wav", "wave\\buzzer.wav",  "wave\\pause.wav",
        "wave\\decide.wav", "wave\\switch.wav",  "wave\\damage.wav", "wave\\miss.wav",    "wave\\defeat.wav",
        "wave\\spring.wav", "wave\\message.wav", "wave\\decide.wav", "wave\\warning.wav", "wave\\clear.wav",
        "wave\\oneup.wav",  "wave\\ranking.wav",
    };
    s.music = {sample::kBgmTitle, sample::kBgmMap, sample::kBgmMap, sample::kBgmTitle};
    s.musicLoop = {1, 1, 1, 1};
    s.titleMenu.clear();
    for (const char* label : {"NEW GAME", "CONTINUE", "CHALLENGE", "FREE PLAY", "REPLAY", "OPTIONS", "QUIT"}) {
        s.titleMenu.push_back(MenuItemSpec{1, label});
    }
    s.mapMenu.clear();
    for (const char* label : {"SAVE", "AUTO SAVE", "BACK", "TITLE"}) {
        s.mapMenu.push_back(MenuItemSpec{1, label});
    }
    s.optionMenu.clear();
    for (const char* label : {"MUSIC", "SOUND", "RANKING MODE", "RANKING NAME", "BACK", ""}) {
        s.optionMenu.push_back(MenuItemSpec{1, label});
    }
    s.rankingEntryModes = {"ASK, TYPE NAME", "ASK, FIXED NAME", "AUTO, TYPE NAME", "AUTO, FIXED NAME"};
    return s;
}

WorldMapSpec SampleWorldMap()
{
    // One character per cell: the chip number.
    static const char* const kCells[kRows] = {
        "44444444444444444444", "40000000000000000004", "40011111555551110004", "40155522555555521004",
        "40555555558855555004", "40552555555555525504", "40555555555555555504", "40566666666666666504",
        "40555555555585555504", "40525555585555525504", "40555522555555255504", "40015555555555551004",
        "40001111155551110004", "40000000000000000004", "44444444444444444444",
    };
    WorldMapSpec map;
    map.name = "SAMPLE ISLAND";
    map.startX = 3;
    map.startY = 7;
    map.backColor = pal::kDeepWater;
    map.chips.clear();
    for (int chip = 0; chip < 10; ++chip) {
        map.chips.push_back(WorldChipSpec{chip, chip < 5 ? 1 : 0, chip, "", ""});
    }
    map.cells.assign(static_cast<std::size_t>(map.pitch) * kRows, 0);
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < 20; ++x) {
            map.cells[static_cast<std::size_t>(y * map.pitch + x)] = kCells[y][x] - '0';
        }
    }
    struct Node {
        int x;
        int icon;
        const char* title;
        const char* file;
    };
    const Node nodes[3] = {
        {6, art::kNodeStage, "GRASSLAND", "data\\stg4\\stage1.stg4"},
        {10, art::kNodeStage, "SKY BRIDGE", "data\\stg4\\stage2.stg4"},
        {15, art::kNodeCastle, "CASTLE", "data\\stg4\\stage3.stg4"},
    };
    for (int i = 0; i < 3; ++i) {
        WorldStageSpec entry;
        entry.icon = nodes[i].icon;
        entry.stageNo = i + 1;
        entry.passable = 1;
        entry.replay = 1;
        entry.needStage = i;  // the stage before must be cleared
        entry.title = nodes[i].title;
        entry.file = nodes[i].file;
        map.nodes.push_back(WorldNodeSpec{nodes[i].x, 7, nodes[i].title, {entry}});
    }
    return map;
}

std::vector<StageFileSpec> SampleStages()
{
    return {
        StageFileSpec{"data\\stg4\\stage1.stg4", 0, Grassland()},
        StageFileSpec{"data\\stg4\\stage2.stg4", 0, SkyBridge()},
        StageFileSpec{"data\\stg4\\stage3.stg4", 0, Castle()},
    };
}

std::vector<SoundFileSpec> SampleSounds()
{
    const Waveform sq = Waveform::Square;
    const Waveform tri = Waveform::Triangle;
    return {
        {"wave\\cursor.wav", {Beep(1320, 30, 0.3)}},
        {"wave\\decide.wav", {Beep(880, 50), Beep(1320, 80)}},
        {"wave\\cancel.wav", {Beep(660, 50), Beep(440, 80)}},
        {"wave\\buzzer.wav", {Beep(110, 200, 0.4)}},
        {"wave\\pause.wav", {Beep(990, 60), Beep(660, 60), Beep(990, 90)}},
        {"wave\\switch.wav", {Sweep(sq, 600, 1200, 70, 0.4)}},
        {"wave\\damage.wav", {Sweep(Waveform::Noise, 0, 0, 150, 0.6), Sweep(sq, 300, 120, 120, 0.4)}},
        {"wave\\miss.wav", {Sweep(tri, 880, 110, 700, 0.7)}},
        {"wave\\defeat.wav", {Sweep(sq, 700, 90, 180, 0.5)}},
        {"wave\\spring.wav", {Sweep(tri, 200, 1200, 200, 0.6)}},
        {"wave\\message.wav", {Beep(1760, 20, 0.2)}},
        {"wave\\warning.wav", {Beep(1047, 120), Beep(0, 40, 0.0), Beep(1047, 120)}},
        {"wave\\clear.wav", {Beep(523, 100), Beep(659, 100), Beep(784, 100), Beep(1047, 300)}},
        {"wave\\oneup.wav",
         {Beep(659, 70), Beep(784, 70), Beep(1319, 70), Beep(1047, 70), Beep(1175, 70), Beep(1568, 150)}},
        {"wave\\ranking.wav", {Beep(784, 120), Beep(784, 120), Beep(1047, 400)}},
        {"wave\\jump.wav", {Sweep(sq, 300, 900, 150, 0.4)}},
        {"wave\\coin.wav", {Beep(988, 60), Beep(1319, 220)}},
        {"wave\\stomp.wav", {Sweep(tri, 400, 60, 120, 0.7)}},
    };
}

std::vector<MusicFileSpec> SampleMusic()
{
    return {
        {"bgm\\title.mid", TitleSong()},
        {"bgm\\map.mid", MapSong()},
        {"bgm\\stage.mid", StageSong()},
    };
}

GameSpec SampleGame()
{
    GameSpec game;
    game.systemIni.entries = {{"Direct3D", "0"}, {"WindowMode", "1"}, {"Bpp", "0"}, {"VSync", "1"}, {"ShowFps", "0"}};
    game.database = SampleDatabase();
    game.systemData = SampleSystemData();
    game.worldMap = SampleWorldMap();
    game.commonPalette = MinimalCommonPalette();
    game.stages = SampleStages();
    game.title = TitleSpec{"SAMPLE QUEST", "A SMALL GAME FOR THE QUILLBORN PLAYER"};
    game.sounds = SampleSounds();
    game.music = SampleMusic();
    return game;
}

}  // namespace testsupport
