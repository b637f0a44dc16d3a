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
    const std::string name = szName != nullptr ? szName : "";
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
    std::string relative = Stage.m_strPath.empty() ? name : Stage.m_strPath;
    MakeRelativePathStr(relative);
    SaveData.SetStageFile(relative.c_str());
    return 1;
}
