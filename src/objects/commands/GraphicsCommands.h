// The commands that change what a character looks like and what the stage shows and plays:
// action kinds 25 to 35 (graphic, base animation set, animation, effect, character effect,
// screen effect, picture, screen colour, background, sound effect, music). Each kind's body takes
// the character and the command definition, so that the item commands can share them; the
// handlers of the command table call the bodies. Game thread, inside the play step (the effect
// and picture commands may hold it in a nested wait).
#pragma once

#include <cstdint>

class cCharaBase;
class cEdCommand;

// Kinds 25 .. 35 of the action-command table.
void InstallGraphicsCommands();

// The bodies.
int GraphicChangeCommand(cCharaBase& chara, const cEdCommand& command);
int AnimeSetCommand(cCharaBase& chara, const cEdCommand& command);
// nFlowSerial: the running flow's serial number, the key of the extra animation it starts.
int AnimeCommand(cCharaBase& chara, const cEdCommand& command, std::int32_t nFlowSerial);
int EffectCommand(cCharaBase& chara, const cEdCommand& command);
int CharaEffectCommand(cCharaBase& chara, const cEdCommand& command);
int ScrEffectCommand(cCharaBase& chara, const cEdCommand& command);
int PictureCommand(cCharaBase& chara, const cEdCommand& command);
int ScreenColorCommand(cCharaBase& chara, const cEdCommand& command);
int BackgroundCommand(cCharaBase& chara, const cEdCommand& command);
int SoundCommand(const cEdCommand& command, cCharaBase& chara);
int BgmCommand(const cEdCommand& command);

// The world position of a w x h object placed by a position kind: 0 the screen's centre, 1 the
// character's graphic centre, 2 the hero's, 3 a cell of the screen, 4 a cell of the stage, each
// plus the dot offset. Other kinds leave the outputs unchanged.
void PlaceByPositionKind(double& outX, double& outY, int w, int h, const cCharaBase& chara, int nKind, int nCellX,
                         int nCellY, int nDotX, int nDotY);
