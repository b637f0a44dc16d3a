#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "StageTestSupport.h"
#include "core/AppGlobals.h"
#include "core/FailureClose.h"
#include "core/Paths.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/LoadStage.h"

namespace stagetest {
namespace {

using testsupport::MinimalStage;
using testsupport::StageFile;
using testsupport::StageSpec;

// A stage whose header and lists differ from a new one in every part that LoadStage hands out.
StageSpec DistinctStage(int width)
{
    StageSpec spec = MinimalStage();
    spec.header["m_nWidth"] = width;
    spec.header["m_nTimeLimit"] = 123;
    spec.text = "stage text";
    spec.ranking = {0, 1, 0, 1, 0};
    spec.offScreen[2] = {{1, 0, 1, 0}, {2, 3, 4, 5}};
    spec.backgrounds.resize(2);
    spec.backgrounds[1].picture = "bmp\\back.bmp";
    spec.texts = {"one"};
    spec.paletteItems.resize(4);
    return spec;
}

class LoadStageTest : public StageTest {
protected:
    // Loads a known stage into Stage and StageBackup, the state that refused files must keep.
    void LoadKnownStage()
    {
        // The newest of its variants, so that the search ends at once.
        WriteStage("data\\stg4\\known.stg4_999", DistinctStage(33));
        ASSERT_EQ(LoadStage("data\\stg4\\known.stg4", 1, &StageBackup), 1);
        ClearRecordedMessageBoxes();
    }

