// The stage's own pictures: the 32-pixel icon sheets built from the shot sheets.
#include "graphics/Blit.h"
#include "graphics/Fill.h"
#include "graphics/SurfaceCatalogue.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kSlotShotLeft = 20;
constexpr int kSlotShotRight = 21;
constexpr int kSlotIconLeft = 63;
constexpr int kSlotIconRight = 64;
constexpr int kShotRows = 30;
constexpr int kShotPairs = 4;
constexpr int kCell = 16;

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
