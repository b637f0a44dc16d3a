#include "graphics/Font.h"

#include <algorithm>
#include <cstdarg>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/DrawHelpers.h"
#include "graphics/Fill.h"
#include "graphics/Palette.h"
#include "graphics/SpriteBatch.h"
#include "graphics/Surfaces.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiText.h"
#include "platform/win/Messages.h"

DDSURFACEDATA FontWorkSD;

namespace {

// The double-byte characters every double-byte cache starts with, in cell order.
const std::string& PreFillList()
{
    static const std::string kList = Sjis("０１２３４５６７８９ー～、。．！？「」（）・…※→↑↓←＋－＝○●×ＡＢＣＤＥＦＧＨ"
                                          "ＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ"
                                          "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚあいうえおかきくけこさし"
                                          "すせそたちつてとなにぬねのはひふへほま"
                                          "みむめもやゆよらりるれろわをんがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷ"
                                          "ぺぽぁぃぅぇぉっゃゅょアイウエオカキ"
                                          "クケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲ"
                                          "ンガギグゲゴザジズゼゾダヂヅデトバビ"
                                          "ブベボヴパピプペポァィゥェォッャュョ□■☆★％＆＜＞：");
    return kList;
}

// The full-width space: never cached.
constexpr BYTE kWideSpaceLead = 0x81;
constexpr BYTE kWideSpaceTrail = 0x40;

bool IsCreated(const DDSURFACEDATA* lpSD)
{
    return lpSD != nullptr && (lpSD->lpDT != nullptr || lpSD->lpDDS != nullptr) && lpSD->nWidth > 0;
}

bool IsRenderTargetSurface(const DDSURFACEDATA* lpSD)
{
    return lpSD->lpDT != nullptr && lpSD->lpDT->bRenderTarget && lpSD->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM;
}

DDSURFACEDATA* BuiltInSlot(int nSlot)
{
    if (lpSDTable == nullptr || nSlot < 0 || nSlot >= nSDCount) return nullptr;
    return &lpSDTable[nSlot];
}

// A channel value of the 16-bit screen format (0..dwMax) scaled up to 0..255.
DWORD ScaleChannel(DWORD dwValue, DWORD dwMax)
{
    return dwMax == 0 ? 0 : std::min(dwValue, dwMax) * 255 / dwMax;
}

// The colour fonts draw with: Direct3D opaque ARGB; DirectDraw a COLORREF (16 bpp palette
// entries hold channel values of the screen format, 565 or 555, scaled up to 0..255 here).
DWORD DeviceColorOf(DWORD dwPalNum)
{
    const PALETTEENTRY e = Palette[dwPalNum & 0xFF];
    DWORD r = e.peRed, g = e.peGreen, b = e.peBlue;
    if (lpDTCon) return 0xFF000000u | r << 16 | g << 8 | b;
    if (nScreenBpp == 16) {
        r = ScaleChannel(r, SurfaceChannels.dwMaxR);
        g = ScaleChannel(g, SurfaceChannels.dwMaxG);
        b = ScaleChannel(b, SurfaceChannels.dwMaxB);
    }
    return r | g << 8 | b << 16;
}

void CloseProgram(const char* szTrace)
{
    ECLog(szTrace);
    PostMessage(hWndMain, WM_CLOSE, 0, 0);
}

// The length of the line starting at p (up to "\n" or the end).
int LineLength(const char* p)
{
    int n = 0;
    while (p[n] != '\0' && p[n] != '\n') ++n;
    return n;
}

}  // namespace

Font::~Font()
{
    Release();
}

void Font::Release()
{
    if (m_bRegistered) DDUnregisterFont(this);
    m_bRegistered = 0;
    m_lpFastFont_Half.reset();
    m_lpFastFont_FullAdd.reset();
    if (m_lpFont) m_lpFont->Release();
    if (m_lpSprite) m_lpSprite->Release();
    m_lpFont = nullptr;
    m_lpSprite = nullptr;
    if (m_hFont) DeleteObject(m_hFont);
    m_hFont = nullptr;
    m_lpNumberSD = nullptr;
}

