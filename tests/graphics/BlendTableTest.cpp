// Loading the blend table: the first 65536 bytes of the file, or nothing from a shorter one.
#include "graphics/BlendTable.h"

#include <algorithm>
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

TEST_F(BlendTableTest, DirectDrawReadsTheFirst65536Bytes)
{
    ASSERT_TRUE(Open(kConfigs[3]));
    // A file with bytes after the table loads like the table alone.
    for (size_t n : {size_t{65536}, size_t{65537}, size_t{70000}}) {
        const std::string bytes = TableBytes(n);
        Write("bmp\\hbt\\hbt01.dat", bytes);
        std::fill(m_table.begin(), m_table.end(), BYTE{0xAA});
        ASSERT_TRUE(DDLoadBlendTable(m_table.data(), "bmp\\hbt\\hbt01.dat")) << n;
        EXPECT_EQ(std::string(m_table.begin(), m_table.end()), bytes.substr(0, kBlendTableBytes)) << n;
    }
}

TEST_F(BlendTableTest, DirectDrawRefusesMissingAndShortFiles)
{
    ASSERT_TRUE(Open(kConfigs[3]));
    Write("bmp\\hbt\\short.dat", TableBytes(65535));
    Write("bmp\\hbt\\empty.dat", "");
    for (const char* path : {"bmp\\hbt\\missing.dat", "bmp\\hbt\\short.dat", "bmp\\hbt\\empty.dat"}) {
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
