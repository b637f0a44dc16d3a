// Stepping of the text objects: set-up, escapes, duration, refresh, position and clamp.
#include "objects/cTextObj.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/TextHelpers.h"
#include "objects/StageObjects.h"
#include "objects/cGameObject.h"
#include "objects/cStageField.h"
#include "project/cSaveData.h"

namespace {

enum {
    POS_CENTRE = 0,
    POS_ABOVE_SELF = 1,
    POS_BELOW_SELF = 2,
    POS_ON_SELF = 3,
    POS_ABOVE_HERO = 4,
    POS_BELOW_HERO = 5,
    POS_ON_HERO = 6,
    POS_SCREEN = 7,
    POS_STAGE = 8,
};
constexpr int kDurationTimed = 2;
constexpr int kIconSize = 16;
constexpr int kIconFrames = 30;
constexpr int kFieldMargin = 320;  // 10 cells
constexpr int kHudLine = 20;       // the top line stays free for the heads-up display
// Variables an escape can name: 1..255.
constexpr int kLastEscapeVariable = 255;
// Digits of a variable number beyond which the escape can name no variable any more.
constexpr int kNumberCap = 100000;

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// One escape starting at the '#' at i.
struct ESCAPE {
    std::size_t end = 0;  // past its last character
    bool bCommon = false;
    bool bStage = false;
    bool bNumber = false;
    int nNumber = 0;
    int nWidth = 0;
    bool bPlus = false;
    bool bZeros = false;
};

ESCAPE ReadEscape(const std::string& text, std::size_t i)
{
    ESCAPE e;
    bool bFormat = false;
    std::size_t j = i + 1;
    for (; j < text.size(); ++j) {
        const char c = text[j];
        if (IsDigit(c)) {
            if (bFormat) {
                e.nWidth = c - '0';
            } else {
                e.nNumber = std::min(e.nNumber * 10 + (c - '0'), kNumberCap);
                e.bNumber = true;
            }
        } else if (c == 'C' || c == 'c') {
            e.bCommon = true;
        } else if (c == 'S' || c == 's') {
            e.bStage = true;
        } else if (c == '_') {
            bFormat = true;
        } else if (bFormat && (c == 'P' || c == 'p')) {
            e.bPlus = true;
        } else if (bFormat && (c == 'Z' || c == 'z')) {
            e.bZeros = true;
        } else {
            if (c == '.') ++j;
            break;
        }
    }
    e.end = j;
    return e;
}

// The value the escape names; false when it names no existing variable.
bool EscapeValue(const ESCAPE& e, std::int32_t& value)
{
    if (!e.bNumber || e.nNumber < 1 || e.nNumber > kLastEscapeVariable) return false;
    if (e.bCommon) {
        if (e.nNumber >= static_cast<int>(SaveData.Var.size())) return false;
        value = SaveData.Var[e.nNumber];
        return true;
    }
    if (e.bStage && lpStageField != nullptr) {
        // The stage has fewer variables than an escape can name: the last ones stay text.
        if (e.nNumber >= static_cast<int>(lpStageField->m_StageVar.size())) return false;
        value = lpStageField->m_StageVar[e.nNumber];
        return true;
    }
    return false;
}

int ScrollX()
{
    return static_cast<int>(CameraX().dPos);
}

int ScrollY()
{
    return static_cast<int>(CameraY().dPos);
}

}  // namespace

cTextObj::cTextObj(const TEXTOBJPARAMS& params)
{
    Setup(params, false);
}

void cTextObj::Setup(const TEXTOBJPARAMS& params, bool bReuseSurface)
{
    nKind = params.nKind;
    nIconSheet = params.nIconSheet;
    nIconIndex = params.nIconIndex;
    nIconSub = params.nIconSub;
    nPosMode = params.nPosMode;
    nCellX = params.nCellX;
    nCellY = params.nCellY;
    nDotX = params.nDotX;
    nDotY = params.nDotY;
    bClamp = params.bClamp;
    bScreenFixed = params.bScreenFixed;
    nDurationMode = params.nDurationMode;
    nRemaining = params.nRemaining;
    bCountDuringWait = params.bCountDuringWait;
    nAnchor = params.nAnchor;
    bExpand = params.bExpand;
    bRefresh = params.bRefresh;
    nRefreshPeriod = params.nRefreshPeriod;
    bWindow = params.bWindow;
    bHasId = params.bHasId;
    nId = params.nId;
    strSource = params.strText;
    strText = params.strText;
    if (bExpand) {
        ExpandEscapes(strText);
    }
    if (nKind == 1) {
        MeasureText(strText, nWidth, nHeight);
    } else {
        nWidth = kIconSize;
        nHeight = kIconSize;
    }
    dOpening = 0.0;
    bPosStored = 0;
    bOpening = nDurationMode == 0 && params.bContinuation == 0 ? 1 : 0;
    if (nKind == 1) {
        if (!bReuseSurface || lpTextSurface == nullptr) {
            ReleaseSurface();
            CreateSurface();
        }
        Render();
    }
}

cTextObj cTextObj::MakeTimer(int nFrames)
{
    TEXTOBJPARAMS params;
    params.nKind = 0;
    params.bScreenFixed = 1;
    params.nDurationMode = kDurationTimed;
    params.nRemaining = nFrames;
    params.bCountDuringWait = 1;
    params.nAnchor = kNoAnchor;
    return cTextObj(params);
}