BOOL Font::Create(const FONTINFO& info)
{
    Release();
    m_strFaceName = info.szFaceName;
    m_nWidth = info.nWidth;
    m_nHeight = info.nHeight;
    m_nCellWidth = info.nCellWidth;
    m_nCellHeight = info.nCellHeight;
    m_dwPalNum = info.dwPalNum;
    m_dwColor = DeviceColorOf(info.dwPalNum);
    m_bCentre = 0;
    m_lpSkinSD = BuiltInSlot(info.nSkinSlot);
    m_nFrameThick = info.nFrameThick;
    m_dwFramePalNum = info.dwFramePalNum;
    m_lpAlphabetSD = BuiltInSlot(info.nAlphabetSlot);
    m_bAlphabet = m_lpAlphabetSD != nullptr;
    m_nCacheMode = info.nCacheMode;

    if (lpDTCon) {
        D3DXFONT_DESCA desc;
        desc.Height = m_nHeight;
        desc.Weight = 400;
        desc.CharSet = 128;
        const std::size_t n = std::min<std::size_t>(m_strFaceName.size(), sizeof(desc.FaceName) - 1);
        std::copy_n(m_strFaceName.data(), n, desc.FaceName);
        if (FAILED(D3DXCreateFontIndirectA(lpDevice, &desc, &m_lpFont)) ||
            FAILED(D3DXCreateSprite(lpDevice, &m_lpSprite))) {
            CloseProgram("D3DXCreateFont Font::Create");
            return FALSE;
        }
        m_nFontIndex = lpDTCon->nFontIndex++;
    } else if (lpDDCon) {
        m_hFont = CreateFontA(m_nHeight, m_nWidth, 0, 0, 400, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, m_strFaceName.c_str());
        m_nFontIndex = lpDDCon->nFontIndex++;
    } else {
        return FALSE;
    }
    if (!IsCreated(&FontWorkSD) &&
        !DDCreateSurface(&FontWorkSD, BackBuffer.nWidth, BackBuffer.nHeight, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
        CloseProgram("DDCreateSurface Font::Work");
        return FALSE;
    }
    DDRegisterFont(this);
    m_bRegistered = 1;
    return CreateCaches();
}

BOOL Font::CreateCaches()
{
    m_lpFastFont_Half.reset();
    m_lpFastFont_FullAdd.reset();
    if (m_nCacheMode == 0) return TRUE;
    if (m_nCellWidth <= 0 || m_nCellHeight <= 0) {
        static const std::string kText = Sjis("※フォントクラスで文字間が未設定！");
        ECLog(kText.c_str());
        return TRUE;
    }
    m_lpFastFont_Half = std::make_unique<FastFont>();
    if (!m_lpFastFont_Half->Create(0, m_nCellWidth, m_nCellHeight, 16, 16)) {
        m_lpFastFont_Half.reset();
        CloseProgram("m_lpFastFont_Half Err");
        return FALSE;
    }
    int nc, nr;
    if (lpDTCon) {
        nc = std::min(1024 / m_nCellWidth, 32);
        nr = std::min(1024 / m_nCellHeight, 32);
    } else {
        nc = std::min(BackBuffer.nWidth / m_nCellWidth, 32);
        nr = std::min(BackBuffer.nHeight / m_nCellHeight, 30);
    }
    m_lpFastFont_FullAdd = std::make_unique<FastFont>();
    if (!m_lpFastFont_FullAdd->Create(1, m_nCellWidth, m_nCellHeight, nc, nr)) {
        m_lpFastFont_FullAdd.reset();
        m_lpFastFont_Half.reset();
        CloseProgram("m_lpFastFont_FullAdd Err");
        return FALSE;
    }
    FillHalfCache(0);
    FillFullAddCache(0);
    return TRUE;
}

void Font::FillHalfCache(int /*nFromList*/)
{
    FastFont* cache = m_lpFastFont_Half.get();
    if (cache == nullptr) return;
    // Line j holds the bytes 16 j .. 16 j + 15, so that byte b lands in cell b (line 0, the
    // control characters, stays empty).
    std::string text;
    for (int j = 1; j < 16; ++j) {
        text += '\n';
        for (int i = 0; i < 16; ++i) text += static_cast<char>(16 * j + i);
    }
    DDFillSurfacePal(cache->Surface(), 0);
    m_bFilling = 1;
    Draw(cache->Surface(), 0, 0, text.c_str(), 0);
    m_bFilling = 0;
}

void Font::FillFullAddCache(int nFromList)
{
    FastFont* cache = m_lpFastFont_FullAdd.get();
    if (cache == nullptr) return;
    if (nFromList == 0) {
        const std::string& list = PreFillList();
        for (std::size_t i = 0; i + 1 < list.size(); i += 2)
            if (!cache->AddGlyph(static_cast<BYTE>(list[i]), static_cast<BYTE>(list[i + 1]))) break;
    }
    std::string text;
    int column = 0;
    for (const FastFont::Glyph& g : cache->Glyphs()) {
        if (column == cache->Columns()) {
            text += '\n';
            column = 0;
        }
        text += static_cast<char>(g.byLead);
        text += static_cast<char>(g.byTrail);
        ++column;
    }
    DDFillSurfacePal(cache->Surface(), 0);
    m_bFilling = 1;
    Draw(cache->Surface(), 0, 0, text.c_str(), 0);
    m_bFilling = 0;
}

bool Font::Caching() const
{
    return !m_bFilling && m_lpFastFont_Half != nullptr && m_lpFastFont_FullAdd != nullptr;
}

HDC Font::OpenDC(DDSURFACEDATA* lpSD)
{
    if (lpDDCon == nullptr || lpSD == nullptr || lpSD->lpDDS == nullptr || lpSD->lpDDS->lpDDSurface == nullptr)
        return nullptr;
    HDC hDC = nullptr;
    if (FAILED(lpSD->lpDDS->lpDDSurface->GetDC(&hDC))) return nullptr;
    SelectObject(hDC, m_hFont);
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, m_dwColor);
    return hDC;
}

