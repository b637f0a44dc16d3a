// Device loss and restore over the six configurations: surfaces, shared slots and fonts come back.
#include <cstring>

#include "GraphicsTestSupport.h"
#include "graphics/DeviceLoss.h"
#include "graphics/LockSD.h"
#include "platform/d3d9/D3DX.h"

namespace gfxtest {
namespace {

// A font that holds a device object (a D3DX sprite, which blocks a device reset until it has let
// go of its device resources) and counts what the restore asks of it.
class TestFont : public cDeviceFont {
public:
    explicit TestFont(bool bLetsGo) : m_bLetsGo(bLetsGo)
    {
        if (lpDevice != nullptr) D3DXCreateSprite(lpDevice, &m_lpSprite);
        DDRegisterFont(this);
    }
    ~TestFont() override
    {
        DDUnregisterFont(this);
        if (m_lpSprite != nullptr) m_lpSprite->Release();
    }
    HRESULT OnLostDevice() override
    {
        ++lost;
        if (m_lpSprite != nullptr && m_bLetsGo) return m_lpSprite->OnLostDevice();
        return D3D_OK;
    }
    // From now on the font lets go of its device objects when asked.
    void LetGo() { m_bLetsGo = true; }
    void Restore() override
    {
        ++restored;
        if (m_lpSprite != nullptr) m_lpSprite->OnResetDevice();
    }
    int lost = 0;
    int restored = 0;

private:
    bool m_bLetsGo;
    ID3DXSprite* m_lpSprite = nullptr;
};

DWORD ReadPixel(DDSURFACEDATA* lpSD, int x, int y)
{
    cLockSD lock(lpSD, nScreenBpp);
    return lock.IsLocked() ? lock.Read(x, y) : 0xDEADBEEF;
}

void WritePixel(DDSURFACEDATA* lpSD, int x, int y, DWORD value)
{
    cLockSD lock(lpSD, nScreenBpp);
    ASSERT_TRUE(lock.IsLocked());
    lock.Write(x, y, value);
}

class DeviceLossTest : public GraphicsMatrixTest {
protected:
    void SetUp() override
    {
        GraphicsMatrixTest::SetUp();
        Write("bmp\\plt\\Palette.bmp", PaletteBmp());
        Write("bmp\\Block.bmp", Bmp8(64, 32, [](int x, int) { return 1u + static_cast<std::uint32_t>(x % 5); }));
        const Config& c = GetParam();
        ASSERT_TRUE(Open(c));
        LinkSharedSurfaces();
        ASSERT_TRUE(DDLoadPaletteFromFile(Palette, "bmp\\plt\\Palette.bmp", c.nBpp));
        std::memcpy(PaletteBackup, Palette, sizeof(Palette));
        ASSERT_TRUE(SetTrans("bmp\\plt\\Palette.bmp"));
        // A bitmap, its shared twin, empty keyed and unkeyed surfaces, a system-memory surface.
        const int slots[] = {2, 3, 66, 67, 70};
        ASSERT_TRUE(DDLoadSurfaces(SDTable, slots, 5));
    }
    // Block.bmp's pixel at column 3: white (index 4).
    DWORD Picture() const { return LoadedRaw(GetParam(), kWhite, 4); }
};

TEST_P(DeviceLossTest, RestoresPicturesSharesAndFontsAndMarksEmptySurfacesLost)
{
    const Config& c = GetParam();
    TestFont font(true);
    const DWORD marker = c.nBpp == 8 ? 0x33 : c.nBpp == 16 ? 0x8421 : 0xFF123456u;
    WritePixel(&SDTable[2], 3, 0, marker);
    WritePixel(&SDTable[67], 5, 5, marker);
    WritePixel(&SDTable[70], 5, 5, marker);

    if (c.bDirect3D) {
        IDirect3DTexture9* systemTexture = SDTable[70].lpDT->lpTexture;
        lpDevice->SimulateDeviceLoss();
        EXPECT_FALSE(DDPresent(60, 0, nullptr));
        // Not resettable yet: nothing is released, and the next restore is tried later.
        EXPECT_FALSE(DDRestoreSurface());
        EXPECT_NE(SDTable[2].lpDT->lpTexture, nullptr);
        EXPECT_NE(BackBuffer.lpDT->lpSurface, nullptr);
        EXPECT_EQ(font.lost, 0);
        EXPECT_FALSE(DDRestoreSurface());

        lpDevice->MakeDeviceResettable();
        ASSERT_TRUE(DDRestoreSurface());
        EXPECT_EQ(font.lost, 1);
        EXPECT_EQ(font.restored, 1);
        EXPECT_EQ(SDTable[70].lpDT->lpTexture, systemTexture);  // kept through the reset
        EXPECT_EQ(ReadPixel(&SDTable[70], 5, 5), marker);
        EXPECT_EQ(SDTable[3].lpShareSD, &SDTable[2]);
        EXPECT_EQ(SDTable[3].lpDT->lpTexture, nullptr);
        EXPECT_EQ(VirBackBuffer.bLost, 1);
        EXPECT_NE(BackBuffer.lpDT->lpSurface, nullptr);
        EXPECT_EQ(lpDevice->CurrentRenderTarget(), VirBackBuffer.lpDT->lpSurface);
        EXPECT_TRUE(DDPresent(60, 0, nullptr));
    } else {
        DDrawLoseAllSurfaces();
        for (auto& e : PaletteBackup) e = PALETTEENTRY{1, 2, 3, 0};
        ASSERT_TRUE(DDRestore());
        EXPECT_EQ(font.restored, 1);
        if (c.nBpp == 8) {
            PALETTEENTRY shown[256];
            lpDDPalette->GetEntries(0, 0, 256, shown);
            EXPECT_EQ(shown[200].peRed, 1);
            EXPECT_EQ(shown[200].peBlue, 3);
        }
        EXPECT_EQ(PrimarySD.lpDDS->lpDDSurface->IsLost(), DD_OK);
        EXPECT_EQ(BackBuffer.lpDDS->lpDDSurface->IsLost(), DD_OK);
    }
    // The picture is back, empty surfaces hold the transparent colour and their owners redraw them.
    EXPECT_EQ(ReadPixel(&SDTable[2], 3, 0), Picture());
    EXPECT_EQ(SDTable[2].bLost, 0);
    EXPECT_EQ(SDTable[67].bLost, 1);
    if (c.bDirect3D) {
        EXPECT_EQ(SDTable[66].bLost, 1);
        EXPECT_EQ(ReadPixel(&SDTable[67], 5, 5), 0u);  // keyed: transparent
        // The opaque key colour; at 16 bits built from the channel values 31, 0, 31 as bytes.
        EXPECT_EQ(ReadPixel(&SDTable[66], 5, 5), c.nBpp == 16 ? 0x8000u | 3u << 10 | 3u : LoadedRaw(c, kMagenta, 0));
    }
}

TEST_P(DeviceLossTest, WithNothingLostTheRestoreDoesNothing)
{
    const Config& c = GetParam();
    TestFont font(true);
    if (c.bDirect3D) {
        // The device is fine: it cannot be reset, so nothing is touched.
        EXPECT_FALSE(DDRestoreSurface());
        EXPECT_TRUE(DDRestore());  // the DirectDraw restore has nothing to do here
        EXPECT_EQ(font.lost, 0);
    } else {
        EXPECT_TRUE(DDRestore());
        EXPECT_TRUE(DDRestoreSurface());  // the Direct3D restore has nothing to do here
        EXPECT_EQ(font.restored, 0);
    }
    EXPECT_EQ(SDTable[67].bLost, 0);
}

TEST_P(DeviceLossTest, ARestoreThatCannotCompleteIsTriedAgainLater)
{
    const Config& c = GetParam();
    TestFont font(false);  // keeps its device objects at first
    if (c.bDirect3D) {
        lpDevice->SimulateDeviceLoss();
        lpDevice->MakeDeviceResettable();
        EXPECT_FALSE(DDRestoreSurface());  // the device refuses the reset
        EXPECT_EQ(font.lost, 1);
        EXPECT_EQ(font.restored, 0);
        // Drawing goes on without textures; the records keep what rebuilds them.
        EXPECT_EQ(SDTable[2].lpDT->lpTexture, nullptr);
        EXPECT_EQ(SDTable[2].szFileName, "bmp\\Block.bmp");
        font.LetGo();
        ASSERT_TRUE(DDRestoreSurface());
        EXPECT_EQ(font.restored, 1);
    } else {
        DDrawLoseAllSurfaces();
        DDrawSetFault(DDrawFault::Restore, true);
        EXPECT_TRUE(DDRestore());
        EXPECT_EQ(PrimarySD.lpDDS->lpDDSurface->IsLost(), DDERR_SURFACELOST);
        DDrawSetFault(DDrawFault::Restore, false);
        ASSERT_TRUE(DDRestore());
        EXPECT_EQ(PrimarySD.lpDDS->lpDDSurface->IsLost(), DD_OK);
    }
    EXPECT_EQ(ReadPixel(&SDTable[2], 3, 0), Picture());
}

INSTANTIATE_TEST_SUITE_P(Matrix, DeviceLossTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
