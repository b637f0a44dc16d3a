#include "core/RecordImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "CoreTestSupport.h"
#include "core/RecordFile.h"
#include "core/RecordReader.h"

namespace {

using coretest::Bytes;
using coretest::TempFolder;

// A file opened by OpenDatLoad is read from memory by the record readers and through stdio by
// record classes that read their own blocks: both must see one read position.
class RecordImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // version 720, int32 11, three bytes 1 2 3, int32 22: 15 bytes
        folder.Write("in.dat", Bytes().I32(720).I32(11).U8(1).U8(2).U8(3).I32(22).str());
        fp = OpenDatLoad("in.dat");
        ASSERT_NE(fp, nullptr);
    }
    void TearDown() override { CloseDat(fp); }

    TempFolder folder;
    FILE* fp = nullptr;
};

TEST_F(RecordImageTest, RecordReadsAndStdioShareTheReadPosition)
{
    EXPECT_EQ(nFileVersion, 720);
    EXPECT_EQ(std::ftell(fp), 4);
    std::int32_t value = 0;
    ASSERT_TRUE(ReadInt32(fp, value));
    EXPECT_EQ(value, 11);
    unsigned char block[3] = {};
    ASSERT_EQ(std::fread(block, 1, 3, fp), 3u);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[2], 3);
    EXPECT_EQ(std::ftell(fp), 11);
    EXPECT_EQ(RecordBytesLeft(fp), 4);
    ASSERT_TRUE(ReadInt32(fp, value));
    EXPECT_EQ(value, 22);
    EXPECT_EQ(RecordBytesLeft(fp), 0);
    EXPECT_FALSE(ReadInt32(fp, value));
    EXPECT_EQ(value, 22);
    EXPECT_EQ(std::fgetc(fp), EOF);
}

TEST_F(RecordImageTest, SeeksMoveTheRecordReadersToo)
{
    std::int32_t value = 0;
    ASSERT_EQ(std::fseek(fp, -4, SEEK_END), 0);
    ASSERT_TRUE(ReadInt32(fp, value));
    EXPECT_EQ(value, 22);

    ASSERT_EQ(std::fseek(fp, 4, SEEK_SET), 0);
    ASSERT_TRUE(ReadInt32(fp, value));
    EXPECT_EQ(value, 11);
    ASSERT_EQ(std::fseek(fp, 3, SEEK_CUR), 0);
    EXPECT_EQ(RecordBytesLeft(fp), 4);

    // Past the end, as on a file: nothing left, nothing read, the position kept.
    ASSERT_EQ(std::fseek(fp, 100, SEEK_SET), 0);
    EXPECT_EQ(std::ftell(fp), 100);
    EXPECT_EQ(RecordBytesLeft(fp), 0);
    EXPECT_FALSE(ReadInt32(fp, value));
    EXPECT_NE(std::fseek(fp, -1, SEEK_SET), 0);
}

TEST_F(RecordImageTest, ShortReadTakesWhatIsLeftAsFreadDoes)
{
    ASSERT_EQ(std::fseek(fp, 13, SEEK_SET), 0);
    std::int32_t value = 5;
    EXPECT_FALSE(ReadInt32(fp, value));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(RecordBytesLeft(fp), 0);
    EXPECT_EQ(std::ftell(fp), 15);

    ASSERT_EQ(std::fseek(fp, 10, SEEK_SET), 0);
    unsigned char block[8] = {};
    EXPECT_FALSE(RecordReader(fp).Read(block, sizeof(block)));
    EXPECT_EQ(block[0], 3);  // the five bytes that were there are copied
    EXPECT_EQ(block[1], 22);
    EXPECT_EQ(std::ftell(fp), 15);
}

// Streams are told apart by their address, which the C library hands out again after a close.
TEST_F(RecordImageTest, ClosedFileDoesNotLingerBehindTheNextStream)
{
    CloseDat(fp);
    folder.Write("other.dat", Bytes().I32(700).I32(33).str());
    fp = OpenDatLoad("other.dat");
    ASSERT_NE(fp, nullptr);
    std::int32_t value = 0;
    ASSERT_TRUE(ReadInt32(fp, value));
    EXPECT_EQ(value, 33);
    EXPECT_EQ(RecordBytesLeft(fp), 0);
    CloseDat(fp);

    // A plain stream, likely at the same address: measured as a file of its own.
    fp = std::fopen(folder.Host("in.dat").c_str(), "rb");
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(RecordBytesLeft(fp), 15);
    ASSERT_TRUE(ReadInt32(fp, value));
    EXPECT_EQ(value, 720);
    EXPECT_EQ(RecordBytesLeft(fp), 11);
    std::fclose(fp);
    fp = nullptr;
}

}  // namespace
