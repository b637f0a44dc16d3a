// The game's database: the ten tables the editor keeps in "data\database\" (animation sets,
// animations, character bitmaps, sword types, effects, character effects, screen effects,
// pictures, sounds, music), read once at start-up and only read afterwards. Everything else
// names an entry by its index in its table; entry 0 of each table stands for "none".
//
// The player never writes the table files. The two reversed copies of the effect tables are
// made at start-up (see DerivedTables.h) and live here beside the tables they copy.
//
// Threads: loaded on the main thread before the game thread starts; afterwards only read (the
// game thread, and the main thread for Bgm entries).
#pragma once

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cDbAnime.h"
#include "project/cDbAnimeSet.h"
#include "project/cDbBgm.h"
#include "project/cDbBmpCharaExc.h"
#include "project/cDbCharaEffect.h"
#include "project/cDbEffect.h"
#include "project/cDbPicture.h"
#include "project/cDbScrEffect.h"
#include "project/cDbSound.h"
#include "project/cDbSwordType.h"

class cDatabase : public cDataRecord {
public:
    cVector<cDbAnimeSet> AnimeSet;
    cVector<cDbAnime> Anime;
    cVector<cDbBmpCharaExc> Bmp_CharaExc;
    cVector<cDbSwordType> SwordType;
    cVector<cDbEffect> Effect;
    cVector<cDbCharaEffect> CharaEffect;
    cVector<cDbScrEffect> ScrEffect;
    cVector<cDbPicture> Picture;
    cVector<cDbSound> Sound;
    cVector<cDbBgm> Bgm;
    // Copies of CharaEffect and ScrEffect prepared for reversed runs; empty until start-up.
    cVector<cDbCharaEffect> CharaEffectRev;
    cVector<cDbScrEffect> ScrEffectRev;

    // The default contents (SetDefault); the reversed copies empty.
    cDatabase();

    // The container registers no members of its own and is never read or written as one record.
    void RegisterMembers(int nVersion) override;
    using cDataRecord::Load;

    // Replaces the ten tables with the default contents: one animation set, two animations
    // ("なし", "アクションA"), two character bitmaps, one sword type, two effects, two character
    // effects, two screen effects, two pictures, two sounds, two pieces of music.
    void SetDefault();

    // Start-up: reads the ten table files from "data\database\" in the order AnimeSet, Anime,
    // Bmp_CharaExc, SwordType, Effect, CharaEffect, ScrEffect, Picture, Sound, Bgm, then
    // ClearEffectZero. At the first file that cannot be read shows the error box
    // "<path> のロードに失敗！" and returns 0 at once; the later tables keep what they held.
    // 1 when all ten were read. Called once, by the start-up, with nDataVersion and bRemoveCR set.
    int Load();

    // Entry 0 of CharaEffect and of ScrEffect becomes kind 0 (no effect), whatever the file held.
    void ClearEffectZero();
};

// The one database of the program, built with the default contents at static construction.
extern cDatabase Database;
