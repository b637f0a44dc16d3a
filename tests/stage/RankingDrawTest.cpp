// The layout of the ranking window's value column and of the result panel: which results the
// panel shows (the stage's switches, and the play kind's unless played directly), its width from
// the widest label and value, its height from the results shown.
#include <gtest/gtest.h>

#include "core/TextHelpers.h"
#include "definitions/cEdStage.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cScene.h"
#include "stage/StageShellFlags.h"
#include "stage/ranking/RankingDraw.h"
#include "stage/ranking/cRanking.h"

namespace {

TEST(RankingDrawTest, ValuesEndWhereTheFirstPlacesValueEnds)
{
    cRanking ranking;
    ranking.m_Tables[RANKING_SCORE].Insert("a", 12345);
    ranking.m_Tables[RANKING_SCORE].Insert("b", 7);
    EXPECT_EQ(RankingValueWidth(ranking.m_Tables[RANKING_SCORE], RANKING_SCORE), 5);
    EXPECT_EQ(RankingValueWidth(ranking.m_Tables[RANKING_CLEAR_TIME], RANKING_CLEAR_TIME), 8);
    EXPECT_EQ(RankingValueWidth(ranking.m_Tables[RANKING_HP_LEFT], RANKING_HP_LEFT), 1);  // empty: 0
    // A D-digit number starting at x + 144 ends at x + 144 + 16 D.
    const int cases[][3] = {{5, 12345, 184 + 144}, {5, 7, 184 + 144 + 16 * 4}, {1, 0, 184 + 144}};
    for (const auto& c : cases) {
        const int x = RankingValueX(184, c[0], c[1]);
        EXPECT_EQ(x, c[2]) << c[1];
        EXPECT_EQ(x + 16 * CountDigits(c[1]), 184 + 144 + 16 * c[0]);
    }
}

class ResultPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_texts = SystemData.TextTable;
        m_rows = SystemData.RankingRows;
        m_stage = Stage.m_Ranking;
        m_save = SaveData;
        SystemData.TextTable.clear();
        SystemData.TextTable.resize(28);
        const char* labels[] = {"SCORE", "TIME", "CLEAR", "HP", "SP LEFT"};
        for (int k = 0; k < 5; ++k) SystemData.TextTable[5 + k] = labels[k];
        SystemData.RankingRows.clear();
        SystemData.RankingRows.resize(4);
        SystemData.RankingRows[2].bEnabled = 1;
        SystemData.RankingRows[2].GenreFlags = cVector<std::uint8_t>{1, 0, 1, 1, 1};
        Stage.m_Ranking = cVector<std::int32_t>{1, 1, 0, 1, 0};
        SceneFlow().m_nPlayKind = 2;
        SaveData.nRunScore = 123456;
        SaveData.nRunValue1 = 1234567;
        SaveData.nRunValue3 = 12;
    }
    void TearDown() override
    {
        SystemData.TextTable = m_texts;
        SystemData.RankingRows = m_rows;
        Stage.m_Ranking = m_stage;
        SaveData = m_save;
        SceneFlow().m_nPlayKind = 0;
        StageShell.Reset();
    }
    cVector<std::string> m_texts;
    cVector<cRankingRow> m_rows;
    cVector<std::int32_t> m_stage;
    cSaveData m_save;
};

TEST_F(ResultPanelTest, ShownResultsDecideTheBox)
{
    // Free play: the stage's and the play kind's switches: score and HP.
    RESULTPANEL panel = ResultPanelLayout();
    EXPECT_EQ(panel.shown, (std::vector<int>{0, 3}));
    EXPECT_EQ(panel.nLabelChars, 5);            // "SCORE"
    EXPECT_EQ(panel.nWidth, (6 + 5 + 3) * 16);  // 123456 has 6 digits
    EXPECT_EQ(panel.nHeight, 2 * 16);

    // Played directly: the stage's switches alone, the remaining time among them.
    StageShell.bDirectPlay = 1;
    panel = ResultPanelLayout();
    EXPECT_EQ(panel.shown, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(panel.nWidth, (7 + 5 + 3) * 16);  // 1234567
    EXPECT_EQ(panel.nHeight, 3 * 16);

    // The clear time counts 8 characters; no result shown: nothing.
    Stage.m_Ranking = cVector<std::int32_t>{0, 0, 1, 0, 0};
    panel = ResultPanelLayout();
    EXPECT_EQ(panel.nWidth, (8 + 5 + 3) * 16);
    Stage.m_Ranking = cVector<std::int32_t>{0, 0, 0, 0, 0};
    EXPECT_TRUE(ResultPanelLayout().shown.empty());
}

}  // namespace
