// The ranking entry at a stage end: the name (fixed, or entered in the shell's dialog), the
// results inserted into the tables they reached a place in, the file saved once, then the
// ranking display.
#include "core/ReportLog.h"
#include "definitions/cEdStage.h"
#include "project/cSaveData.h"
#include "sound/SoundEffects.h"
#include "stage/cSceneStage.h"
#include "stage/ranking/IRankingShell.h"
#include "stage/ranking/cRanking.h"

IRankingShell* lpRankingShell = nullptr;

namespace {}  // namespace

int cSceneStage::RankingMode() const
{
    const int nMode = lpRankingShell != nullptr ? lpRankingShell->RegistrationMode() : 0;
    return nMode >= 0 && nMode <= 3 ? nMode : 0;
}

bool cSceneStage::RankReached() const
{
    for (int n : m_RankReached) {
        if (n != -1) {
            return true;
        }
    }
    return false;
}

int cSceneStage::EntryRanking()
{
    if (!SceneFlow().m_bRanking || !m_bNewRank || m_bRankEntered) {
        return 0;
    }
    const int nMode = RankingMode();
    if (nMode == 1 || nMode == 3) {
        m_RankName = lpRankingShell->FixedName();
    } else {
        m_RankName = SaveData.strName;
        if (lpRankingShell != nullptr) {
            lpRankingShell->AskName(m_RankName);
        }
        SaveData.strName = m_RankName;
    }
    PlaySE(SE_RANKING_ENTRY);
    const int nTables = static_cast<int>(Ranking.m_Tables.size());
    for (int i = 0; i < kRankTables && i < nTables && i < static_cast<int>(m_RankReached.size()); ++i) {
        if (m_RankReached[static_cast<std::size_t>(i)] != -1 && i < static_cast<int>(m_RankValue.size())) {
            Ranking.m_Tables[i].Insert(m_RankName, m_RankValue[static_cast<std::size_t>(i)]);
        }
    }
    const std::string name = RankingStageName(Stage.m_strPath);
    if (!Ranking.SaveFile(SceneFlow().m_nPlayKind, name.c_str())) {
        ReportLog("The ranking file of %s could not be written", name.c_str());
    }
    m_bRankEntered = 1;
    RunRanking();
    return 1;
}
