#include "GameGlobals.h"

#include "app/ShellState.h"
#include "app/SystemIni.h"
#include "app/cBootData.h"
#include "app/cWindowData.h"
#include "definitions/DefinitionContext.h"
#include "definitions/cEdStage.h"
#include "input/KeyConfig.h"
#include "input/cInput.h"
#include "objects/StageObjects.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneManager.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"

namespace testsupport {

void ResetGameGlobals()
{
    ResetStageObjects();
    // The derived tables point into the databases: they go first.
    for (PatternTable* table : {&AnimePattern, &EffectPattern}) {
        table->clear();
    }
    CharaEffectWork.clear();
    CharaEffectWorkRev.clear();
    ScrEffectWork.clear();
    ScrEffectWorkRev.clear();
    Database.SetDefault();
    Database.CharaEffectRev.clear();
    Database.ScrEffectRev.clear();
    SystemData.SetDefaults();
    WorldMap.SetDefault();
    DefinitionContext = DEFINITIONCONTEXT{};
    for (cEdStage* stage : {&Stage, &StageBackup}) {
        stage->Reset();
        stage->m_strPath.clear();
        stage->m_bNewest = 0;
        stage->m_bLoaded = 0;
    }
    SoundTable.clear();
    SoundInfoList.clear();
    for (cSaveData* save : {&SaveData, &SaveDataAtStart, &SaveDataAtStartPrev}) {
        save->Reset();
    }
    StageShell.Reset();
    ResetInput();
    KeyConfig = KEYCONFIG{};
    MenuCursor.Reset();
    static_cast<cSceneFlow&>(SceneManager) = cSceneFlow();
    SystemIni = SYSTEMINI{};
    OptionData = cOptionData();
    BootData = cBootData();
    WindowData = cWindowData();
    ResetShellState();
}

}  // namespace testsupport
