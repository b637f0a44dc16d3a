// The running stage's services: a field that offers them hands them out, a field that lacks one
// is reported once in the report log and the callers go on without it, no stage is no report.
#include <gtest/gtest.h>

#include <string>

#include "core/CoreTestSupport.h"
#include "core/ReportLog.h"
#include "objects/IFlowStage.h"
#include "objects/IStageCommands.h"
#include "objects/ISummonStage.h"
#include "objects/cStageField.h"
#include "objects/commands/FlowConditions.h"

namespace {

class BareField : public cStageField {
public:
    int CheckBlockCond(MAPCELL&) override { return 1; }
};

class TimedField : public BareField, public IFlowStage {
public:
    TimedField() { m_Services.flow = this; }
    int FlowTimeLeft() const override { return 30; }
    int FlowHasNoTimeLimit() const override { return 0; }
    void SetFlowTimeLeft(int) override {}
};

// How often text occurs in the report log.
int Occurrences(const coretest::TempFolder& folder, const std::string& text)
{
    const std::string log = folder.Exists("Report_Game.txt") ? folder.Read("Report_Game.txt") : "";
    int count = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
}

class StageServicesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1); }
    void TearDown() override { lpStageField = nullptr; }
    coretest::TempFolder folder;
};

TEST_F(StageServicesTest, AMissingServiceIsReportedOncePerFieldAndSurvived)
{
    BareField field;
    lpStageField = &field;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(StageFlowService(), nullptr);
        EXPECT_EQ(StageSummonService(), nullptr);
        EXPECT_EQ(StageCommandService(), nullptr);
        EXPECT_EQ(StageHasNoTimeLimit(), 1) << "without the flow service the stage has no limit";
    }
    for (const char* szName : {"no flow service", "no summon service", "no stage command service"}) {
        EXPECT_EQ(Occurrences(folder, szName), 1) << szName;
    }

    BareField next;  // a new field reports again
    lpStageField = &next;
    EXPECT_EQ(StageFlowService(), nullptr);
    EXPECT_EQ(Occurrences(folder, "no flow service"), 2);
}

TEST_F(StageServicesTest, OfferedServicesAndNoStageAreNotReported)
{
    EXPECT_EQ(StageFlowService(), nullptr);
    EXPECT_EQ(StageHasNoTimeLimit(), 1);

    TimedField field;
    lpStageField = &field;
    EXPECT_EQ(StageFlowService(), static_cast<IFlowStage*>(&field));
    EXPECT_EQ(StageHasNoTimeLimit(), 0);
    EXPECT_EQ(Occurrences(folder, "offers no"), 0);
}

}  // namespace
