#include "project/DerivedTables.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "project/cDatabase.h"

PatternTable AnimePattern;
PatternTable EffectPattern;
cVector<CHARAEFFECTWORK> CharaEffectWork;
cVector<CHARAEFFECTWORK> CharaEffectWorkRev;
cVector<SCREFFECTWORK> ScrEffectWork;
cVector<SCREFFECTWORK> ScrEffectWorkRev;

namespace {

// Frames per tenth of a second.
constexpr std::int64_t kFramesPerTenth = 6;

// A stored time in tenths as frames, held within int32 whatever the file stored.
std::int32_t TenthsToFrames(std::int32_t nTenths)
{
    std::int64_t frames = static_cast<std::int64_t>(nTenths) * kFramesPerTenth;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, INT32_MIN, INT32_MAX));
}

// The step that closes a pattern: entry 0 loops, every other entry plays once.
PATTERNSTEP ClosingStep(int nEntry)
{
    return nEntry == 0 ? PATTERNSTEP{kPatternLoop, 0, 1} : PATTERNSTEP{kPatternEnd, 0, 0};
}

// Fills one pattern per entry of table from its frame list; lockOf (frame) tells whether a
// frame locks the pattern from itself to the end.
template <class Entry, class LockOf>
void BuildPatterns(PatternTable& patterns, cVector<Entry>& table, LockOf lockOf)
{
    patterns.clear();
    patterns.resize(table.size());
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const auto& frames = table[i].FrameList;
        cVector<PATTERNSTEP>& steps = patterns[i];
        steps.resize(frames.size() + 1);
        std::int32_t locked = 0;
        for (int j = 0; j < static_cast<int>(frames.size()); ++j) {
            locked = (locked != 0 || lockOf(frames[j])) ? 1 : 0;
            steps[j].nFrame = frames[j].nCell;
            steps[j].nTime = i == 0 ? 0 : TenthsToFrames(frames[j].nTime);
            steps[j].bLock = i == 0 ? 1 : locked;
        }
        steps[static_cast<int>(frames.size())] = ClosingStep(i);
    }
}

// Sizes both vectors to count zero-filled entries and prepares entry i of each.
template <class Work>
void BuildWork(cVector<Work>& forward, cVector<Work>& reversed, std::size_t count)
{
    forward.clear();
    reversed.clear();
    forward.resize(count);
    reversed.resize(count);
    for (int i = 0; i < static_cast<int>(count); ++i) {
        forward[i].Init(i, 0);
        reversed[i].Init(i, 1);
    }
}

}  // namespace

void BuildDerivedTables()
{
    Database.CharaEffectRev = Database.CharaEffect;
    Database.ScrEffectRev = Database.ScrEffect;
    BuildAnimePattern(AnimePattern);
    BuildEffectPattern(EffectPattern);
    BuildCharaEffectWork(CharaEffectWork, CharaEffectWorkRev);
    BuildScrEffectWork(ScrEffectWork, ScrEffectWorkRev);
}

void BuildAnimePattern(PatternTable& patterns)
{
    BuildPatterns(patterns, Database.Anime, [](const cDbAnimeFrame& frame) { return frame.bLock != 0; });
}

void BuildEffectPattern(PatternTable& patterns)
{
    BuildPatterns(patterns, Database.Effect, [](const cDbEffectFrame&) { return false; });
}

void BuildCharaEffectWork(cVector<CHARAEFFECTWORK>& forward, cVector<CHARAEFFECTWORK>& reversed)
{
    BuildWork(forward, reversed, Database.CharaEffect.size());
}

void BuildScrEffectWork(cVector<SCREFFECTWORK>& forward, cVector<SCREFFECTWORK>& reversed)
{
    BuildWork(forward, reversed, Database.ScrEffect.size());
}
