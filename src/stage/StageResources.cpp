// The stage's own pictures: the built-in slots a stage uses (its background pictures named by
// the stage), the 32-pixel icon sheets built from the shot sheets, and the bitmap caches of the
// character sheets, swords and effects named by the database.
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/BlitEffects.h"
#include "graphics/Boxes.h"
#include "graphics/Fill.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "objects/StageBitmaps.h"
#include "objects/StageObjects.h"
#include "objects/chara/CharaGraphic.h"
#include "platform/win/Messages.h"
#include "project/cDatabase.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kSlotShotLeft = 20;
constexpr int kSlotShotRight = 21;
constexpr int kSlotIconLeft = 63;
constexpr int kSlotIconRight = 64;
constexpr int kShotRows = 30;
constexpr int kShotPairs = 4;
constexpr int kCell = 16;
constexpr int kSlotFirstBackground = 55;
constexpr int kBackgroundSlots = 8;
constexpr int kSlotViewMask = 65;
constexpr DWORD kMaskColour = 16;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// The slots a first entry into stage play loads: 2..47, 49..51, 55..70; a restart after a stage
// end loads only the backgrounds 55..62.
std::vector<int> StageSlots(bool bRestart)
{
    std::vector<int> slots;
    const auto add = [&](int from, int to) {
        for (int n = from; n <= to; ++n) slots.push_back(n);
    };
    if (bRestart) {
        add(55, 62);
        return slots;
    }
    add(2, 47);
    add(49, 51);
    add(55, 70);
    return slots;
}

// One surface of a cache from szFile; a failure leaves it empty and writes szFailure (with the
// file name) to the trace log.
void AddCacheSurface(DDSurfaceVec& vec, DDSurfaceInfoVec& infos, const std::string& file, int nMemoryType,
                     int bSystemMemory, int bShare, int nMirrorW, const std::string& failure)
{
    DDSURFACEINFO info;
    info.szFileName = file;
    info.bColorKey = 1;
    info.bSystemMemory = bSystemMemory;
    info.nMemoryType = nMemoryType;
    info.bShare = bShare;
    info.nMirrorW = nMirrorW;
    infos.push_back(info);
    vec.emplace_back();
    DDSURFACEDATA& sd = vec.back();
    const int result = DDCreateSurfaceFromFile(&sd, file.c_str(), 1, nScreenBpp, bSystemMemory, nMemoryType, bShare, 0,
                                               nMirrorW, 0, 0);
    if (result != DDSURFACE_OK) {
        DDCheckSurfaceResult(result);
        DDReleaseSurface(&sd);
        ECLogF(failure.c_str(), file.c_str());
    }
}

// The variants of one entry draw from the texture of its first surface (Direct3D).
void ShareFrom(DDSurfaceVec& vec, std::size_t first, std::size_t count)
{
    if (!bDirect3D) return;
    for (std::size_t i = 1; i < count && first + i < vec.size(); ++i) {
        if (vec[static_cast<int>(first + i)].lpShareSD == nullptr) {
            vec[static_cast<int>(first + i)].lpShareSD = &vec[static_cast<int>(first)];
        }
    }
}

void StartCache(DDSurfaceVec& vec, DDSurfaceInfoVec& infos)
{
    DDReleaseSurfaceVec(vec);
    vec.clear();
    infos.clear();
}

void BuildIconSheet(DDSURFACEDATA* icons, DDSURFACEDATA* shots)
{
    DDFillRectPal(icons, 0, 0, icons->nWidth, icons->nHeight, 0);
    for (int c = 0; c < kShotRows; ++c) {
        for (int d = 0; d < kShotPairs; ++d) {
            DDBlt(icons, 8 + 64 * d, 8 + 32 * c, kCell, kCell, shots, 32 * d, kCell * c, 1);
            DDBlt(icons, 40 + 64 * d, 8 + 32 * c, kCell, kCell, shots, 32 * d + kCell, kCell * c, 1);
        }
    }
}

}  // namespace

void cSceneStage::BuildIconSheets()
{
    BuildIconSheet(&SDTable[kSlotIconLeft], &SDTable[kSlotShotLeft]);
    BuildIconSheet(&SDTable[kSlotIconRight], &SDTable[kSlotShotRight]);
}

bool cSceneStage::LoadStagePictures(bool bRestart)
{
    SelectIconSheets();
    const int nBackgrounds = static_cast<int>(Stage.m_Background.size());
    const bool bReady = lpSDTable != nullptr && bDDReady.load();
    for (int i = 0; i < kBackgroundSlots; ++i) {
        const bool bPicture = i < nBackgrounds && Stage.m_Background[i].m_bFill == 0;
        DDSURFACEINFO& info = SDInfoTable[kSlotFirstBackground + i];
        info.szFileName = bPicture ? Stage.m_Background[i].m_strPicture : "";
        // DirectDraw keeps a picture larger than the screen in system memory.
        if (bPicture && bReady) {
            DDCheckBitmapSize(&info.bSystemMemory, info.szFileName.c_str(), kScreenWidth, kScreenHeight);
        }
    }
    if (!bReady) {
        return true;  // no drawing back-end: a headless play has nothing to load
    }
    const std::vector<int> slots = StageSlots(bRestart);
    if (!DDLoadSurfaces(lpSDTable, slots.data(), static_cast<int>(slots.size()))) {
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return false;
    }
    if (!bRestart) {
        BuildIconSheets();
        LoadStageBmp();
        LoadSwordBmp();
        LoadEffectBmp();
    }
    return true;
}