    // Stage and StageBackup still hold the known stage.
    void ExpectKnownStage()
    {
        EXPECT_EQ(Stage.m_nWidth, 33);
        EXPECT_EQ(Stage.m_strPath, "data\\stg4\\known.stg4_999");
        EXPECT_EQ(Stage.m_bNewest, 1);
        EXPECT_EQ(Stage.m_PlacedBlock.size(), 20u);
        EXPECT_EQ(Stage.m_PaletteItem.size(), 4u);
        EXPECT_EQ(Stage.FindHero(), 0);
        EXPECT_EQ(StageBackup.m_nWidth, 33);
        EXPECT_EQ(StageBackup.m_strText, "stage text");
    }
};

TEST_F(LoadStageTest, NewestNumberedVariantIsRead)
{
    WriteStage("data\\stg4\\a.stg4_000", DistinctStage(21));
    WriteStage("data\\stg4\\a.stg4_001", DistinctStage(22));
    WriteStage("data\\stg4\\a.stg4_010", DistinctStage(23));

    ASSERT_EQ(LoadStage("data\\stg4\\a.stg4", 1, &StageBackup), 1);
    EXPECT_EQ(Stage.m_nWidth, 23);
    EXPECT_EQ(Stage.m_strPath, "data\\stg4\\a.stg4_010");
    EXPECT_EQ(Stage.m_bNewest, 1);
    EXPECT_EQ(Stage.m_bLoaded, 1);

    // bNewest 0 reads the name as given.
    ASSERT_EQ(LoadStage("data\\stg4\\a.stg4_001", 0, nullptr), 1);
    EXPECT_EQ(Stage.m_nWidth, 22);
    EXPECT_EQ(Stage.m_strPath, "data\\stg4\\a.stg4_001");
    EXPECT_EQ(Stage.m_bNewest, 0);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(LoadStageTest, AbsolutePathIsKeptRelativeToTheGameFolder)
{
    WriteStage("data\\stg4\\a.stg4_000", MinimalStage());
    char full[MAX_PATH] = "data\\stg4\\a.stg4_000";
    ASSERT_EQ(MakeFullPath(full), 1);
    ASSERT_EQ(LoadStage(full, 0, nullptr), 1);
    EXPECT_EQ(Stage.m_strPath, ".\\data\\stg4\\a.stg4_000");
}

TEST_F(LoadStageTest, HeaderPartGoesToTheBackup)
{
    WriteStage("data\\stg4\\a.stg4_000", DistinctStage(40));
    ASSERT_EQ(LoadStage("data\\stg4\\a.stg4", 1, &StageBackup), 1);

    EXPECT_EQ(StageBackup.m_nWidth, 40);
    EXPECT_EQ(StageBackup.m_nTimeLimit, 123);
    EXPECT_EQ(StageBackup.m_strText, "stage text");
    EXPECT_EQ(StageBackup.m_Ranking, (cVector<std::int32_t>{0, 1, 0, 1, 0}));
    EXPECT_EQ(StageBackup.m_OffScreen[OFFSCREEN_ITEM].m_bTop, 1);
    EXPECT_EQ(StageBackup.m_OffScreen[OFFSCREEN_ITEM].m_nBottom, 5);
    ASSERT_EQ(StageBackup.m_Background.size(), 2u);
    EXPECT_EQ(StageBackup.m_Background[1].m_strPicture, "bmp\\back.bmp");
    ASSERT_EQ(StageBackup.m_StageString.size(), 1u);
    EXPECT_EQ(StageBackup.m_StageString[0].m_strText, "one");
    EXPECT_TRUE(StageBackup.m_PlacedBlock.empty());
    EXPECT_TRUE(StageBackup.m_PlacedChara.empty());
    EXPECT_TRUE(StageBackup.m_PlacedItem.empty());
    EXPECT_TRUE(StageBackup.m_PaletteBlock.empty());
    EXPECT_TRUE(StageBackup.m_PaletteChara.empty());
    EXPECT_TRUE(StageBackup.m_PaletteItem.empty());
    // Stage keeps everything.
    EXPECT_EQ(Stage.m_PlacedBlock.size(), 20u);
    EXPECT_EQ(Stage.m_PaletteItem.size(), 4u);
    EXPECT_EQ(Stage.m_Background.size(), 2u);
}

TEST_F(LoadStageTest, MissingVariantFailsSilently)
{
    LoadKnownStage();
    EXPECT_EQ(LoadStage("data\\stg4\\none.stg4", 1, &StageBackup), 0);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    ExpectKnownStage();
}

// A refused file: the message, whether the main window is asked to close, and Stage untouched.
TEST_F(LoadStageTest, RefusedFilesLeaveStageAsItWas)
{
    const std::string kBroken = Sjis("ステージファイル data\\stg4\\bad.stg4_000 が破損しています！");
    const std::string kFailed = Sjis("ステージファイル data\\stg4\\bad.stg4_000 の読み込みに失敗しました！");
    const std::string kNoHero = Sjis("主人公が配置されていないのでプレイできません！");

    auto spec = [](const std::function<void(StageSpec&)>& change) {
        StageSpec s = MinimalStage();
        change(s);
        return StageFile(s);
    };
    auto ofVersion = [](int version) {
        StageSpec s = MinimalStage();
        s.version = version;
        return StageFile(s);
    };
    auto cut = [](const ByteWriter& bytes, std::size_t keep) {
        ByteWriter out;
        for (std::uint8_t b : bytes.Truncated(keep)) {
            out.U8(b);
        }
        return out;
    };
    auto dropLast = [&](const ByteWriter& bytes, std::size_t drop) { return cut(bytes, bytes.Size() - drop); };
    // The middle of the file is missing, but it still ends with the end code.
    auto gap = [&](int version) {
        ByteWriter whole = ofVersion(version);
        return cut(whole, whole.Size() / 2).I32(testsupport::kStageEndCodeValue);
    };

    // One raw member or string more than the record registers, as flipped bytes in a count give:
    // the record frame would pass it over and close the program later; the loader refuses the
    // file at once instead.
    auto oneMore = [&](std::size_t countAt) {
        const ByteWriter whole = ofVersion(720);
        std::vector<std::uint8_t> bytes = whole.Data();
        bytes[countAt] += 1;
        ByteWriter out;
        for (std::uint8_t b : bytes) {
            out.U8(b);
        }
        return out;
    };

    struct Case {
        const char* what;
        ByteWriter bytes;
        std::string message;
        int closes;
    };
    const Case cases[] = {
        {"a header member too many", oneMore(4), kBroken, 1},
        {"no hero", spec([](StageSpec& s) { s.placedCharas[0].controller = 1; }), kNoHero, 1},
        {"hero without graphic", spec([](StageSpec& s) { s.placedCharas[0].graphic = 0; }), kNoHero, 1},
        {"no characters", spec([](StageSpec& s) { s.placedCharas.clear(); }), kNoHero, 1},
        {"no end code", spec([](StageSpec& s) { s.endCode = false; }), kBroken, 1},
        {"truncated 720", cut(ofVersion(720), 300), kBroken, 1},
        {"truncated 174 by one byte", dropLast(ofVersion(174), 1), kBroken, 1},
        {"middle missing 720", gap(720), kFailed, 0},
        {"middle missing 200", gap(200), kFailed, 0},
        {"truncated 173", dropLast(ofVersion(173), 2), kFailed, 0},
        {"truncated 172 by its text count", dropLast(ofVersion(172), 4), kFailed, 0},
        {"truncated 172 in the header", cut(ofVersion(172), 100), kFailed, 0},
        {"truncated 100", dropLast(ofVersion(100), 7), kFailed, 0},
        {"absurd placed count", spec([](StageSpec& s) { s.placedBlockCount = 0x10000000; }), kFailed, 0},
        {"negative placed count", spec([](StageSpec& s) { s.placedBlockCount = -1; }), kFailed, 0},
        {"version head only", ByteWriter().I32(720), kBroken, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MainWindow window;
        LoadKnownStage();
        folder.Write("data\\stg4\\bad.stg4_000", c.bytes.Data());
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        FailureClose.bRequested = false;

        EXPECT_EQ(LoadStage("data\\stg4\\bad.stg4_000", 0, &StageBackup), 0);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(window.TakePosted(WM_CLOSE), c.closes);
        // A file that closes the program leaves its reason as the report log's last line (after
        // what the reader found wrong, where it says), and the close is a failure (the exit code
        // says so).
        const std::string log = folder.Read("Report_Game.txt");
        if (c.closes != 0) {
            const std::string reason = c.message + "\r\n";
            EXPECT_TRUE(log.size() >= reason.size() &&
                        log.compare(log.size() - reason.size(), reason.size(), reason) == 0)
                << log;
        } else {
            EXPECT_EQ(log, "");
        }
        EXPECT_EQ(FailureClose.bRequested.load(), c.closes != 0);
        ExpectKnownStage();
    }
    FailureClose.bRequested = false;
}

// The field must hold one screen (20 x 15 tiles) and a block map of at most 2^20 cells (row pitch,
// the power of two above width + 19, times height + 20). Other sizes are refused as damaged.
TEST_F(LoadStageTest, FieldSizesOutsideTheBoundsAreRefusedAsDamaged)
{
    const std::string kBroken = Sjis("ステージファイル data\\stg4\\size.stg4_000 が破損しています！");
    struct Case {
        const char* what;
        int width, height;
        bool loads;
    };
    const Case cases[] = {
        {"one screen", 20, 15, true},
        {"width 0", 0, 15, false},
        {"height 0", 20, 0, false},
        {"negative width", -1, 15, false},
        {"negative height", 20, -20, false},
        {"one column below a screen", 19, 15, false},
        {"one row below a screen", 20, 14, false},
        {"the bound: 1024 x 1024 cells", 1004, 1004, true},
        {"the bound, tall: 64 x 16384 cells", 20, 16364, true},
        {"the bound, long: 16384 x 64 cells", 16364, 44, true},
        {"one row above the bound", 1004, 1005, false},
        {"one column above the bound", 1005, 1004, false},
        {"one row above the tall bound", 20, 16365, false},
        {"40000 x 65517", 40000, 65517, false},
        {"height 2^20", 20, 1 << 20, false},
        {"width 2^20", 1 << 20, 15, false},
        {"width 0x7fffffff", 0x7fffffff, 15, false},
        {"height 0x7fffffff", 20, 0x7fffffff, false},
        {"both 0x7fffffff", 0x7fffffff, 0x7fffffff, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MainWindow window;
        LoadKnownStage();
        StageSpec spec = MinimalStage();
        spec.header["m_nWidth"] = c.width;
        spec.header["m_nHeight"] = c.height;
        folder.Write("data\\stg4\\size.stg4_000", StageFile(spec).Data());

        EXPECT_EQ(LoadStage("data\\stg4\\size.stg4_000", 0, &StageBackup), c.loads ? 1 : 0);
        if (c.loads) {
            EXPECT_TRUE(BoxTexts().empty());
            EXPECT_EQ(Stage.m_nWidth, c.width);
            EXPECT_EQ(Stage.m_nHeight, c.height);
        } else {
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{kBroken});
            EXPECT_EQ(window.TakePosted(WM_CLOSE), 1);
            ExpectKnownStage();
        }
    }
}

TEST_F(LoadStageTest, MissingNamedFileIsAFailedRead)
{
    LoadKnownStage();
    EXPECT_EQ(LoadStage("data\\stg4\\gone.stg4_000", 0, &StageBackup), 0);
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{Sjis("ステージファイル data\\stg4\\gone.stg4_000 の読み込みに失敗しました！")});
    ExpectKnownStage();
}

TEST_F(LoadStageTest, QuitWhileReadingIsPostedAgain)
{
    LoadKnownStage();
    WriteStage("data\\stg4\\b.stg4_000", DistinctStage(50));
    PostQuitMessage(7);

    EXPECT_EQ(LoadStage("data\\stg4\\b.stg4", 1, &StageBackup), 0);
    ExpectKnownStage();
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(LoadStageTest, CommonPaletteStageReferencesStayAsCheckedAtStartUp)
{
    // A common block that gives stage item 3: cut at start-up, against the reset stage.
    testsupport::CommonPaletteSpec common = testsupport::MinimalCommonPalette();
    common.blocks[1].itemKind = 2;
    common.blocks[1].itemIndex = 3;
    common.blocks[1].graphic = 1;
    ASSERT_EQ(LoadCommonPalette(common), 1);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[1].m_nItemKind, 0);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[1].m_nItemIndex, 0);

    // A stage with five items does not bring it back.
    StageSpec large = MinimalStage();
    large.paletteItems.resize(5);
    WriteStage("data\\stg4\\large.stg4_000", large);
    ASSERT_EQ(LoadStage("data\\stg4\\large.stg4", 1, nullptr), 1);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[1].m_nItemKind, 0);
    EXPECT_EQ(CommonPalette.m_PaletteBlock[1].m_nItemIndex, 0);
}

TEST_F(LoadStageTest, CheckStageFileEndLooksOnlyAtTheLastWordFrom174)
{
    struct Case {
        int version;
        std::int32_t last;
        int expected;
    };
    const Case cases[] = {
        {720, testsupport::kStageEndCodeValue, 1}, {720, 5, 0}, {174, 5, 0}, {173, 5, 1}, {100, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " " << c.last);
        ClearRecordedMessageBoxes();
        folder.Write("end.stg4_000", ByteWriter().I32(c.version).I32(1).I32(2).I32(c.last).Data());
        EXPECT_EQ(CheckStageFileEnd("end.stg4_000"), c.expected);
        EXPECT_EQ(RecordedMessageBoxes().size(), c.expected == 1 ? 0u : 1u);
    }
    EXPECT_EQ(CheckStageFileEnd("missing.stg4_000"), 1);
}

}  // namespace
}  // namespace stagetest
