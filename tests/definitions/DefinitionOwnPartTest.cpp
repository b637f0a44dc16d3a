#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "DefinitionsTestSupport.h"
#include "definitions/DefinitionOwnPart.h"

namespace definitionstest {
namespace {

class DefinitionOwnPartTest : public DefinitionsTest {
protected:
    // Reads inheritance flags from a file holding the version head and bytes,
    // opened by OpenDatLoad (held in memory) or as a plain stdio stream (as a file too large to be
    // held in memory is read).
    int ReadFlags(const ByteWriter& bytes, bool fromMemory, cVector<std::uint8_t>& flags)
    {
        ByteWriter file;
        file.I32(kCurrentDataVersion).Append(bytes);
        folder.Write("flags.dat", file.Data());
        FILE* fp = fromMemory ? OpenDatLoad("flags.dat") : std::fopen(folder.Host("flags.dat").c_str(), "rb");
        if (fp == nullptr) {
            ADD_FAILURE() << "flags.dat cannot be opened";
            return -1;
        }
        int ok = -1;
        if (fromMemory || std::fseek(fp, 4, SEEK_SET) == 0) {
            ok = LoadInheritFlags(fp, flags);
        }
        if (fromMemory) {
            CloseDat(fp);
        } else {
            std::fclose(fp);
        }
        return ok;
    }
};

TEST_F(DefinitionOwnPartTest, InheritFlagsAreKeptAsStoredAndRefusedBeyondTheFile)
{
    struct Case {
        const char* what;
        ByteWriter bytes;
        int ok;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"fewer than the groups are kept as stored", ByteWriter().I32(2).U8(1).U8(2), 1, {1, 2}},
        {"none stored", ByteWriter().I32(0), 1, {}},
        {"more than the groups are kept", ByteWriter().I32(5).U8(1).U8(0).U8(0).U8(1).U8(1), 1, {1, 0, 0, 1, 1}},
        {"a count beyond the file leaves the flags", ByteWriter().I32(3).U8(1).U8(1), 0, {9, 9}},
        {"a negative count leaves the flags", ByteWriter().I32(-1).U8(1), 0, {9, 9}},
    };
    for (bool fromMemory : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << (fromMemory ? ", in memory" : ", through stdio"));
            cVector<std::uint8_t> flags{9, 9};
            EXPECT_EQ(ReadFlags(c.bytes, fromMemory, flags), c.ok);
            EXPECT_EQ(std::vector<std::uint8_t>(flags.begin(), flags.end()), c.expected);
        }
    }
}

}  // namespace
}  // namespace definitionstest