void Font::CloseDC(DDSURFACEDATA* lpSD, HDC hDC)
{
    if (hDC != nullptr) lpSD->lpDDS->lpDDSurface->ReleaseDC(hDC);
}

void Font::Draw(DDSURFACEDATA* lpDst, int x, int y, const char* szText, int bGlyph)
{
    if (lpDst == nullptr || szText == nullptr || szText[0] == '\0') return;
    // Text aimed at the back buffer follows every other drawing onto the virtual back buffer.
    DDRedirectBackBuffer(&lpDst);
    DDRedirectShare(&lpDst);
    const bool bSkipLetters = !bGlyph && !m_bFilling && m_bAlphabet;
    // Only a render target takes batched blits. Through the compose surface the glyphs reach the
    // target at once, and the alphabet must be in the compose surface before it is copied out, so
    // no batch may hold those blits back.
    const bool bDirect = lpDTCon != nullptr && IsRenderTargetSurface(lpDst);
    const bool bOwnBatch = bDirect && Caching() && !DDBatchIsOpen();
    if (bOwnBatch) DDBeginBatch(1);
    if (bDirect) {
        DrawCached(Pass{lpDst, nullptr, x, y, lpDst, x, y}, szText, bSkipLetters);
        if (!m_bFilling) DrawAlphabet(lpDst, x, y, szText);
    } else if (IsCreated(&FontWorkSD)) {
        SIZE size;
        GetTextExtent(&size, szText);
        const int w = std::min<int>(size.cx, FontWorkSD.nWidth);
        const int h = std::min<int>(size.cy, FontWorkSD.nHeight);
        if (w > 0 && h > 0) {
            DDFillRectPal(&FontWorkSD, 0, 0, w, h, 0);
            HDC hDC = OpenDC(&FontWorkSD);
            DrawCached(Pass{&FontWorkSD, hDC, 0, 0, lpDst, x, y}, szText, bSkipLetters);
            CloseDC(&FontWorkSD, hDC);
            if (lpDTCon && !m_bFilling) DrawAlphabet(&FontWorkSD, 0, 0, szText);
            DDBlt(lpDst, x, y, w, h, &FontWorkSD, 0, 0, 1);
            if (lpDDCon && !m_bFilling) DrawAlphabet(lpDst, x, y, szText);
        }
    }
    if (bOwnBatch) DDEndBatch();
}

