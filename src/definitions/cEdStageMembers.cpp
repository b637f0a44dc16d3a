// The stage record's registration (the file order of its header) and the defaults of a new stage.
#include "definitions/cEdStage.h"

namespace {

// First file versions of the members added after the first stage files.
constexpr int kBgmLoopVersion = 166;
constexpr int kBgmKeepVersion = 199;
constexpr int kShowHudVersion = 183;
constexpr int kSkipResultsVersion = 184;
constexpr int kReadyBannerVersion = 225;
constexpr int kFlyRangeVersion = 155;
constexpr int kBodyRectVersion = 200;

}  // namespace

void cEdStage::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&m_strText, 1);
    // Members of every version, and members a version added: registered only from it on.
    auto always = [this](auto& member) {
        if constexpr (sizeof(member) == 8) {
            AddQwordMember(&member, 1);
        } else {
            AddDwordMember(&member, 1);
        }
    };
    auto from = [&](int nFrom, auto& member) {
        if (nVersion >= nFrom) {
            always(member);
        }
    };

    always(m_nWidth);
    always(m_nReserved0);
    always(m_nReserved1);
    always(m_nHeight);
    always(m_bLimitLeft);
    always(m_bLimitRight);
    always(m_bLimitTop);
    always(m_bLimitBottom);
    always(m_nLimitLeft);
    always(m_nLimitRight);
    always(m_nLimitTop);
    always(m_nLimitBottom);
    always(m_nFps);
    always(m_bTimeLimit);
    always(m_nTimeLimit);
    always(m_nTimeWarning);
    always(m_bAutoScrollX);
    always(m_bAutoScrollY);
    always(m_nAutoScrollSpeedX);
    always(m_nAutoScrollSpeedY);
    always(m_dGravity);
    always(m_nSpeedLevel);
    always(m_nContactLevel);
    always(m_nBgm);
    from(kBgmLoopVersion, m_bBgmLoop);
    from(kBgmKeepVersion, m_bBgmKeep);
    always(m_bDrawByPriority);
    always(m_bTakeOverHero);
    always(m_bHandOverHero);
    from(kShowHudVersion, m_bShowHud);
    from(kSkipResultsVersion, m_bSkipResults);
    always(m_bStartBanner);
    from(kReadyBannerVersion, m_bReadyBanner);
    always(m_bClearCaption);
    always(m_bGameOverCaption);

    from(kBodyRectVersion, m_nHeroBodyW);
    from(kBodyRectVersion, m_nHeroBodyH);
    from(kBodyRectVersion, m_nHeroBodyFlyW);
    from(kBodyRectVersion, m_nHeroBodyFlyH);
    always(m_nHeroCharaRangeW);
    always(m_nHeroCharaRangeH);
    from(kFlyRangeVersion, m_nHeroCharaRangeFlyW);
    from(kFlyRangeVersion, m_nHeroCharaRangeFlyH);
    always(m_nHeroShotRangeW);
    always(m_nHeroShotRangeH);
    always(m_nHeroRect4W);
    always(m_nHeroRect4H);
    from(kBodyRectVersion, m_nHeroBodyAlign);
    from(kBodyRectVersion, m_nHeroBodyFlyAlign);
    from(kFlyRangeVersion, m_nHeroCharaRangeAlign);
    from(kFlyRangeVersion, m_nHeroCharaRangeFlyAlign);
    from(kBodyRectVersion, m_nHeroShow0);
    always(m_nHeroShow1);
    always(m_nHeroShow2);
    always(m_nHeroShow3);
    from(kBodyRectVersion, m_nHeroColor0);
    always(m_nHeroColor1);
    always(m_nHeroColor2);
    always(m_nHeroColor3);
    from(kBodyRectVersion, m_nCharaBodyW);
    from(kBodyRectVersion, m_nCharaBodyH);
    from(kBodyRectVersion, m_nCharaBodyFlyW);
    from(kBodyRectVersion, m_nCharaBodyFlyH);
    always(m_nCharaCharaRangeW);
    always(m_nCharaCharaRangeH);
    from(kFlyRangeVersion, m_nCharaCharaRangeFlyW);
    from(kFlyRangeVersion, m_nCharaCharaRangeFlyH);
    always(m_nCharaShotRangeW);
    always(m_nCharaShotRangeH);
    from(kBodyRectVersion, m_nCharaBodyAlign);
    from(kBodyRectVersion, m_nCharaBodyFlyAlign);
    from(kFlyRangeVersion, m_nCharaCharaRangeAlign);
    from(kFlyRangeVersion, m_nCharaCharaRangeFlyAlign);
    always(m_nItemW);
    always(m_nItemH);
    always(m_nHeroShotW);
    always(m_nHeroShotH);
    always(m_nHeroShotParam0);
    always(m_nHeroShotParam1);
    always(m_nCharaShotW);
    always(m_nCharaShotH);
    always(m_nCharaShotParam0);
    always(m_nCharaShotParam1);
    always(m_nRectFlag);

    always(m_nFieldWidthPx);
    always(m_nFieldHeightPx);
    always(m_nSubSteps);
    always(m_dSubSteps);
    always(m_dSubSteps2);
    always(m_dMaxSpeed);
    always(m_dSubGravity);
    always(m_dSubMaxSpeed);
    always(m_nSubSteps8);
    always(m_nContactFlag);
    always(m_nHeroInvSame);
    always(m_nHeroInv);
    always(m_nCharaInvSame);
    always(m_nCharaInv);
}

