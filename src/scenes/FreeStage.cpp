#include "scenes/FreeStage.h"

#include <string>

#include "core/Paths.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageShellFlags.h"

int LoadFreeStage(const char* szName, int bNewest)
{
    std::string name = szName != nullptr ? szName : "";
    ToGameSeparators(name);
    SaveData.Reset();
    if (!LoadStage(name.c_str(), bNewest, &StageBackup)) {
        return 0;
    }
    SaveData.nStageNo = 1;
    SaveData.nWorldStage = 1;
    SaveData.StartLivesOf(cSaveData::kPlayFree);
    if (StageShell.bDirectPlay.load() != 0) {
        SaveData.nStartLives = cSaveData::kUnlimitedLives;
        SaveData.nLives = cSaveData::kUnlimitedLives;
    }
    // The name given, not the numbered variant read: the replay names follow it.
    std::string relative = name;
    MakeRelativePathStr(relative);
    SaveData.SetStageFile(relative.c_str());
    return 1;
}
