#include "project/DefinitionContextFill.h"

#include <cstdint>

#include "definitions/DefinitionContext.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"

void FillDefinitionContext(int bTestPlayMode)
{
    DefinitionContext = DEFINITIONCONTEXT{};
    const std::size_t counts[DB_TABLECOUNT] = {
        Database.AnimeSet.size(), Database.Anime.size(),       Database.Bmp_CharaExc.size(), Database.SwordType.size(),
        Database.Effect.size(),   Database.CharaEffect.size(), Database.ScrEffect.size(),    Database.Picture.size(),
        Database.Sound.size(),    Database.Bgm.size(),
    };
    for (int t = 0; t < DB_TABLECOUNT; ++t) {
        DefinitionContext.nTableCount[t] = static_cast<int>(counts[t]);
    }
    for (const cDbSwordType& sword : Database.SwordType) {
        std::int64_t time = 0;
        for (const cDbSwordFrame& frame : sword.FrameList) {
            time += frame.nTime;
        }
        DefinitionContext.SwordTypeTime.push_back(time);
    }
    DefinitionContext.bKeepTestPlayFlows = SystemData.bKeepTestPlayFlows;
    DefinitionContext.bTestPlayMode = bTestPlayMode;
}