void cEdStage::Reset()
{
    Clear();
    m_PlacedBlock.clear();
    m_PlacedChara.clear();
    m_PlacedItem.clear();
    m_PaletteBlock.Reset(1);
    m_PaletteChara.Reset(1);
    m_PaletteItem.Reset(1);

    m_nTimeLimit = 200;
    m_bTimeLimit = 0;
    m_nTimeWarning = 20;
    m_dGravity = 0.4;
    m_nFps = 60;
    m_nSpeedLevel = 10;
    m_nContactLevel = 0;
    m_bDrawByPriority = 1;
    m_nContactFlag = 1;
    m_bShowHud = 1;
    m_bSkipResults = 0;
    m_bStartBanner = 0;
    m_bReadyBanner = 1;
    m_bClearCaption = 1;
    m_bGameOverCaption = 1;
    m_nHeroInvSame = 30;
    m_nHeroInv = 0;
    m_nCharaInvSame = 30;
    m_nCharaInv = 0;

    // A new stage shows a plain area of palette colour 16.
    m_Background.Reset(1);
    m_Background[0].m_bFill = 1;

    m_Ranking.assign(kRankingCount, 1);

    for (int i = OFFSCREEN_CHARA; i <= OFFSCREEN_ITEM; ++i) {
        m_OffScreen[i].Set(0, 0, 0, 0, 0, 0, 0, 0);
    }
    m_OffScreen[OFFSCREEN_HERO_SHOT].Set(1, 1, 1, 1, 0, 0, 0, 0);
    m_OffScreen[OFFSCREEN_CHARA_SHOT].Set(1, 1, 1, 1, 10, 10, 10, 10);

    m_nHeroBodyW = 16;
    m_nHeroBodyH = 24;
    m_nHeroBodyFlyW = 16;
    m_nHeroBodyFlyH = 16;
    m_nHeroCharaRangeW = 16;
    m_nHeroCharaRangeH = 24;
    m_nHeroCharaRangeFlyW = 16;
    m_nHeroCharaRangeFlyH = 16;
    m_nHeroShotRangeW = 12;
    m_nHeroShotRangeH = 8;
    m_nHeroRect4W = 16;
    m_nHeroRect4H = 16;
    m_nHeroBodyAlign = 1;
    m_nHeroBodyFlyAlign = 0;
    m_nHeroCharaRangeAlign = 1;
    m_nHeroCharaRangeFlyAlign = 0;
    m_nCharaBodyW = 16;
    m_nCharaBodyH = 24;
    m_nCharaBodyFlyW = 16;
    m_nCharaBodyFlyH = 16;
    m_nCharaCharaRangeW = 12;
    m_nCharaCharaRangeH = 24;
    m_nCharaCharaRangeFlyW = 12;
    m_nCharaCharaRangeFlyH = 16;
    m_nCharaShotRangeW = 30;
    m_nCharaShotRangeH = 30;
    m_nCharaBodyAlign = 1;
    m_nCharaBodyFlyAlign = 0;
    m_nCharaCharaRangeAlign = 1;
    m_nCharaCharaRangeFlyAlign = 0;
    m_nItemW = 28;
    m_nItemH = 28;
    m_nHeroShotW = m_nHeroShotH = m_nHeroShotParam0 = m_nHeroShotParam1 = 16;
    m_nCharaShotW = m_nCharaShotH = m_nCharaShotParam0 = m_nCharaShotParam1 = 16;
    m_nRectFlag = 1;
}
