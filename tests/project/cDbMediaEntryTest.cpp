#include "project/cDbMediaEntry.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "project/cDbBgm.h"
#include "project/cDbPicture.h"
#include "project/cDbSound.h"

namespace {

using projecttest::ProjectTest;
using testsupport::MediaSpec;

using cDbMediaEntryTest = ProjectTest;

MediaSpec StoredMedia()
{
    return MediaSpec{"title", 6, "wave\\se1.wav"};
}

struct VersionCase {
    int version;
    int expectedReserved;
};

// nReserved is stored from 151 and kept from 153; the two texts follow it in every layout.
const VersionCase kVersionCases[] = {{150, 0}, {151, 0}, {152, 0}, {153, 6}, {720, 6}};

TEST_F(cDbMediaEntryTest, PictureSoundAndBgmReadEveryLayoutByVersion)
{
    auto check = [this](auto entry, const char* table) {
        for (const VersionCase& c : kVersionCases) {
            SCOPED_TRACE(testing::Message() << table << ", version " << c.version);
            entry.nReserved = 3;
            ASSERT_EQ(LoadSpec(entry, c.version, StoredMedia()), 1);
            EXPECT_EQ(entry.strName, "title");
            EXPECT_EQ(entry.strFileName, "wave\\se1.wav");
            EXPECT_EQ(entry.nReserved, c.expectedReserved);
        }
    };
    check(cDbPicture(), "Picture");
    check(cDbSound(), "Sound");
    check(cDbBgm(), "Bgm");
}

TEST_F(cDbMediaEntryTest, SavesThe720Layout)
{
    cDbBgm bgm;
    ASSERT_EQ(LoadSpec(bgm, 150, StoredMedia()), 1);
    MediaSpec expected = StoredMedia();
    expected.reserved = 0;
    EXPECT_EQ(SavedBytes(bgm), Expected720(expected));
}

}  // namespace
