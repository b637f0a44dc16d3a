// Pixel conversions of the Direct3D stand-in: bit replication on the way up, truncation and the
// alpha-bit threshold of 128 on the way down, X bits written as ones.
#include <gtest/gtest.h>

#include "platform/d3d9/D3D9PixelFormat.h"

namespace {

struct EncodeCase {
    D3DFORMAT format;
    std::uint32_t argb;
    std::uint32_t raw;
};

class D3D9PixelFormatEncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(D3D9PixelFormatEncodeTest, StoresTheTruncatedChannels)
{
    const EncodeCase& c = GetParam();
    EXPECT_EQ(c.raw, D3D9EncodeValue(c.format, c.argb));
}

INSTANTIATE_TEST_SUITE_P(Formats, D3D9PixelFormatEncodeTest,
                         ::testing::Values(EncodeCase{D3DFMT_A8R8G8B8, 0x12345678u, 0x12345678u},
                                           EncodeCase{D3DFMT_X8R8G8B8, 0x00345678u, 0xFF345678u},
                                           // 0x0F >> 3 = 1, 0xFF >> 2 = 63, 0x07 >> 3 = 0
                                           EncodeCase{D3DFMT_R5G6B5, 0xFF0FFF07u, (1u << 11) | (63u << 5) | 0u},
                                           EncodeCase{D3DFMT_A1R5G5B5, 0x7FFFFFFFu, 0x7FFFu},  // alpha 127: bit clear
                                           EncodeCase{D3DFMT_A1R5G5B5, 0x80FFFFFFu, 0xFFFFu},  // alpha 128: bit set
                                           EncodeCase{D3DFMT_A1R5G5B5, 0xFF804020u,
                                                      0x8000u | (16u << 10) | (8u << 5) | 4u},
                                           EncodeCase{D3DFMT_X1R5G5B5, 0x00000000u, 0x8000u}));

struct DecodeCase {
    D3DFORMAT format;
    std::uint32_t raw;
    std::uint32_t argb;
};

class D3D9PixelFormatDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(D3D9PixelFormatDecodeTest, ReplicatesTheTopBits)
{
    const DecodeCase& c = GetParam();
    BYTE bytes[4] = {};
    D3D9StoreValue(c.format, c.raw, bytes);
    EXPECT_EQ(c.argb, D3D9DecodePixel(c.format, bytes));
}

INSTANTIATE_TEST_SUITE_P(Formats, D3D9PixelFormatDecodeTest,
                         ::testing::Values(DecodeCase{D3DFMT_X8R8G8B8, 0x00102030u, 0xFF102030u},
                                           // 5-bit 16 -> 0x84, 6-bit 32 -> 0x82, 5-bit 1 -> 0x08
                                           DecodeCase{D3DFMT_R5G6B5, (16u << 11) | (32u << 5) | 1u, 0xFF848208u},
                                           DecodeCase{D3DFMT_A1R5G5B5, 0x7FFFu, 0x00FFFFFFu},
                                           DecodeCase{D3DFMT_A1R5G5B5, 0x8000u, 0xFF000000u},
                                           DecodeCase{D3DFMT_X1R5G5B5, 0x001Fu, 0xFF0000FFu}));

}  // namespace
