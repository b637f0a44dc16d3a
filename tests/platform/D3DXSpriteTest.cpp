// The D3DX sprite: pixel-exact placement, colour modulation, drawing order with and without
// texture sorting, the state save and restore of Begin/End, and its part in the Reset rule.
#include <gtest/gtest.h>

#include "D3D9TestDevice.h"
#include "platform/d3d9/D3DX.h"

namespace {

class D3DXSpriteTest : public D3D9Test {
protected:
    void SetUp() override
    {
        D3D9Test::SetUp();
        d = std::make_unique<D3D9TestDevice>(6, 4);
        ASSERT_EQ(D3D_OK, D3DXCreateSprite(d->dev, &sprite));
        d->dev->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    }
    void TearDown() override
    {
        if (sprite) sprite->Release();
        d.reset();
        D3D9Test::TearDown();
    }
    IDirect3DTexture9* Solid(D3DCOLOR argb, UINT size = 2) const
    {
        return d->MakeTexture(size, size, D3DFMT_A8R8G8B8, std::vector<std::uint32_t>(size * size, argb));
    }
    IDirect3DSurface9* Back() const { return d->BackBuffer(); }

    std::unique_ptr<D3D9TestDevice> d;
    ID3DXSprite* sprite = nullptr;
};

TEST_F(D3DXSpriteTest, DrawsTheSourceRectangleTexelForTexelAtItsPosition)
{
    IDirect3DTexture9* tex = d->MakeTexture(
        4, 2, D3DFMT_A8R8G8B8,
        {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u, 0xFF000005u, 0xFF000006u, 0xFF000007u, 0xFF000008u});
    const RECT source{1, 0, 3, 2};
    const D3DXVECTOR3 position{3, 1, 0};
    const D3DXVECTOR3 center{1, 0, 0};  // the corner lands at (2, 1)
    d->dev->BeginScene();
    ASSERT_EQ(D3D_OK, sprite->Begin(D3DXSPRITE_ALPHABLEND));
    ASSERT_EQ(D3D_OK, sprite->Draw(tex, &source, &center, &position, 0xFFFFFFFFu));
    ASSERT_EQ(D3D_OK, sprite->End());
    d->dev->EndScene();
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = 0; x < 6; ++x) {
            std::uint32_t expected = 0xFF000000u;
            if (x >= 2 && x <= 3 && y >= 1 && y <= 2) expected = 0xFF000000u | ((y - 1) * 4 + (x - 2) + 2);
            EXPECT_EQ(expected, Back()->ReadRaw(x, y)) << x << "," << y;
        }
    tex->Release();
}

TEST_F(D3DXSpriteTest, ColourModulatesAndAlphaBlends)
{
    IDirect3DTexture9* tex = Solid(0xFFFFFFFFu);
    d->dev->BeginScene();
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    sprite->Draw(tex, nullptr, nullptr, nullptr, 0xFF808080u);  // white x grey = grey
    const D3DXVECTOR3 right{3, 0, 0};
    sprite->Draw(tex, nullptr, nullptr, &right, 0x80FF0000u);  // half-transparent red over black
    sprite->End();
    d->dev->EndScene();
    EXPECT_EQ(0xFF808080u, Back()->ReadRaw(1, 1));
    EXPECT_EQ(0xFF800000u, Back()->ReadRaw(3, 0));  // (255*128 + 127)/255 = 128
    tex->Release();
}

TEST_F(D3DXSpriteTest, SortTextureGroupsByFirstUseOtherwiseDrawOrder)
{
    IDirect3DTexture9* red = Solid(0xFFFF0000u);
    IDirect3DTexture9* blue = Solid(0xFF0000FFu);
    auto drawThree = [&](DWORD flags) {
        d->dev->CallLog().Clear();
        d->dev->CallLog().Enable(true);
        d->dev->BeginScene();
        sprite->Begin(flags);
        sprite->Draw(red, nullptr, nullptr, nullptr, 0xFFFFFFFFu);
        sprite->Draw(blue, nullptr, nullptr, nullptr, 0xFFFFFFFFu);
        sprite->Draw(red, nullptr, nullptr, nullptr, 0xFFFFFFFFu);
        sprite->End();
        d->dev->EndScene();
        std::vector<const IDirect3DTexture9*> textures;
        for (const D3D9CallRecord& r : d->dev->CallLog().Records())
            if (r.kind == D3D9CallRecord::Kind::DrawPrimitiveUP) textures.push_back(r.texture);
        return textures;
    };
    EXPECT_EQ((std::vector<const IDirect3DTexture9*>{red, blue, red}), drawThree(D3DXSPRITE_ALPHABLEND));
    EXPECT_EQ(0xFFFF0000u, Back()->ReadRaw(0, 0));
    EXPECT_EQ((std::vector<const IDirect3DTexture9*>{red, red, blue}),
              drawThree(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE));
    EXPECT_EQ(0xFF0000FFu, Back()->ReadRaw(0, 0));
    red->Release();
    blue->Release();
}

