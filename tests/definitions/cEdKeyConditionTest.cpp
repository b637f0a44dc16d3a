#include "definitions/cEdKeyCondition.h"

#include <gtest/gtest.h>

#include "DefinitionsTestSupport.h"
#include "definitions/ConditionList.h"

namespace {

using definitionstest::DefinitionsTest;
using testsupport::ByteWriter;
using testsupport::KeyConditionSpec;

using cEdKeyConditionTest = DefinitionsTest;

KeyConditionSpec StoredKeyCondition()
{
    KeyConditionSpec k;
    k.facingRelative = 1;
    k.minFrames = -3;
    k.maxFrames = 600;
    k.anyLength = 1;
    k.keyMode = 2;
    k.keys[2] = 1;
    k.keys[4] = 2;
    k.keys[18] = 1;
    return k;
}

TEST_F(cEdKeyConditionTest, NewKeyConditionTestsNothing)
{
    cEdKeyCondition key;
    key.m_nKeyMode = 1;
    key.m_KeyFlag.assign(3, 2);
    key.Reset();
    EXPECT_EQ(key.m_nKeyMode, 0);
    EXPECT_EQ(key.m_KeyFlag, cVector<std::uint8_t>(19, 0));
}

TEST_F(cEdKeyConditionTest, ReadsAndSavesTheStoredLayout)
{
    cEdKeyCondition key;
    ASSERT_EQ(LoadSpec(key, 720, StoredKeyCondition()), 1);
    EXPECT_EQ(key.m_bFacingRelative, 1);
    EXPECT_EQ(key.m_nMinFrames, -3);
    EXPECT_EQ(key.m_nMaxFrames, 600);
    EXPECT_EQ(key.m_bAnyLength, 1);
    EXPECT_EQ(key.m_nKeyMode, 2);
    ASSERT_EQ(key.m_KeyFlag.size(), 19u);
    EXPECT_EQ(key.m_KeyFlag[2], 1);
    EXPECT_EQ(key.m_KeyFlag[4], 2);
    EXPECT_EQ(key.m_KeyFlag[18], 1);
    EXPECT_EQ(SavedBytes(key), Expected720(StoredKeyCondition()));
}

TEST_F(cEdKeyConditionTest, VectorLengthsAsStoredButNeverShorterThan19)
{
    struct Case {
        std::size_t stored;
        std::size_t loaded;
    };
    for (Case c : {Case{0, 19}, Case{5, 19}, Case{19, 19}, Case{25, 25}}) {
        SCOPED_TRACE(testing::Message() << c.stored << " entries stored");
        KeyConditionSpec spec;
        spec.keys.assign(c.stored, 1);
        cEdKeyCondition key;
        ASSERT_EQ(LoadSpec(key, 150, spec), 1);
        ASSERT_EQ(key.m_KeyFlag.size(), c.loaded);
        for (std::size_t i = 0; i < c.loaded; ++i) {
            EXPECT_EQ(key.m_KeyFlag[static_cast<int>(i)], i < c.stored ? 1 : 0) << "entry " << i;
        }
    }
}

TEST_F(cEdKeyConditionTest, EntryCountBeyondTheFileIsRefused)
{
    for (std::int32_t count : {-1, 20, 1 << 30}) {
        SCOPED_TRACE(count);
        ByteWriter bytes;
        bytes.I32(5).U8(0).I16(0).I16(0).U8(0).U8(0).I32(0).I32(count);
        for (int i = 0; i < 19; ++i) {
            bytes.U8(1);
        }
        cEdKeyCondition key;
        EXPECT_EQ(LoadBytes(key, 720, bytes), 0);
        EXPECT_GE(key.m_KeyFlag.size(), 19u);
    }
}

}  // namespace