void cSceneStage::LoadStageBmp()
{
    static const std::string kFailure = Sjis("専用bmp %s 読み込み失敗！");
    DDSurfaceVec& vec = StageBitmaps.BmpCharaExc;
    StartCache(vec, StageBitmaps.BmpCharaExcInfo);
    const int bShare = bDirect3D ? 1 : 0;
    for (int n = 1; n < static_cast<int>(Database.Bmp_CharaExc.size()); ++n) {
        const cDbBmpCharaExc& entry = Database.Bmp_CharaExc[n];
        const int w = entry.bLargeCell ? entry.nCellSize * 32 : 32;
        const std::size_t first = vec.size();
        DDSurfaceInfoVec& infos = StageBitmaps.BmpCharaExcInfo;
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_SYSTEM, 0, 0, 0, kFailure);
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_SYSTEM, 0, bShare, w, kFailure);
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_SYSTEM, 1, bShare, w, kFailure);
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_SYSTEM, 1, bShare, w, kFailure);
        ShareFrom(vec, first, 4);
    }
}

void cSceneStage::LoadSwordBmp()
{
    static const std::string kFailure = Sjis("ソード %s 読み込み失敗！");
    DDSurfaceVec& vec = StageBitmaps.SwordType;
    DDSurfaceInfoVec& infos = StageBitmaps.SwordTypeInfo;
    StartCache(vec, infos);
    const int bShare = bDirect3D ? 1 : 0;
    for (int n = 0; n < static_cast<int>(Database.SwordType.size()); ++n) {
        const cDbSwordType& entry = Database.SwordType[n];
        const std::size_t first = vec.size();
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, kFailure);
        AddCacheSurface(vec, infos, entry.strFileNameLeft, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, kFailure);
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_SYSTEM, 1, bShare, 0, kFailure);
        AddCacheSurface(vec, infos, entry.strFileNameLeft, DTMEMORYTYPE_SYSTEM, 1, bShare, 0, kFailure);
        // The system-memory copies draw from the textures of their own file.
        if (bDirect3D && first + 3 < vec.size()) {
            vec[static_cast<int>(first + 2)].lpShareSD = &vec[static_cast<int>(first)];
            vec[static_cast<int>(first + 3)].lpShareSD = &vec[static_cast<int>(first + 1)];
        }
    }
}

void cSceneStage::LoadEffectBmp()
{
    static const std::string kFailure = Sjis("エフェクト %s 読み込み失敗！");
    DDSurfaceVec& vec = StageBitmaps.Effect;
    DDSurfaceInfoVec& infos = StageBitmaps.EffectInfo;
    StartCache(vec, infos);
    const int bShare = bDirect3D ? 1 : 0;
    for (int n = 1; n < static_cast<int>(Database.Effect.size()); ++n) {
        const cDbEffect& entry = Database.Effect[n];
        const std::size_t first = vec.size();
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0, kFailure);
        AddCacheSurface(vec, infos, entry.strFileName, DTMEMORYTYPE_SYSTEM, 1, bShare, 0, kFailure);
        ShareFrom(vec, first, 2);
    }
}

int ViewMaskRadius(int nViewRange)
{
    return nViewRange < 0 ? 0 : nViewRange > kMaxViewMaskRadius ? kMaxViewMaskRadius : nViewRange;
}

bool cSceneStage::CreateViewMask(DDSURFACEDATA* mask, DDSURFACEDATA* shape)
{
    DDReleaseSurface(mask);
    DDReleaseSurface(shape);
    if (Player.empty()) {
        return true;
    }
    const cPlayer& hero = Player.data()[P1];
    const int r = ViewMaskRadius(hero.viewRange);
    const DDSURFACEINFO& info = SDInfoTable[kSlotViewMask];
    const int w = 1280 + 2 * r;
    const int h = 960 + 2 * r;
    if (!DDCreateSurface(mask, w, h, 1, info.bSystemMemory, info.nMemoryType, 0, 0)) {
        OutOfMemory();
        return false;
    }
    DDFillRectPal(mask, 0, 0, w, h, kMaskColour);
    if (r == 0) {
        return true;
    }
    const int nShape = hero.def.m_nViewShape;
    if (nShape == 1 || nShape == 2) {
        if (!DDCreateSurface(shape, 2 * r, 2 * r, 1, info.bSystemMemory, info.nMemoryType, 0, 0)) {
            OutOfMemory();
            return false;
        }
        DDFillRectPal(shape, 0, 0, 2 * r, 2 * r, 0);
        DDBltCircle(mask, w / 2, h / 2, r, r, r, 1, shape, r, r, 0);
        return true;
    }
    DDFillRectPal(mask, w / 2 - r, h / 2 - r, 2 * r, 2 * r, 0);
    return true;
}

bool cSceneStage::CreateHeroViewMask()
{
    if (lpSDTable == nullptr || Player.empty() || Player.data()[P1].def.m_nViewShape == 0) {
        return true;
    }
    return CreateViewMask(&lpSDTable[kSlotViewMask], &lpSDTable[kSlotViewMask + 1]);
}

void cSceneStage::ReleaseStageBitmaps()
{
    StartCache(StageBitmaps.BmpCharaExc, StageBitmaps.BmpCharaExcInfo);
    StartCache(StageBitmaps.SwordType, StageBitmaps.SwordTypeInfo);
    StartCache(StageBitmaps.Effect, StageBitmaps.EffectInfo);
}