TEXTOBJPARAMS cTextObj::IconParams(int nKind, int nSheet, int nIndex, int nSub, int nHeroSource)
{
    TEXTOBJPARAMS params;
    params.nKind = nKind;
    params.nIconSheet = nSheet;
    params.nIconIndex = nIndex;
    params.nIconSub = nSub;
    params.nPosMode = POS_ABOVE_HERO;
    params.bScreenFixed = 1;
    params.nDurationMode = kDurationTimed;
    params.nRemaining = kIconFrames;
    params.bCountDuringWait = nKind == 3 ? 1 : 0;
    params.nAnchor = nHeroSource;
    return params;
}

void cTextObj::ExpandEscapes(std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            i += 2;
            continue;
        }
        if (c != '#') {
            ++i;
            continue;
        }
        const ESCAPE e = ReadEscape(text, i);
        std::int32_t value = 0;
        if (!EscapeValue(e, value)) {
            ++i;
            continue;
        }
        std::string number;
        IntToStr(number, value, e.nWidth, e.bZeros ? 1 : 0, e.bPlus ? 1 : 0);
        text.replace(i, e.end - i, number);
        i += number.size();
    }
}

bool cTextObj::ComputePosition(int& x, int& y) const
{
    const int w = nWidth;
    const int h = nHeight;
    switch (nPosMode) {
    case POS_SCREEN:
        x = 32 * nCellX + nDotX;
        y = 32 * nCellY + nDotY;
        return true;
    case POS_STAGE:
        x = static_cast<int>(32.0 * (kFieldMargin / 32 + nCellX) + nDotX - ScrollX());
        y = static_cast<int>(32.0 * (kFieldMargin / 32 + nCellY) + nDotY - ScrollY());
        return true;
    case POS_ABOVE_SELF:
    case POS_BELOW_SELF:
    case POS_ON_SELF:
    case POS_ABOVE_HERO:
    case POS_BELOW_HERO:
    case POS_ON_HERO: {
        const cCharaBase* a = FindCharaBySource(nAnchor);
        if (a == nullptr || nAnchor == kNoAnchor) return false;
        const int ax = static_cast<int>(a->x - ScrollX());
        const int ay = static_cast<int>(a->y - ScrollY());
        x = ax - w / 2 + a->gfxWidth / 2 - a->gfxOffsetX + nDotX;
        const int nPlace = (nPosMode - POS_ABOVE_SELF) % 3;
        if (nPlace == 0) {
            y = ay - a->gfxOffsetY - h + nDotY;
        } else if (nPlace == 1) {
            y = ay - a->gfxOffsetY + a->gfxHeight + 1 + nDotY;
        } else {
            y = ay - h / 2 + a->gfxHeight / 2 - a->gfxOffsetY + nDotY;
        }
        return true;
    }
    default:
        // The screen centre; a mode outside the table counts as it.
        x = nDotX - w / 2 + 320;
        y = nDotY - h / 2 + 240;
        return true;
    }
}

void cTextObj::Refresh(int nFrame)
{
    if (bRefresh == 0 || nRefreshPeriod == 0 || nKind != 1 || bExpand == 0 || nFrame % nRefreshPeriod != 0) {
        return;
    }
    std::string text = strSource;
    ExpandEscapes(text);
    if (text == strText) {
        return;
    }
    strText = text;
    int w = 0;
    int h = 0;
    MeasureText(strText, w, h);
    if (w != nWidth || h != nHeight) {
        ReleaseSurface();
        nWidth = w;
        nHeight = h;
        CreateSurface();
    }
    Render();
}

int cTextObj::Step(int bInWait, int nFrame)
{
    if (nDurationMode == kDurationTimed && (bCountDuringWait != 0 || bInWait == 0)) {
        if (--nRemaining < 0) {
            ReleaseSurface();
            return 1;
        }
    }
    Refresh(nFrame);
    int x = nScreenX;
    int y = nScreenY;
    if (!ComputePosition(x, y)) {
        if (nKind == 1) {
            ReleaseSurface();
            return 1;
        }
        // An icon whose character is gone stays where it was last shown.
        x = nScreenX;
        y = nScreenY;
    } else if (nPosMode == POS_CENTRE || nPosMode == POS_SCREEN || nPosMode < 0 || nPosMode >= kPosModeCount) {
        if (bScreenFixed == 0) {
            // Kept at the stage point where it first appeared: it scrolls with the stage.
            if (bPosStored == 0) {
                nStoredX = x + ScrollX();
                nStoredY = y + ScrollY();
                bPosStored = 1;
            }
            x = nStoredX - ScrollX();
            y = nStoredY - ScrollY();
        }
    } else if (bScreenFixed != 0) {
        // Kept where it first appeared on the screen.
        if (bPosStored == 0) {
            nStoredX = x;
            nStoredY = y;
            bPosStored = 1;
        }
        x = nStoredX;
        y = nStoredY;
    }
    if (bClamp != 0) {
        if (x < 0) {
            x = 0;
        } else if (x + nWidth >= 639) {
            x = 640 - nWidth;
        }
        if (y < kHudLine) {
            y = kHudLine;
        } else if (y + nHeight >= 479) {
            y = 480 - nHeight;
        }
    }
    nScreenX = x;
    nScreenY = y;
    return 0;
}
