#include "scenes/BlendPalette.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/BlendTable.h"
#include "graphics/Boxes.h"
#include "graphics/Palette.h"
#include "graphics/PaletteEffects.h"
#include "graphics/SurfaceCatalogue.h"

namespace {

constexpr int kFirstGroupEntry = 16;
constexpr int kLastGroupEntry = 207;
constexpr int kGroupEntries = 16;
constexpr int kRotatedSets = 12;
// Entries set on the DirectDraw palette: 0..254.
constexpr int kShownEntries = 255;

}  // namespace

int LoadBlendPalette(int nNo)
{
    if (lpDDCon == nullptr || lpDTCon != nullptr || nScreenBpp != 8) {
        return 1;
    }
    nNo = std::clamp(nNo, 0, kBlendPaletteSets - 1);
    std::string number;
    IntToStr(number, nNo, 2, 1, 0);
    const std::string name = "bmp\\hbt\\hbt" + number + ".dat";
    if (!DDLoadBlendTable(BlendTable, name.c_str())) {
        static const std::string kFormat = Sjis("%s の読み込みに失敗！");
        ErrorBoxF(kFormat.c_str(), name.c_str());
        return 0;
    }
    if (!DDLoadPaletteFromFile(Palette, SDInfoTable[0].szFileName.c_str(), nScreenBpp)) {
        static const std::string kText = Sjis("DDLoadPaletteFromFile失敗");
        ECLog(kText.c_str());
        return 0;
    }
    if (nNo < kRotatedSets) {
        DDRotatePalette(Palette, kFirstGroupEntry, kLastGroupEntry, nNo * kGroupEntries, 1, Palette);
    } else {
        PALETTEENTRY group[kGroupEntries];
        std::memcpy(group, &Palette[(nNo - kRotatedSets + 1) * kGroupEntries], sizeof group);
        for (int entry = kFirstGroupEntry; entry <= kLastGroupEntry; entry += kGroupEntries) {
            std::memcpy(&Palette[entry], group, sizeof group);
        }
    }
    std::memcpy(PaletteBackup, Palette, sizeof(PaletteBackup));
    if (lpDDPalette != nullptr) {
        lpDDPalette->SetEntries(0, 0, kShownEntries, PaletteBackup);
    }
    return 1;
}