void Font::DrawCached(const Pass& pass, const char* szText, bool bSkipLetters)
{
    // Without caches, Direct3D draws the whole text in one sprite batch on the compose surface.
    if (lpDTCon != nullptr && !Caching() && m_lpSprite != nullptr && m_lpSpriteTarget == nullptr && DDBeginScene() &&
        DDSetRenderTarget(0, pass.lpCompose)) {
        if (SUCCEEDED(m_lpSprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE))) {
            m_lpSpriteTarget = pass.lpCompose;
            DrawCached(pass, szText, bSkipLetters);
            m_lpSpriteTarget = nullptr;
            m_lpSprite->End();
        }
        DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
        return;
    }
    if (m_nCellWidth <= 0) {
        int line = 0;
        for (const char* p = szText;; ++line) {
            const int n = LineLength(p);
            if (n > 0) DrawString(pass.lpCompose, pass.hDC, pass.x, pass.y + line * m_nCellHeight, p, n);
            if (p[n] == '\0') break;
            p += n + 1;
        }
        return;
    }
    const bool bCache = Caching();
    int dx = 0, dy = 0;
    for (const char* p = szText; *p != '\0';) {
        const BYTE c = static_cast<BYTE>(*p);
        if (IsDBCSChar(p)) {
            DrawDoubleByte(pass, dx, dy, p);
            dx += m_nCellWidth;
            p += 2;
            continue;
        }
        if (c == '\n') {
            dx = 0;
            dy += m_nCellHeight;
        } else if (c == ' ' || (bSkipLetters && c >= 'a' && c <= 'z' && IsCreated(m_lpAlphabetSD))) {
            dx += m_nCellWidth;
        } else {
            if (bCache)
                m_lpFastFont_Half->DrawCell(pass.lpFinal, pass.fx + dx, pass.fy + dy, c, 1);
            else
                DrawChar(pass.lpCompose, pass.hDC, pass.x + dx, pass.y + dy, p, 1);
            dx += m_nCellWidth;
        }
        ++p;
    }
}

void Font::DrawDoubleByte(const Pass& pass, int dx, int dy, const char* p)
{
    const BYTE lead = static_cast<BYTE>(p[0]), trail = static_cast<BYTE>(p[1]);
    const bool bWideSpace = lead == kWideSpaceLead && trail == kWideSpaceTrail;
    if (!bWideSpace && Caching()) {
        FastFont& cache = *m_lpFastFont_FullAdd;
        if (cache.DrawGlyph(pass.lpFinal, pass.fx + dx, pass.fy + dy, lead, trail, 1)) return;
        if (cache.AddGlyph(lead, trail)) {
            RenderCacheGlyph(cache.Glyphs().back(), p);
            cache.DrawGlyph(pass.lpFinal, pass.fx + dx, pass.fy + dy, lead, trail, 1);
            return;
        }
        // The cache is full: this character is drawn directly from now on.
    }
    DrawChar(pass.lpCompose, pass.hDC, pass.x + dx, pass.y + dy, p, 2);
}

void Font::RenderCacheGlyph(const FastFont::Glyph& glyph, const char* p)
{
    DDSURFACEDATA* lpSD = m_lpFastFont_FullAdd->Surface();
    if (lpDTCon) {
        DrawChar(lpSD, nullptr, glyph.nCellX, glyph.nCellY, p, 2);
        return;
    }
    // At 8 bits the glyph takes its colour index from the game palette, not a faded one.
    const bool bSwap = nScreenBpp == 8 && lpDDPalette != nullptr;
    if (bSwap) lpDDPalette->SetEntries(0, 0, 256, Palette);
    HDC hDC = OpenDC(lpSD);
    if (hDC != nullptr) {
        DrawChar(lpSD, hDC, glyph.nCellX, glyph.nCellY, p, 2);
        CloseDC(lpSD, hDC);
    }
    if (bSwap) lpDDPalette->SetEntries(0, 0, 256, PaletteBackup);
}

void Font::DrawChar(DDSURFACEDATA* lpSD, HDC hDC, int x, int y, const char* p, int n)
{
    if (m_bCentre) {
        const SIZE size = MeasureString(hDC, p, n);
        x += (m_nCellWidth >> 1) - (static_cast<int>(size.cx) >> 1);
        y += (m_nCellHeight >> 1) - (static_cast<int>(size.cy) >> 1);
    } else if (n == 1) {
        x += m_nCellWidth / 8;
        y += m_nCellHeight / 16 - 1;
    }
    DrawString(lpSD, hDC, x, y, p, n);
}

