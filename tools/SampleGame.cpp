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

SongSpec BossSong()
{
    SongSpec song;
    song.beatsPerMinute = 168;
    song.melodyProgram = 30;  // distortion guitar
    song.bassProgram = 38;    // synth bass
    song.melody = Tune("E5/8 E5/8 G5/8 E5/8 A#5/8 A5/8 G5/8 E5/8 | D5/8 D5/8 F5/8 D5/8 A5/8 G#5/8 F5/8 D5/8 |"
                       "E5/8 E5/8 G5/8 E5/8 B5/8 A#5/8 A5/8 G5/8 | F#5/8 G5/8 A5/8 B5/8 E5/2");
    song.bass = Tune("E2/8 E2/8 E3/8 E2/8 E2/8 E3/8 E2/8 E3/8 | D2/8 D2/8 D3/8 D2/8 D2/8 D3/8 D2/8 D3/8 |"
                     "E2/8 E2/8 E3/8 E2/8 E2/8 E3/8 E2/8 E3/8 | B1/8 B2/8 B1/8 B2/8 E2/2");
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

// Does nothing for tenths of a second.
CommandSpec Pause(int tenths)
{
    CommandSpec command;
    command.kind = 1;
    command.time = static_cast<std::int16_t>(tenths);
    return command;
}

// A jump of halfBlocks half-blocks (16 pixels each).
CommandSpec Leap(int halfBlocks)
{
    CommandSpec jump;
    jump.kind = 10;
    jump.params = {0, 0, halfBlocks, 0, 0};
    return jump;
}

// One fireball straight ahead: speed in tenths of a pixel per frame, gone after two seconds or
// at the first block.
CommandSpec Fireball(int speed)
{
    CommandSpec command;
    command.kind = 11;
    command.time = 1;
    command.sound = sample::kSoundShot;
    ShotSpec shot;
    shot.count = 1;
    shot.graphic = art::kShotFire;
    shot.speed = static_cast<std::int16_t>(speed);
    shot.limitTime = 1;
    shot.lifeTime = 20;
    shot.power = 1;
    command.shot = shot;
    return command;
}

// Runs entry of the screen-effect database once.
CommandSpec ScreenEffect(int entry)
{
    CommandSpec command;
    command.kind = 30;
    command.params = {entry, 0, 0};
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

// A frog that hops on the spot every second and a half.
CharaDefSpec Hopper(int x, int y)
{
    CharaDefSpec frog = Monster(art::kCharaSlime, x, y);
    frog.name = "FROG";
    frog.score = 200;
    frog.flows = {Always({Pause(15), Leap(4)})};
    return frog;
}

// A spiky shooter that stands facing left and spits a fireball every two seconds.
CharaDefSpec Shooter(int x, int y)
{
    CharaDefSpec shooter = Monster(art::kCharaSpiky, x, y);
    shooter.name = "SPITTER";
    shooter.direction = 0;
    shooter.directionFix = 1;
    shooter.score = 300;
    shooter.flows = {Always({Fireball(30), Pause(20)})};
    return shooter;
}

// A stone lift that the hero stands on: a block character, floating, that goes nine tiles right
// and back at two pixels a frame, so that it spans a pit ten tiles wide.
CharaDefSpec Lift(int x, int y)
{
    CharaDefSpec lift;
    lift.name = "LIFT";
    lift.sheet = 0;  // the block sheet
    lift.graphic = art::kBlockStone;
    lift.fullCell = 1;
    lift.flying = 1;
    lift.faction = 0;
    lift.invincible = 2;
    lift.maxHp = 1;
    lift.activeRange = 3;  // it keeps going while out of view
    lift.x = static_cast<std::uint16_t>(x);
    lift.y = static_cast<std::uint16_t>(y);
    constexpr int kTenths = 25;  // 12 pixels a tenth: nine tiles and a little more, to meet the far side
    lift.flows = {Always({Move(3, kTenths, 20), Move(2, kTenths, 20)})};
    return lift;
}

// The keep's boss: a big spiky one that roars and flashes the screen when it comes in view, then
// hops and spits fireballs; three hits defeat it.
CharaDefSpec Boss(int x, int y)
{
    CharaDefSpec boss = Monster(art::kCharaSpiky, x, y);
    boss.name = "KING SPIKY";
    boss.scale = 2;
    boss.maxHp = 3;
    boss.score = 5000;
    boss.direction = 0;
    boss.directionFix = 1;
    boss.deathEffect = 1;  // blink
    CommandSpec roar = ScreenEffect(1);
    roar.sound = sample::kSoundRoar;
    FlowSpec entrance = Always({roar, Pause(32000)});  // once: then it waits out the stage
    entrance.flowId = 1;
    boss.flows = {entrance, Always({Pause(12), Fireball(40), Pause(12), Leap(5)})};
    return boss;
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

// A heart: one life more.
ItemDefSpec Heart(int x, int y)
{
    ItemDefSpec heart;
    heart.name = "1UP";
    heart.graphic = art::kItemHeart;
    heart.sound = sample::kSoundOneUp;
    heart.x = static_cast<std::uint16_t>(x);
    heart.y = static_cast<std::uint16_t>(y);
    CommandSpec life;
    life.itemCommand = 1;
    life.kind = 7;  // the status operation among the item commands
    life.params.assign(18, 0);
    life.params[3] = 2;  // the system
    life.params[4] = 4;  // its lives
    life.params[5] = 1;  // add
    life.params[7] = 1;  // one
    heart.commands = {life};
    return heart;
}

// An invisible sign: walking through it shows text in a message window for four seconds at the
// top of the screen, without stopping the play.
ItemDefSpec Sign(int x, int y, const std::string& text)
{
    ItemDefSpec sign;
    sign.name = "SIGN";
    sign.hidden = 1;
    sign.showIcon = 0;
    sign.x = static_cast<std::uint16_t>(x);
    sign.y = static_cast<std::uint16_t>(y);
    CommandSpec message;
    message.itemCommand = 1;
    message.kind = 4;  // the message among the item commands
    message.text = text;
    message.params.assign(17, 0);
    message.params[0] = 7;   // screen coordinates
    message.params[1] = 2;   // cell x
    message.params[2] = 2;   // cell y
    message.params[5] = 1;   // kept on the screen
    message.params[6] = 2;   // shown for a time
    message.params[7] = 40;  // four seconds
    message.params[14] = 1;  // in a message window
    sign.commands = {message};
    return sign;
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
    // A spring: standing on it throws the hero up halfBlocks half-blocks.
    void Spring(int x, int y, int halfBlocks)
    {
        Block(x, y, art::kBlockBonus);
        m_stage.placedBlocks.back().touchKind = 1;
        m_stage.placedBlocks.back().touchValue = halfBlocks;
    }
    // A conveyor belt to the right at speed tenths of a pixel per frame.
    void Conveyor(int x0, int x1, int y, int speed)
    {
        for (int x = x0; x <= x1; ++x) {
            Block(x, y, art::kBlockPlank);
            m_stage.placedBlocks.back().touchKind = 5;
            m_stage.placedBlocks.back().touchValue = speed;
        }
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
    StageBuilder b(88, pal::kSky);
    b.Ground(0, 19);
    b.Ground(22, 37);
    b.Ground(40, 57);
    b.Ground(60, 73);
    b.Ground(76, 87);
    b.Row(62, 64, 9, art::kBlockBrick);
    b.Coins(62, 64, 8);
    b.Row(79, 81, 9, art::kBlockBrick);
    b.Coins(79, 81, 8);
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
    b.Chara(Monster(art::kCharaSlime, 65, 12));
    b.Chara(Monster(art::kCharaSlime, 82, 12));
    b.Item(Sign(14, 12, "BUTTON 1 JUMPS. THE STAR CLEARS THE STAGE!"));
    b.Item(Heart(51, 12));
    b.Item(Goal(85, 12));
    return b.Take();
}

StageSpec Hills()
{
    StageBuilder b(88, pal::kSky);
    b.Ground(0, 11);
    b.Spring(12, 13, 14);
    b.Spring(13, 13, 14);
    b.Row(12, 13, 14, art::kBlockDirt);
    b.Column(14, 7, 12, art::kBlockStone);
    b.Row(15, 22, 7, art::kBlockGrass);
    b.Coins(16, 21, 6);
    b.Ground(16, 24);
    b.Conveyor(25, 34, 13, 10);
    b.Row(25, 34, 14, art::kBlockDirt);
    b.Ground(35, 43);
    b.Column(39, 11, 12, art::kBlockStone);
    b.Ground(46, 73);
    b.Conveyor(74, 79, 13, 10);
    b.Row(74, 79, 14, art::kBlockDirt);
    b.Ground(80, 87);
    b.Row(58, 60, 10, art::kBlockBrick);
    b.Coins(44, 45, 9);
    b.Coins(58, 60, 9);
    b.Chara(Hero(2, 12));
    b.Chara(Hopper(8, 12));
    b.Chara(Hopper(20, 12));
    b.Chara(Monster(art::kCharaSlime, 30, 12));
    b.Chara(Hopper(42, 12));
    b.Chara(Monster(art::kCharaSlime, 52, 12));
    b.Chara(Hopper(63, 12));
    b.Chara(Hopper(83, 12));
    b.Item(Goal(85, 12));
    return b.Take();
}

StageSpec SkyBridge()
{
    StageBuilder b(88, pal::kLightSky);
    b.Ground(0, 7);
    b.Row(8, 16, 11, art::kBlockPlank);
    b.Row(18, 25, 10, art::kBlockPlank);
    b.Row(28, 36, 11, art::kBlockPlank);
    b.Row(39, 44, 10, art::kBlockPlank);
    b.Row(47, 52, 11, art::kBlockPlank);
    b.Ground(53, 66);
    b.Column(60, 12, 12, art::kBlockStone);
    b.Row(69, 74, 12, art::kBlockPlank);
    b.Ground(77, 87);
    b.Coins(20, 24, 9);
    b.Coins(40, 43, 9);
    b.Chara(Hero(2, 12));
    b.Chara(Monster(art::kCharaBird, 14, 6));
    b.Chara(Monster(art::kCharaSlime, 33, 10));
    b.Chara(Monster(art::kCharaBird, 30, 5));
    b.Chara(Monster(art::kCharaBird, 45, 4));
    b.Chara(Monster(art::kCharaBird, 63, 9));
    b.Chara(Monster(art::kCharaBird, 72, 7));
    b.Chara(Shooter(87, 12));
    b.Item(Goal(82, 12));
    return b.Take();
}

StageSpec LiftWorks()
{
    StageBuilder b(76, pal::kLightSky);
    b.Ground(0, 11);
    b.Chara(Hero(2, 12));
    b.Chara(Lift(12, 13));
    b.Ground(22, 29);
    b.Block(25, 12, art::kBlockBrick);
    b.Chara(Lift(30, 13));
    b.Ground(40, 75);
    b.Block(54, 12, art::kBlockBrick);
    b.Chara(Hopper(46, 12));
    b.Chara(Hopper(60, 12));
    b.Chara(Shooter(75, 12));
    b.Coins(14, 19, 10);
    b.Coins(32, 37, 10);
    b.Item(Sign(3, 12, "RIDE THE LIFTS OVER THE PITS!"));
    b.Item(Goal(72, 12));
    return b.Take();
}

StageSpec Castle()
{
    StageBuilder b(80, pal::kNavy);
    b.Header("m_bTimeLimit", 1);
    b.Header("m_nTimeLimit", 300);
    b.Header("m_nTimeWarning", 30);
    b.Row(0, 79, 13, art::kBlockCastle);
    b.Row(0, 79, 14, art::kBlockCastle);
    b.Row(0, 79, 0, art::kBlockCastle);
    b.Column(0, 1, 12, art::kBlockCastle);
    b.Column(79, 1, 12, art::kBlockCastle);
    b.Block(63, 12, art::kBlockStone);
    b.Row(68, 71, 10, art::kBlockStone);
    b.Coins(68, 71, 9);
    b.Block(47, 12, art::kBlockStone);
    b.Column(48, 11, 12, art::kBlockStone);
    b.Row(52, 55, 9, art::kBlockStone);
    b.Coins(52, 55, 8);
    b.Row(8, 11, 10, art::kBlockStone);
    b.Block(19, 12, art::kBlockStone);
    b.Column(20, 10, 12, art::kBlockCastle);
    b.Row(24, 28, 8, art::kBlockStone);
    b.Block(35, 12, art::kBlockStone);
    b.Column(36, 10, 12, art::kBlockCastle);
    b.Coins(8, 11, 9);
    b.Coins(24, 28, 7);
    b.Chara(Hero(2, 12));
    b.Chara(Monster(art::kCharaSpiky, 15, 12));
    b.Chara(Hopper(28, 12));
    b.Chara(Monster(art::kCharaSpiky, 42, 12));
    b.Chara(Monster(art::kCharaSpiky, 66, 12));
    b.Chara(Shooter(78, 12));
    b.Item(Goal(72, 12));
    return b.Take();
}

StageSpec Keep()
{
    StageBuilder b(80, pal::kNavy);
    b.Header("m_nBgm", sample::kBgmBoss);
    b.Row(0, 79, 13, art::kBlockCastle);
    b.Row(0, 79, 14, art::kBlockCastle);
    b.Row(0, 79, 0, art::kBlockCastle);
    b.Column(0, 1, 12, art::kBlockCastle);
    b.Column(79, 1, 12, art::kBlockCastle);
    b.Row(50, 53, 10, art::kBlockStone);
    b.Coins(50, 53, 9);
    b.Block(10, 12, art::kBlockStone);
    b.Column(11, 11, 12, art::kBlockStone);
    b.Row(16, 19, 10, art::kBlockStone);
    b.Coins(16, 19, 9);
    b.Block(24, 12, art::kBlockStone);
    b.Row(34, 37, 9, art::kBlockStone);
    b.Chara(Hero(2, 12));
    b.Chara(Monster(art::kCharaSpiky, 21, 12));
    b.Chara(Monster(art::kCharaSpiky, 44, 12));
    b.Chara(Boss(64, 11));
    b.Item(Sign(4, 12, "THE KING OF THE SPIKIES WAITS AHEAD..."));
    b.Item(Heart(30, 12));
    b.Item(Goal(76, 12));
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
    d.sounds = {MediaSpec{},
                MediaSpec{"JUMP", 0, "wave\\jump.wav"},
                MediaSpec{"COIN", 0, "wave\\coin.wav"},
                MediaSpec{"STOMP", 0, "wave\\stomp.wav"},
                MediaSpec{"SHOT", 0, "wave\\shot.wav"},
                MediaSpec{"ONEUP", 0, "wave\\oneup.wav"},
                MediaSpec{"ROAR", 0, "wave\\roar.wav"}};
    d.bgms = {MediaSpec{}, MediaSpec{"TITLE", 0, "bgm\\title.mid"}, MediaSpec{"MAP", 0, "bgm\\map.mid"},
              MediaSpec{"STAGE", 0, "bgm\\stage.mid"}, MediaSpec{"BOSS", 0, "bgm\\boss.mid"}};
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
    s.worldCount = sample::kWorldCount;
    s.lives = {3, 3, 3, 99};
    s.unlimitedLives = {0, 0, 1, 1};
    s.texts = {
        "WORLD ",
        "STAGE ",
        "SCORE ",
        "BEST ",  // also the world select's heading, nine 32-pixel blanks in from x 32
        "TOTAL ",
        // The result panel and ranking labels: short, so that the panel fits beside the clear
        // caption.
        "SCORE",
        "TIME",
        "CLEAR",
        "HP",
        "SP",
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
    // Items 0..5: music, sound volume, ranking entry, ranking name, back, palette set; at most 8
    // characters each, so that they end before the values.
    for (const char* label : {"MUSIC", "SOUND", "RANKING", "NAME", "BACK", "PALETTE"}) {
        s.optionMenu.push_back(MenuItemSpec{1, label});
    }
    s.rankingEntryModes = {"ASK, TYPE NAME", "ASK, FIXED NAME", "AUTO, TYPE NAME", "AUTO, FIXED NAME"};
    return s;
}

WorldMapSpec SampleWorldMap()
{
    // One character per cell: the chip number. Three islands, one per world, joined by the road
    // on row 7 and its two bridges.
    static const char* const kCells[kRows] = {
        "44444444444444444444", "40000000055500000004", "40000000055500000004", "40555500511550055504",
        "45115250555550511554", "45555550555950555954", "45955550555550555554", "45666667666667666654",
        "45555550555550555554", "45585550558550558554", "45552550555550535254", "40555500535250055504",
        "40000000055500000004", "40000000000000000004", "44444444444444444444",
    };
    WorldMapSpec map;
    map.name = "SAMPLE ISLANDS";
    map.startX = 2;
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
    // Each world's last stage bars the road on until it is cleared.
    struct Node {
        int x;
        int icon;
        bool bGate;
        const char* title;
    };
    const Node nodes[6] = {
        {4, art::kNodeStage, false, "GRASSLAND"},  {6, art::kNodeStage, true, "HILLS"},
        {9, art::kNodeStage, false, "SKY BRIDGE"}, {12, art::kNodeStage, true, "LIFT WORKS"},
        {15, art::kNodeCastle, false, "CASTLE"},   {17, art::kNodeCastle, true, "KING'S KEEP"},
    };
    const std::vector<StageFileSpec> stages = SampleStages();
    for (int i = 0; i < 6; ++i) {
        WorldStageSpec entry;
        entry.icon = nodes[i].icon;
        entry.stageNo = i + 1;
        entry.passable = nodes[i].bGate ? 0 : 1;
        entry.replay = 1;
        entry.needStage = i;  // the stage before must be cleared
        entry.title = nodes[i].title;
        entry.file = stages[static_cast<std::size_t>(i)].path;
        map.nodes.push_back(WorldNodeSpec{nodes[i].x, 7, nodes[i].title, {entry}});
    }
    return map;
}

std::vector<StageFileSpec> SampleStages()
{
    return {
        StageFileSpec{"data\\stg4\\stage1.stg4", 0, Grassland()},
        StageFileSpec{"data\\stg4\\stage2.stg4", 0, Hills()},
        StageFileSpec{"data\\stg4\\stage3.stg4", 0, SkyBridge()},
        StageFileSpec{"data\\stg4\\stage4.stg4", 0, LiftWorks()},
        StageFileSpec{"data\\stg4\\stage5.stg4", 0, Castle()},
        StageFileSpec{"data\\stg4\\stage6.stg4", 0, Keep()},
    };
}

std::vector<StageFileSpec> SampleChallengeStages()
{
    return {
        StageFileSpec{"data\\stg4\\c01-1.stg4", 0, Grassland()},
        StageFileSpec{"data\\stg4\\c02-1.stg4", 0, SkyBridge()},
        StageFileSpec{"data\\stg4\\c03-1.stg4", 0, Castle()},
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
        {"wave\\shot.wav", {Sweep(Waveform::Noise, 0, 0, 60, 0.4), Sweep(sq, 900, 300, 90, 0.3)}},
        {"wave\\roar.wav", {Sweep(Waveform::Noise, 0, 0, 400, 0.7), Sweep(sq, 90, 60, 400, 0.5)}},
    };
}

std::vector<MusicFileSpec> SampleMusic()
{
    return {
        {"bgm\\title.mid", TitleSong()},
        {"bgm\\map.mid", MapSong()},
        {"bgm\\stage.mid", StageSong()},
        {"bgm\\boss.mid", BossSong()},
    };
}

GameSpec SampleGame()
{
    GameSpec game;
    // English: the shell's own texts (ranking header, dialog titles) in the game's language.
    game.systemIni.entries = {{"Direct3D", "0"}, {"WindowMode", "1"}, {"Bpp", "0"},
                              {"VSync", "1"},    {"ShowFps", "0"},    {"English", "1"}};
    game.database = SampleDatabase();
    game.systemData = SampleSystemData();
    game.worldMap = SampleWorldMap();
    game.commonPalette = MinimalCommonPalette();
    game.stages = SampleStages();
    for (StageFileSpec& stage : SampleChallengeStages()) {
        game.stages.push_back(std::move(stage));
    }
    game.title = TitleSpec{"SAMPLE QUEST", "A SMALL GAME FOR THE QUILLBORN PLAYER"};
    game.sounds = SampleSounds();
    game.music = SampleMusic();
    return game;
}

}  // namespace testsupport
