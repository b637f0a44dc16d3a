// The save data's operations on the run's progress: stage keys, best scores, retry points, laps
// and the ranking genre selection.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"

namespace {

// Scores and counters come from user files as well: sums are kept within int32 instead of
// overflowing.
std::int32_t ClampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The project's retry switch for a play kind; kinds without one count as on.
bool RetryRestoresVariables(int nPlayKind, bool bDirectPlay)
{
    if (bDirectPlay) return SystemData.bRetryRestoreDirect != 0;
    switch (nPlayKind) {
    case cSaveData::kPlayStory: return SystemData.bRetryRestoreStory != 0;
    case cSaveData::kPlayChallenge: return SystemData.bRetryRestoreChallenge != 0;
    case cSaveData::kPlayFree: return SystemData.bRetryRestoreFree != 0;
    default: return true;
    }
}

}  // namespace

void cSaveData::SetStageFile(const char* szPath)
{
    const std::string path = szPath != nullptr ? szPath : "";
    strStage = path;
    bWorldRun = 0;
    for (std::size_t i = path.size(); i >= 2; --i) {
        if (path[i - 2] == '-' && path[i - 1] == '1') {
            bWorldRun = 1;
            strStage = path.substr(0, i - 2) + '.';
            return;
        }
    }
    if (!path.empty()) {
        const std::size_t dot = path.rfind('.');
        strStage = dot == std::string::npos ? std::string() : path.substr(0, dot + 1);
    }
}

void cSaveData::SetHighScore(const std::string& key, int nValue)
{
    for (cStageBest& best : StageBest) {
        if (best.strName == key) {
            if (best.nValue < nValue) {
                nBestTotal = ClampToInt32(std::int64_t{nBestTotal} + nValue - best.nValue);
                best.nValue = nValue;
            }
            return;
        }
    }
    StageBest.emplace_back(key, nValue);
    nBestTotal = ClampToInt32(std::int64_t{nBestTotal} + nValue);
}

int cSaveData::GetHighScore(const std::string& key) const
{
    for (const cStageBest& best : StageBest) {
        if (best.strName == key) {
            return best.nValue;
        }
    }
    return 0;
}

void cSaveData::CalcTotalScore()
{
    std::int64_t total = 0;
    for (const cStageBest& best : StageBest) {
        if (WorldMap.HasStageKey(best.strName)) {
            total += best.nValue;
        }
    }
    nBestTotal = ClampToInt32(total);
}

void cSaveData::SaveRetryPoint()
{
    RetryVar = Var;
    nRetryLives = nLives;
    nRetryRunScore = nRunScore;
}

int cSaveData::LoadRetryPoint(bool bForce, int nPlayKind, bool bDirectPlay)
{
    if (bForce) {
        Var = RetryVar;
        nLives = nRetryLives;
    } else if (RetryRestoresVariables(nPlayKind, bDirectPlay)) {
        Var = RetryVar;
    }
    // A retry point never taken holds no variables; the variables keep their full length.
    KeepListLengths();
    nRunScore = nRetryRunScore;
    return nRunScore;
}

void cSaveData::StartNextLap()
{
    nLap = ClampToInt32(std::int64_t{nLap} + 1);
    std::fill(StageClear.begin(), StageClear.end(), 0);
    nMapX = WorldMap.nStartX;
    nMapY = WorldMap.nStartY;
}

void cSaveData::StepSelection(int nKind, int nStep)
{
    const cVector<std::uint8_t>& flags = SystemData.RankingRows[nKind].GenreFlags;
    auto enabled = [&flags](int k) { return k >= 0 && k < static_cast<int>(flags.size()) && flags[k] != 0; };
    bool any = false;
    for (int k = 0; k < kRankingGenreCount; ++k) {
        any = any || enabled(k);
    }
    if (!any) {
        return;
    }
    auto step = [this](int d) {
        const std::int64_t k = std::int64_t{nRankingKind} + d;
        nRankingKind = k < 0 ? kRankingGenreCount - 1 : k >= kRankingGenreCount ? 0 : static_cast<int>(k);
    };
    if (nStep == 0) {
        while (!enabled(nRankingKind)) {
            step(1);
        }
        return;
    }
    const int direction = nStep > 0 ? 1 : -1;
    for (long long i = 0; i < (nStep > 0 ? nStep : -static_cast<long long>(nStep)); ++i) {
        do {
            step(direction);
        } while (!enabled(nRankingKind));
    }
}
