// Pixel locks over the six configurations: every kind of surface, the redirections, failures.
#include "graphics/LockSD.h"
#include "GraphicsTestSupport.h"

namespace gfxtest {
namespace {

// A raw value of the screen format that is not what a new surface holds.
DWORD Marker(const Config& c)
{
    if (c.nBpp == 8) return 0x5A;
    if (c.nBpp == 16) return 0x8421;  // under Direct3D with the alpha bit set
    return c.bDirect3D ? 0xFF112233u : 0x00112233u;
}

// The value stored in the surface behind a record, read without any lock.
DWORD Stored(const DDSURFACEDATA& sd, int x, int y)
{
    if (sd.lpDDS) return DDrawPeekPixel(sd.lpDDS->lpDDSurface, x, y);
    return sd.lpDT->lpSurface->ReadRaw(static_cast<UINT>(x), static_cast<UINT>(y));
}

class LockTest : public GraphicsMatrixTest {
protected:
    void SetUp() override
    {
        GraphicsMatrixTest::SetUp();
        Write("bmp\\Debug.bmp", Bmp8(32, 16, [](int x, int) { return 1u + static_cast<std::uint32_t>(x % 5); }));
        Write("bmp\\Block.bmp", Bmp8(32, 16, [](int, int) { return 2u; }));
        ASSERT_TRUE(Open(GetParam()));
        LinkSharedSurfaces();
        const int slots[] = {1, 2, 3, 67, 70};
        ASSERT_TRUE(DDLoadSurfaces(SDTable, slots, 5));
    }
};

TEST_P(LockTest, WritesThroughTheLockReachTheSurfaceOfEveryKind)
{
    const Config& c = GetParam();
    // The back buffer, a bitmap texture, an empty render target (through its system copy) and a
    // system-memory texture.
    DDSURFACEDATA* const records[] = {&BackBuffer, &SDTable[1], &SDTable[67], &SDTable[70]};
    for (DDSURFACEDATA* lpSD : records) {
        SCOPED_TRACE(lpSD->szSurfaceType + " " + std::to_string(lpSD->nWidth));
        {
            cLockSD lock(lpSD, c.nBpp);
            ASSERT_TRUE(lock.IsLocked());
            EXPECT_EQ(lock.Surface(), lpSD);
            EXPECT_EQ(lock.BytesPerPixel(), c.nBpp / 8);
            EXPECT_GE(lock.Pitch(), lpSD->nWidth);
            lock.Write(2, 3, Marker(c));
        }
        EXPECT_EQ(Stored(*lpSD, 2, 3), Marker(c));
        cLockSD again(lpSD, c.nBpp);
        ASSERT_TRUE(again.IsLocked());
        EXPECT_EQ(again.Read(2, 3), Marker(c));
        EXPECT_NE(again.Read(3, 3), Marker(c));
    }
}

TEST_P(LockTest, LocksTheSurfaceADrawingWouldReallyUse)
{
    const Config& c = GetParam();
    {
        cLockSD shared(&SDTable[3], c.nBpp);
        EXPECT_EQ(shared.Surface(), c.bDirect3D ? &SDTable[2] : &SDTable[3]);
    }
    DDSetVirBackBuffer(TRUE);
    {
        cLockSD back(&BackBuffer, c.nBpp);
        EXPECT_EQ(back.Surface(), c.bDirect3D ? &VirBackBuffer : &BackBuffer);
    }
    DDSetVirBackBuffer(FALSE);
}

// A render target is locked through its system copy: what reaches the texture afterwards is the
// whole copy, only the written area the lock was given, or nothing for a read-only lock; pixels
// the holder read come back as they were.
TEST_P(LockTest, ARenderTargetGetsBackWhatTheLockMayHaveWritten)
{
    const Config& c = GetParam();
    if (!c.bDirect3D) GTEST_SKIP() << "DirectDraw locks the surface itself";
    DDSURFACEDATA* rt = &SDTable[67];
    const DWORD before = Stored(*rt, 0, 0);
    const DWORD marker = Marker(c);
    const RECT area{4, 5, 9, 7};  // the pixels 4..8 x 5..6
    {
        cLockSD whole(rt, c.nBpp);
        ASSERT_TRUE(whole.IsLocked());
        whole.Write(1, 1, marker);
    }
    EXPECT_EQ(Stored(*rt, 1, 1), marker);
    {
        cLockSD part(rt, c.nBpp, LockAccess::ReadWrite, &area);
        ASSERT_TRUE(part.IsLocked());
        EXPECT_EQ(part.Read(1, 1), marker);  // read back whole
        for (const POINT p : {POINT{4, 5}, POINT{8, 6}, POINT{3, 5}, POINT{9, 6}, POINT{4, 7}})
            part.Write(p.x, p.y, marker);
    }
    EXPECT_EQ(Stored(*rt, 4, 5), marker);
    EXPECT_EQ(Stored(*rt, 8, 6), marker);
    EXPECT_EQ(Stored(*rt, 3, 5), before);  // outside the area: the texture keeps its own pixel
    EXPECT_EQ(Stored(*rt, 9, 6), before);
    EXPECT_EQ(Stored(*rt, 4, 7), before);
    {
        cLockSD reading(rt, c.nBpp, LockAccess::ReadOnly);
        ASSERT_TRUE(reading.IsLocked());
        EXPECT_EQ(reading.Read(8, 6), marker);
    }
    EXPECT_EQ(Stored(*rt, 8, 6), marker);
    // An area beyond the picture is cut to it.
    const RECT beyond{-100, -100, 100000, 100000};
    {
        cLockSD all(rt, c.nBpp, LockAccess::ReadWrite, &beyond);
        ASSERT_TRUE(all.IsLocked());
        all.Write(rt->nWidth - 1, rt->nHeight - 1, marker);
    }
    EXPECT_EQ(Stored(*rt, rt->nWidth - 1, rt->nHeight - 1), marker);
}

TEST_P(LockTest, AFailedLockGivesNoPixels)
{
    const Config& c = GetParam();
    DDSURFACEDATA empty;
    cLockSD none(&empty, c.nBpp);
    EXPECT_FALSE(none.IsLocked());
    EXPECT_EQ(none.Bits(), nullptr);
    DDSURFACEDESC2 desc;
    void* bits = nullptr;
    if (c.bDirect3D) {
        // Direct3D code locks through cLockSD only.
        EXPECT_TRUE(DDLock(&SDTable[1], &desc, &bits, c.nBpp));
        EXPECT_EQ(bits, nullptr);
        return;
    }
    ASSERT_TRUE(DDLock(&SDTable[1], &desc, &bits, c.nBpp));
    EXPECT_NE(bits, nullptr);
    SDTable[1].lpDDS->lpDDSurface->Unlock(nullptr);
    DDrawLoseAllSurfaces();
    EXPECT_FALSE(DDLock(&SDTable[1], &desc, &bits, c.nBpp));
    cLockSD lost(&SDTable[1], c.nBpp);
    EXPECT_FALSE(lost.IsLocked());
}

INSTANTIATE_TEST_SUITE_P(Matrix, LockTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
