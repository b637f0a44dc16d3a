// The virtual back buffer and its flush at the present, over the six configurations.
#include "GraphicsTestSupport.h"
#include "graphics/LockSD.h"
#include "platform/d3d9/IDirect3DDevice9.h"
#include "platform/hostapi/Host.h"

namespace gfxtest {
namespace {

// A texel of the texture format: red 4, green 8, blue 16 in 5-bit channels, or 0x20 40 80.
DWORD MarkerTexel(int nBpp)
{
    return nBpp == 16 ? 0x8000u | (4u << 10) | (8u << 5) | 16u : 0xFF204080u;
}

// True when an ARGB colour read from the back buffer shows the marker.
bool ShowsMarker(DWORD argb, int nBpp)
{
    if (nBpp == 16) return ((argb >> 19) & 31) == 4 && ((argb >> 11) & 31) == 8 && ((argb >> 3) & 31) == 16;
    return (argb & 0xFFFFFF) == 0x204080;
}

void WriteMarker(DDSURFACEDATA* lpSD, int nBpp, int x, int y)
{
    cLockSD lock(lpSD, nBpp);
    ASSERT_TRUE(lock.IsLocked());
    lock.Write(x, y, MarkerTexel(nBpp));
}

using VirBackBufferTest = GraphicsMatrixTest;

TEST_P(VirBackBufferTest, DrawingAimedAtTheBackBufferWaitsInTheVirtualOneUntilThePresent)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    DDSetVirBackBuffer(TRUE);
    DDSURFACEDATA* lpSD = &BackBuffer;
    if (!c.bDirect3D) {
        EXPECT_FALSE(DDRedirectBackBuffer(&lpSD));
        EXPECT_EQ(lpSD, &BackBuffer);
        EXPECT_TRUE(DDPresent(60, 0, nullptr));
        return;
    }
    EXPECT_TRUE(DDRedirectBackBuffer(&lpSD));
    EXPECT_EQ(lpSD, &VirBackBuffer);
    EXPECT_EQ(lpDTCon->lpDefaultTarget, &BackBuffer);
    IDirect3DSurface9* const device = BackBuffer.lpDT->lpSurface;
    WriteMarker(&BackBuffer, c.nBpp, 10, 12);  // lands in VirBackBuffer
    EXPECT_FALSE(ShowsMarker(device->ReadARGB(10, 12), c.nBpp));
    ASSERT_TRUE(DDPresent(60, 0, nullptr));
    EXPECT_TRUE(ShowsMarker(device->ReadARGB(10, 12), c.nBpp));
    EXPECT_FALSE(ShowsMarker(device->ReadARGB(11, 12), c.nBpp));
    const HostFrame frame = GetHost().LastFrame();
    ASSERT_EQ(frame.width, 640);
    EXPECT_EQ(frame.At(10, 12), device->ReadARGB(10, 12) & 0xFFFFFF);

    // Switching off flushes once more; switching off again copies nothing.
    DDSetVirBackBuffer(FALSE);
    EXPECT_EQ(lpDTCon->lpDefaultTarget, &VirBackBuffer);
    lpSD = &BackBuffer;
    EXPECT_FALSE(DDRedirectBackBuffer(&lpSD));
    WriteMarker(&VirBackBuffer, c.nBpp, 20, 12);
    DDSetVirBackBuffer(FALSE);
    EXPECT_FALSE(ShowsMarker(device->ReadARGB(20, 12), c.nBpp));
    EXPECT_EQ(lpDTCon->bFlushing, 0);
}

INSTANTIATE_TEST_SUITE_P(Matrix, VirBackBufferTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