void Font::DrawString(DDSURFACEDATA* lpSD, HDC hDC, int x, int y, const char* p, int n)
{
    if (lpDDCon) {
        if (hDC != nullptr) TextOutA(hDC, x, y, p, n);
        return;
    }
    if (lpDTCon == nullptr || m_lpFont == nullptr || m_lpSprite == nullptr) return;
    if (m_lpSpriteTarget == lpSD) {
        RECT rc{x, y, x, y};
        m_lpFont->DrawTextA(m_lpSprite, p, n, &rc, DT_NOCLIP, m_dwColor);
        return;
    }
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpSD)) return;
    if (SUCCEEDED(m_lpSprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE))) {
        RECT rc{x, y, x, y};
        m_lpFont->DrawTextA(m_lpSprite, p, n, &rc, DT_NOCLIP, m_dwColor);
        m_lpSprite->End();
    }
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
}

SIZE Font::MeasureString(HDC hDC, const char* p, int n)
{
    SIZE size{0, 0};
    if (lpDDCon) {
        HDC dc = hDC != nullptr ? hDC : OpenDC(&FontWorkSD);
        if (dc != nullptr) GetTextExtentPoint32A(dc, p, n, &size);
        if (hDC == nullptr) CloseDC(&FontWorkSD, dc);
    } else if (m_lpFont != nullptr) {
        RECT rc{0, 0, 0, 0};
        m_lpFont->DrawTextA(nullptr, p, n, &rc, DT_CALCRECT, m_dwColor);
        size.cx = rc.right - rc.left;
        size.cy = rc.bottom - rc.top;
    }
    return size;
}

SIZE* Font::GetTextExtent(SIZE* pSize, const char* szText)
{
    if (m_nCellWidth > 0) return GetFixedTextExtent(pSize, szText);
    pSize->cx = 0;
    pSize->cy = 0;
    if (szText == nullptr) return pSize;
    // Lines are measured in place: any line length is measured whole.
    HDC hDC = OpenDC(&FontWorkSD);
    int lines = 0;
    for (const char* p = szText;;) {
        const int n = LineLength(p);
        ++lines;
        if (n > 0) pSize->cx = std::max<LONG>(pSize->cx, MeasureString(hDC, p, n).cx);
        if (p[n] == '\0') break;
        p += n + 1;
    }
    CloseDC(&FontWorkSD, hDC);
    pSize->cy = lines * m_nCellHeight;
    return pSize;
}

SIZE* Font::GetFixedTextExtent(SIZE* pSize, const char* szText) const
{
    int lines = 1, widest = 0, chars = 0;
    for (const char* p = szText != nullptr ? szText : ""; *p != '\0';) {
        if (*p == '\n') {
            ++lines;
            chars = 0;
            ++p;
            continue;
        }
        p += IsDBCSChar(p) ? 2 : 1;
        widest = std::max(widest, ++chars);
    }
    pSize->cx = widest * m_nCellWidth;
    pSize->cy = lines * m_nCellHeight;
    return pSize;
}

void Font::DrawAlphabet(DDSURFACEDATA* lpDst, int x, int y, const char* szText)
{
    if (!m_bAlphabet || !IsCreated(m_lpAlphabetSD) || m_nCellWidth <= 0) return;
    const bool bOwnBatch = lpDTCon != nullptr && !DDBatchIsOpen();
    if (bOwnBatch) DDBeginBatch(0);
    int dx = 0, dy = 0;
    for (const char* p = szText; *p != '\0';) {
        const char c = *p;
        if (IsDBCSChar(p)) {
            p += 2;
            dx += m_nCellWidth;
            continue;
        }
        if (c == '\n') {
            dx = 0;
            dy += m_nCellHeight;
        } else {
            if (c >= 'a' && c <= 'z')
                DDBlt(lpDst, x + dx, y + dy, m_nCellWidth, m_nCellHeight, m_lpAlphabetSD, (c - 'a') * m_nCellWidth, 0,
                      1);
            dx += m_nCellWidth;
        }
        ++p;
    }
    if (bOwnBatch) DDEndBatch();
}

void Font::Printf(DDSURFACEDATA* lpDst, int x, int y, const char* szFormat, ...)
{
    va_list args;
    va_start(args, szFormat);
    const std::string text = FormatBounded(kFontPrintfSize, szFormat, args);
    va_end(args);
    Draw(lpDst, x, y, text.c_str(), 0);
}

