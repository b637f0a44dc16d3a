#include "objects/effect/cPatternAnime.h"

void cPatternAnime::SetPatterns(const PatternTable* table)
{
    if (table == nullptr) {
        return;
    }
    patterns.clear();
    patterns.resize(table->size());
    for (std::size_t j = 0; j < table->size(); ++j) {
        const cVector<PATTERNSTEP>& source = table->data()[j];
        cVector<PATTERNSTEP>& steps = patterns.data()[j];
        for (const PATTERNSTEP& step : source) {
            steps.push_back(step);
            if (step.nFrame < 0) {
                break;
            }
        }
        if (steps.empty() || steps.back().nFrame >= 0) {
            // A pattern must end in a control step; one without loops, as the databases close
            // their patterns.
            steps.push_back(PATTERNSTEP{kPatternLoop, 0, steps.empty() ? 0 : steps.back().bLock});
        }
    }
    pattern = 0;
    entry = 0;
    tick = 0;
}

int cPatternAnime::SetPattern(int n, int force)
{
    if (!force && !patterns.empty() && patterns[pattern][entry].bLock != 0) {
        return 0;
    }
    pattern = n;
    entry = 0;
    tick = 0;
    return 1;
}

int cPatternAnime::ChangePattern(int n, int force)
{
    if (n == pattern) {
        return 1;
    }
    return SetPattern(n, force);
}

bool cPatternAnime::HasFrames() const
{
    const cVector<PATTERNSTEP>& steps = patterns[pattern];
    return !steps.empty() && steps.data()[0].nFrame >= 0;
}

int cPatternAnime::Step()
{
    if (patterns.empty() || !HasFrames()) {
        return 0;
    }
    const cVector<PATTERNSTEP>& steps = patterns[pattern];
    if (steps[entry].nFrame < 0) {
        // The end (or a code this player does not know): the pattern stays where it is.
        return steps[entry].nFrame;
    }
    ++tick;
    if (tick >= steps[entry].nTime) {
        tick = 0;
        ++entry;
        FollowControl();
    }
    return GetFrame();
}

void cPatternAnime::FollowControl()
{
    const PATTERNSTEP& step = patterns[pattern][entry];
    switch (step.nFrame) {
    case kPatternJump:
        if (step.nTime >= 0 && static_cast<std::size_t>(step.nTime) < patterns.size()) {
            SetPattern(step.nTime, 1);
        } else {
            // A jump to a pattern that does not exist holds the last cell instead.
            entry = entry > 0 ? entry - 1 : 0;
        }
        break;
    case kPatternLoop: entry = 0; break;
    case kPatternHold: entry = entry > 0 ? entry - 1 : 0; break;
    default: break;
    }
}

int cPatternAnime::GetFrame() const
{
    if (patterns.empty() || !HasFrames()) {
        return 0;
    }
    return patterns[pattern][entry].nFrame;
}

void cPatternAnime::Clear()
{
    patterns.clear();
    pattern = 0;
    entry = 0;
    tick = 0;
}
