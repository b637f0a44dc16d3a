// The deaths of a running stage: the outcome of one character's death, the death check after
// commands changed HP, and the stage end with its ranking places. Game thread.
#include "objects/StageObjects.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"
#include "stage/ranking/cRanking.h"

namespace {

bool IsHero(const cCharaBase& chara)
{
    return !Player.empty() && &chara == &Player.data()[P1];
}

}  // namespace

int cSceneStage::ResolveDeath(cCharaBase& chara)
{
    // A player-operated object, the hero or a stage character steered by a player, costs the
    // player the play.
    if (IsHero(chara) || !chara.IsComputer()) {
        return 2;
    }
    if (chara.dying) {
        return 0;
    }
    return chara.Die();
}

int cSceneStage::KillChara(cCharaBase& chara, std::list<cChara>& list)
{
    (void)list;
    const int r = ResolveDeath(chara);
    if (r == 1) {
        EndStage();
        EnterClearState();
    } else if (r == 2) {
        PlayerDies(nullptr);
    }
    return r;
}

int cSceneStage::DefeatChara(std::list<cChara>::iterator& pos)
{
    const int r = KillChara(*pos, CharaList);
    if (SystemData.bDefeatVariant != 0) {
        if (r == 1) {
            pos = EraseChara(CharaList, pos);
        } else {
            PlaySE(SE_CHARA_DEAD);
            ++pos;
        }
    } else {
        pos = EraseChara(CharaList, pos);
    }
    return r;
}

int cSceneStage::CheckDeaths()
{
    cPlayer& hero = Player.data()[P1];
    if (hero.hp <= 0) {
        PlayerDies(nullptr);
        return 1;
    }
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        if (it->vanished) {
            it = EraseChara(CharaList, it);
            continue;
        }
        // A character already dying was handled when it died; only new deaths count.
        if (it->hp > 0 || it->dying) {
            ++it;
            continue;
        }
        if (DefeatChara(it) != 0) {
            return 1;
        }
    }
    return 0;
}

void cSceneStage::EndStage()
{
    PlaySE(SE_STAGE_CLEAR);
    AddStageTotals();
    m_bRankEntered = 0;
    m_bNewRank = 0;
    m_RankReached.assign(kRankTables, -1);
    if (!StageShell.bDirectPlay) {
        // The rankings wait for the last stage of the run.
        if (!SceneFlow().m_bRanking || !IsLastStage(m_nNextStage)) {
            return;
        }
    }
    m_RankValue = {SaveData.nRunScore, SaveData.nRunValue1, SaveData.nRunValue2, SaveData.nRunValue3,
                   SaveData.nRunValue4};
    if (StageShell.bTestPlay) {
        return;
    }
    const int nKind = SceneFlow().m_nPlayKind;
    const bool rowOk = nKind >= 0 && nKind < static_cast<int>(SystemData.RankingRows.size());
    for (int i = 0; i < kRankTables && rowOk; ++i) {
        const cRankingRow& row = SystemData.RankingRows.data()[nKind];
        const bool genreOn = i < static_cast<int>(row.GenreFlags.size()) && row.GenreFlags.data()[i] != 0;
        const bool stageOn = i < static_cast<int>(Stage.m_Ranking.size()) && Stage.m_Ranking.data()[i] != 0;
        if (!genreOn || !stageOn || i >= static_cast<int>(Ranking.m_Tables.size())) {
            continue;
        }
        m_RankReached[static_cast<std::size_t>(i)] =
            Ranking.m_Tables.data()[i].FindRank(m_RankValue[static_cast<std::size_t>(i)]);
        if (m_RankReached[static_cast<std::size_t>(i)] != -1) {
            m_bNewRank = 1;
        }
    }
}