void Font::CentreOnSkin(int* x, int* y, int nWidth, int nHeight) const
{
    const int skinW = m_lpSkinSD != nullptr ? m_lpSkinSD->nWidth : 0;
    const int skinH = m_lpSkinSD != nullptr ? m_lpSkinSD->nHeight : 0;
    if (*x == kCentreOnSkin) *x = skinW / 2 - nWidth / 2;
    if (*y == kCentreOnSkin) *y = skinH / 2 - nHeight / 2;
}

void Font::DrawWindow(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight)
{
    CentreOnSkin(&x, &y, nWidth, nHeight);
    DDDrawFrameBox(lpDst, x, y, nWidth, nHeight, m_lpSkinSD, m_nFrameThick, m_dwFramePalNum);
}

void Font::DrawWindowText(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, const char* szText, int nMargin)
{
    DrawWindowTextColor(lpDst, x, y, nWidth, nHeight, szText, nMargin);
}

void Font::DrawWindowTextColor(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, const char* szText,
                               int nMargin)
{
    if (szText == nullptr) szText = "";
    SIZE size;
    GetTextExtent(&size, szText);
    if (nWidth == 0) nWidth = nMargin + size.cx;
    if (nHeight == 0) nHeight = size.cy;
    CentreOnSkin(&x, &y, nWidth, nHeight);
    DDDrawFrameBox(lpDst, x, y, nWidth, nHeight, m_lpSkinSD, m_nFrameThick, m_dwFramePalNum);
    Draw(lpDst, x + nMargin, y, szText, 0);
}

void Font::PrintfWindowText(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, const char* szFormat, ...)
{
    va_list args;
    va_start(args, szFormat);
    const std::string text = FormatBounded(kFontWindowTextSize, szFormat, args);
    va_end(args);
    DrawWindowTextColor(lpDst, x, y, nWidth, nHeight, text.c_str(), 0);
}

HRESULT Font::OnLostDevice()
{
    HRESULT hr = D3D_OK;
    if (m_lpFont) hr = m_lpFont->OnLostDevice();
    if (m_lpSprite) {
        const HRESULT hr2 = m_lpSprite->OnLostDevice();
        if (SUCCEEDED(hr)) hr = hr2;
    }
    return hr;
}

void Font::Restore()
{
    if (lpDTCon) {
        if (m_lpFont) m_lpFont->OnResetDevice();
        if (m_lpSprite) m_lpSprite->OnResetDevice();
        FontWorkSD.bLost = 0;
        if (m_lpFastFont_Half && m_lpFastFont_Half->Surface()->bLost) {
            FillHalfCache(1);
            m_lpFastFont_Half->Surface()->bLost = 0;
        }
        if (m_lpFastFont_FullAdd && m_lpFastFont_FullAdd->Surface()->bLost) {
            FillFullAddCache(1);
            m_lpFastFont_FullAdd->Surface()->bLost = 0;
        }
    } else if (lpDDCon) {
        auto restore = [](DDSURFACEDATA* lpSD) {
            if (lpSD != nullptr && lpSD->lpDDS && lpSD->lpDDS->lpDDSurface &&
                lpSD->lpDDS->lpDDSurface->IsLost() == DDERR_SURFACELOST)
                lpSD->lpDDS->lpDDSurface->Restore();
        };
        restore(&FontWorkSD);
        if (m_lpFastFont_Half) restore(m_lpFastFont_Half->Surface());
        if (m_lpFastFont_FullAdd) restore(m_lpFastFont_FullAdd->Surface());
        if (m_lpNumberSD) {
            if (m_lpNumberSD->lpDDS && m_lpNumberSD->lpDDS->lpDDSurface &&
                m_lpNumberSD->lpDDS->lpDDSurface->IsLost() == DDERR_SURFACELOST) {
                m_lpNumberSD->lpDDS->lpDDSurface->Restore();
                m_lpNumberSD->bLost = 1;
            }
        }
        FillHalfCache(1);
        FillFullAddCache(1);
    }
    // The digit strip comes back empty after a loss: draw it again.
    if (m_lpNumberSD != nullptr && m_lpNumberSD->bLost) {
        DDFillSurfacePal(m_lpNumberSD, 0);
        Draw(m_lpNumberSD, 0, 0, "0123456789", 0);
        m_lpNumberSD->bLost = 0;
    }
}
