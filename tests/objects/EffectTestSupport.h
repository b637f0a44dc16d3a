// Shared by the effect tests: CharaEffect, ScrEffect and Effect entries written into the database
// and the derived tables rebuilt from them, as the start-up does, and the frame on which a value
// moving by the Parts' step passes its end.
#pragma once

#include <array>
#include <vector>

#include "objects/IEffectStage.h"
#include "objects/cStageField.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"

namespace effecttest {

struct PARAMENTRY {
    int nKind;
    std::array<int, 5> p;
};

// Entry 0 stays the empty entry; the given entries become 1, 2, ...
inline void UseEffects(const std::vector<PARAMENTRY>& chara, const std::vector<PARAMENTRY>& screen)
{
    Database.SetDefault();
    Database.CharaEffect.resize(1);
    Database.CharaEffect[0].nKind = 0;
    for (const PARAMENTRY& e : chara) {
        cDbCharaEffect entry;
        entry.nKind = e.nKind;
        for (int i = 0; i < 5; ++i) entry.nParam[i] = e.p[static_cast<size_t>(i)];
        Database.CharaEffect.push_back(entry);
    }
    Database.ScrEffect.resize(1);
    Database.ScrEffect[0].nKind = 0;
    for (const PARAMENTRY& e : screen) {
        cDbScrEffect entry;
        entry.nKind = e.nKind;
        for (int i = 0; i < 5; ++i) entry.nParam[i] = e.p[static_cast<size_t>(i)];
        Database.ScrEffect.push_back(entry);
    }
    BuildDerivedTables();
}

// An Effect entry of cells w x h with frames {cell, tenths}; returns its number.
inline int AddEffect(int w, int h, const std::vector<std::array<int, 2>>& frames, int bScalable = 0)
{
    cDbEffect entry;
    entry.nCellWidth = w;
    entry.nCellHeight = h;
    entry.bScalable = bScalable;
    for (const auto& f : frames) {
        cDbEffectFrame frame;
        frame.nCell = f[0];
        frame.nTime = f[1];
        entry.FrameList.push_back(frame);
    }
    Database.Effect.push_back(entry);
    BuildEffectPattern(EffectPattern);
    return static_cast<int>(Database.Effect.size()) - 1;
}

// The call (1-based) on which a value moved from `from` toward `to` by |to - from| / (tenths x 6)
// per call, exactly as a double summed call by call, first lies beyond `to`. bTruncated compares
// the truncated value (the screen effects).
inline int CallPassingEnd(int from, int to, int tenths, bool bTruncated = false)
{
    const double step = (to > from ? to - from : from - to) / (tenths * 6.0);
    double v = from;
    for (int n = 1; n < 100000; ++n) {
        v += to >= from ? step : -step;
        const double cmp = bTruncated ? static_cast<double>(static_cast<int>(v)) : v;
        if (to >= from ? cmp > to : cmp < to) return n;
    }
    return -1;
}

struct WAITCALL {
    int nMode;
    int bWaitKey;
    int nCount;
};

// The stage screen's side of the effect commands, recorded.
class RecordingEffectStage : public IEffectStage {
public:
    int EffectQuitRequested() const override { return quit; }
    void RunEffectWait(int nMode, int bWaitKey, int nCount) override
    {
        waits.push_back({nMode, bWaitKey, nCount});
        effectsDuringWait = lpStageField != nullptr ? static_cast<int>(lpStageField->m_EffectList.size()) : -1;
        picturesDuringWait = lpStageField != nullptr ? static_cast<int>(lpStageField->m_PictureList.size()) : -1;
    }
    void SetScreenColor(const cEdCommand&) override { ++screenColours; }
    void ScreenEffectStarted(int nNumber) override { started.push_back(nNumber); }
    void PlayStageBgm(int nEntry, int nFlag) override { bgm.push_back({nEntry, nFlag, 0}); }

    int quit = 0;
    std::vector<WAITCALL> waits;
    int effectsDuringWait = -1;
    int picturesDuringWait = -1;
    int screenColours = 0;
    std::vector<int> started;
    std::vector<WAITCALL> bgm;
};

}  // namespace effecttest
