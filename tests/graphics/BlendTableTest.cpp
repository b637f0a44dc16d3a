// Loading the blend table: exactly 65536 bytes or nothing.
#include "graphics/BlendTable.h"

#include <vector>

#include "GraphicsTestSupport.h"

namespace gfxtest {
namespace {

class BlendTableTest : public GraphicsTest {
protected:
    static std::string TableBytes(size_t n)
    {
        std::string bytes(n, '\0');
        for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 13 + i / 256) & 0xFF);
        return bytes;
    }
    std::vector<BYTE> m_table = std::vector<BYTE>(kBlendTableBytes, 0xAA);
};

TEST_F(BlendTableTest, DirectDrawReadsAWholeTable)
{
    ASSERT_TRUE(Open(kConfigs[3]));
    const std::string bytes = TableBytes(65536);
    Write("bmp\\hbt\\hbt01.dat", bytes);
    ASSERT_TRUE(DDLoadBlendTable(m_table.data(), "bmp\\hbt\\hbt01.dat"));
    EXPECT_EQ(std::string(m_table.begin(), m_table.end()), bytes);
}

TEST_F(BlendTableTest, DirectDrawRefusesMissingShortAndLongFiles)
{
    ASSERT_TRUE(Open(kConfigs[3]));
    Write("bmp\\hbt\\short.dat", TableBytes(65535));
    Write("bmp\\hbt\\long.dat", TableBytes(65537));
    for (const char* path : {"bmp\\hbt\\missing.dat", "bmp\\hbt\\short.dat", "bmp\\hbt\\long.dat"}) {
        EXPECT_FALSE(DDLoadBlendTable(m_table.data(), path)) << path;
        EXPECT_EQ(m_table, std::vector<BYTE>(kBlendTableBytes, 0xAA)) << path;
    }
}

TEST_F(BlendTableTest, Direct3DReadsNothing)
{
    ASSERT_TRUE(Open(kConfigs[2]));
    Write("bmp\\hbt\\hbt01.dat", TableBytes(65536));
    EXPECT_TRUE(DDLoadBlendTable(m_table.data(), "bmp\\hbt\\hbt01.dat"));
    EXPECT_TRUE(DDLoadBlendTable(m_table.data(), "bmp\\hbt\\missing.dat"));
    EXPECT_EQ(m_table, std::vector<BYTE>(kBlendTableBytes, 0xAA));
}

}  // namespace
}  // namespace gfxtest
