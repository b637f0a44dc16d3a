#include "graphics/TextOutAscii.h"

#include <cstdarg>
#include <string>

#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/SpriteBatch.h"

namespace {

// Size of the formatting buffer of DDPrintfAscii (texts of at most 255 bytes).
constexpr std::size_t kAsciiBufferSize = 256;

// The sheet row of a byte: its high nibble, except the half-width katakana 0xA6-0xBF (rows 0-1)
// and 0xC0-0xDD (rows 8-9).
int SheetRow(unsigned char c)
{
    const int row = (c >> 4) & 15;
    if (c >= 0xA6 && c <= 0xBF) return row - 10;
    if (c >= 0xC0 && c <= 0xDD) return row - 4;
    return row;
}

}  // namespace

void DDTextOutAscii(DDSURFACEDATA* lpDst, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpSheet,
                    const char* szText)
{
    if (szText == nullptr) return;
    const bool bBatch = lpDTCon != nullptr;
    if (bBatch) DDBeginBatch(0);
    int offset = 0;
    for (const char* p = szText; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\n') {
            y += nCellHeight;
            offset = 0;
            continue;
        }
        DDBlt(lpDst, x + offset, y, nCellWidth, nCellHeight, lpSheet, (c % 16) * nCellWidth, SheetRow(c) * nCellHeight,
              1);
        offset += nCellWidth;
        if (offset >= nScreenWidth) {
            y += nCellHeight;
            offset = 0;
        }
    }
    if (bBatch) DDEndBatch();
}

void DDPrintfAscii(DDSURFACEDATA* lpDst, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpSheet,
                   const char* szFormat, ...)
{
    va_list args;
    va_start(args, szFormat);
    const std::string text = FormatBounded(kAsciiBufferSize, szFormat, args);
    va_end(args);
    DDTextOutAscii(lpDst, x, y, nCellWidth, nCellHeight, lpSheet, text.c_str());
}
