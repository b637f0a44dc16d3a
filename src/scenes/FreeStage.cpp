#include "scenes/FreeStage.h"

#include <string>

#include "core/Paths.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageShellFlags.h"

namespace {

// An entry of a per-play-kind table; 0 when the table is shorter (a settings file of its own).
int KindEntry(const cVector<std::int32_t>& table, int nKind)
{
    return nKind >= 0 && static_cast<std::size_t>(nKind) < table.size() ? table.data()[nKind] : 0;
}

}  // namespace

int LoadFreeStage(const char* szName, int bNewest)
{
    const std::string name = szName != nullptr ? szName : "";
    SaveData.Reset();
    if (!LoadStage(name.c_str(), bNewest, &StageBackup)) {
        return 0;
    }
    SaveData.nStageNo = 1;
    SaveData.nWorldStage = 1;
    if (StageShell.bDirectPlay.load() != 0 || KindEntry(SystemData.UnlimitedLivesTable, kFreePlayKind) != 0) {
        SaveData.nStartLives = kUnlimitedLives;
        SaveData.nLives = kUnlimitedLives;
    } else {
        const int nLives = KindEntry(SystemData.LivesTable, kFreePlayKind);
        SaveData.nStartLives = nLives;
        SaveData.nLives = nLives - 1;
    }
    std::string relative = Stage.m_strPath.empty() ? name : Stage.m_strPath;
    MakeRelativePathStr(relative);
    SaveData.SetStageFile(relative.c_str());
    return 1;
}
