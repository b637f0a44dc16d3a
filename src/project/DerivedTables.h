// The run-time tables derived from the database at start-up, right after cDatabase::Load:
// the animation and effect patterns the animation player plays, and the prepared working
// values of the character and screen effects. Built once on the main thread before the game
// thread starts; only read afterwards.
#pragma once

#include "core/cVector.h"
#include "project/CharaEffectWork.h"
#include "project/PatternStep.h"
#include "project/ScrEffectWork.h"

using PatternTable = cVector<cVector<PATTERNSTEP>>;

// One pattern per Anime entry and per Effect entry, same index.
extern PatternTable AnimePattern;
extern PatternTable EffectPattern;
// One entry per CharaEffect entry (per ScrEffect entry), same index, run forward and reversed.
// They point into Database.CharaEffect, CharaEffectRev, ScrEffect and ScrEffectRev, so none of
// those four tables is resized or reassigned after they are built.
extern cVector<CHARAEFFECTWORK> CharaEffectWork;
extern cVector<CHARAEFFECTWORK> CharaEffectWorkRev;
extern cVector<SCREFFECTWORK> ScrEffectWork;
extern cVector<SCREFFECTWORK> ScrEffectWorkRev;

// The start-up after a successful cDatabase::Load, in this order: CharaEffectRev and
// ScrEffectRev become copies of CharaEffect and ScrEffect, then BuildAnimePattern,
// BuildEffectPattern, BuildCharaEffectWork and BuildScrEffectWork fill the globals above.
void BuildDerivedTables();

// Pattern i from the frames of Database.Anime entry i: step j = {cell, time x 6 frames, lock},
// the lock 0 up to the first frame with its lock flag set and 1 from there on, closed by
// {-4, 0, 0}. Entry 0 shows its frames without waiting, locked, and loops: steps {cell, 0, 1}
// closed by {-2, 0, 1}.
void BuildAnimePattern(PatternTable& patterns);
// The same from the frames of Database.Effect, never locked except entry 0, which loops as above.
void BuildEffectPattern(PatternTable& patterns);
// Entry i of forward and reversed prepared with CHARAEFFECTWORK::Init (i, 0) and (i, 1). Exchanges
// start and end values inside Database.CharaEffectRev: call once per copy of the table.
void BuildCharaEffectWork(cVector<CHARAEFFECTWORK>& forward, cVector<CHARAEFFECTWORK>& reversed);
// The same for the screen effects with SCREFFECTWORK::Init and Database.ScrEffectRev.
void BuildScrEffectWork(cVector<SCREFFECTWORK>& forward, cVector<SCREFFECTWORK>& reversed);