TEST_F(D3DXSpriteTest, EndPutsTheDeviceStateBack)
{
    IDirect3DTexture9* tex = Solid(0xFFFFFFFFu);
    IDirect3DTexture9* bound = Solid(0xFF00FF00u);
    d->SetEngineStates();
    d->SetOps(D3DTOP_SELECTARG2, D3DTOP_DISABLE);
    d->dev->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    d->dev->SetTexture(0, bound);
    auto state = [&] {
        DWORD colorOp = 0, alphaOp = 0, blend = 0, cull = 0, fvf = 0;
        d->dev->GetTextureStageState(0, D3DTSS_COLOROP, &colorOp);
        d->dev->GetTextureStageState(0, D3DTSS_ALPHAOP, &alphaOp);
        d->dev->GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
        d->dev->GetRenderState(D3DRS_CULLMODE, &cull);
        d->dev->GetFVF(&fvf);
        return std::vector<DWORD>{colorOp, alphaOp, blend, cull, fvf};
    };
    const std::vector<DWORD> before = state();
    d->dev->BeginScene();
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    sprite->Draw(tex, nullptr, nullptr, nullptr, 0xFFFFFFFFu);
    sprite->End();
    EXPECT_EQ(before, state());
    EXPECT_EQ(bound, d->dev->SaveState().textures[0].Get());

    sprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_DONOTSAVESTATE);
    sprite->Draw(tex, nullptr, nullptr, nullptr, 0xFFFFFFFFu);
    sprite->End();
    d->dev->EndScene();
    EXPECT_EQ((std::vector<DWORD>{D3DTOP_MODULATE, D3DTOP_MODULATE, TRUE, D3DCULL_NONE, 0x144}), state());
    d->dev->SetTexture(0, nullptr);
    tex->Release();
    bound->Release();
}

TEST_F(D3DXSpriteTest, CallsOutOfOrderAreRefused)
{
    IDirect3DTexture9* tex = Solid(0xFFFFFFFFu);
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite->Draw(tex, nullptr, nullptr, nullptr, 0xFFFFFFFFu));
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite->End());
    ASSERT_EQ(D3D_OK, sprite->Begin(0));
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite->Begin(0));
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite->Draw(nullptr, nullptr, nullptr, nullptr, 0xFFFFFFFFu));
    sprite->Draw(tex, nullptr, nullptr, nullptr, 0xFFFFFFFFu);
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite->End());  // no scene: the draw fails
    tex->Release();
}

TEST_F(D3DXSpriteTest, ResetWaitsForOnLostDevice)
{
    IDirect3DDevice9* dev = d->dev;
    dev->SimulateDeviceLoss();
    dev->MakeDeviceResettable();
    D3DPRESENT_PARAMETERS pp = d->pp;
    EXPECT_EQ(D3DERR_INVALIDCALL, dev->Reset(&pp));
    ASSERT_EQ(D3D_OK, sprite->OnLostDevice());
    EXPECT_EQ(D3DERR_INVALIDCALL, sprite->Begin(0));
    ASSERT_EQ(D3D_OK, dev->Reset(&pp));
    ASSERT_EQ(D3D_OK, sprite->OnResetDevice());
    EXPECT_EQ(D3D_OK, sprite->Begin(0));
    EXPECT_EQ(D3D_OK, sprite->End());
    // Alive again: a second reset is refused until the next OnLostDevice.
    EXPECT_EQ(D3DERR_INVALIDCALL, dev->Reset(&pp));
}

TEST_F(D3DXSpriteTest, SpriteHoldsItsDevice)
{
    IDirect3DDevice9* dev = d->dev;
    EXPECT_EQ(3u, dev->AddRef());  // the test device, the sprite, this call
    EXPECT_EQ(2u, dev->Release());
    sprite->Release();
    sprite = nullptr;
    EXPECT_EQ(2u, dev->AddRef());
    EXPECT_EQ(1u, dev->Release());
}

}  // namespace
