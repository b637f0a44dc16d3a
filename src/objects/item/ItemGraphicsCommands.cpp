// Item kinds 10 .. 20: the graphics-command bodies on the player. Game thread only.
#include "objects/item/ItemGraphicsCommands.h"

#include <cstdint>

#include "definitions/CommandInfo.h"
#include "objects/chara/cPlayer.h"
#include "objects/commands/GraphicsCommands.h"
#include "objects/item/ItemCommandTable.h"

namespace {

// An item's animation belongs to no flow: its key is one no flow serial takes, so that no flow
// operation ends or halts it.
constexpr std::int32_t kItemAnimeKey = -1;

// The item-table form of a body.
template <int (*Body)(cCharaBase&, const cEdCommand&)>
int ItemHandler(cPlayer& player, const cEdCommand& command)
{
    return Body(player, command);
}

int AnimeItem(cPlayer& player, const cEdCommand& command)
{
    return AnimeCommand(player, command, kItemAnimeKey);
}

int SoundItem(cPlayer& player, const cEdCommand& command)
{
    return SoundCommand(command, player);
}

int BgmItem(cPlayer& /*player*/, const cEdCommand& command)
{
    return BgmCommand(command);
}

constexpr int kFirstKind = 25 - kItemKindOffset;  // the graphic change

}  // namespace

void InstallItemGraphicsCommands()
{
    ItemCommandFuncTable::Register(kFirstKind + 0, ItemHandler<GraphicChangeCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 1, ItemHandler<AnimeSetCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 2, AnimeItem);
    ItemCommandFuncTable::Register(kFirstKind + 3, ItemHandler<EffectCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 4, ItemHandler<CharaEffectCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 5, ItemHandler<ScrEffectCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 6, ItemHandler<PictureCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 7, ItemHandler<ScreenColorCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 8, ItemHandler<BackgroundCommand>);
    ItemCommandFuncTable::Register(kFirstKind + 9, SoundItem);
    ItemCommandFuncTable::Register(kFirstKind + 10, BgmItem);
}
