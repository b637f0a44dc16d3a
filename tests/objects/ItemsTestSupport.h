// A running stage for the tests of the flow, stage, target, status, item and message commands:
// a field that also answers the commands' stage calls (the next stage, the frame counter, the
// close flag and the nested wait, which it records instead of running), a 40 x 30 tile camera at
// the stage's top-left corner, the hero and stage characters placed in their faction groups.
#pragma once

#include <functional>
#include <list>
#include <vector>

#include "definitions/cEdCommand.h"
#include "objects/IFlowStage.h"
#include "objects/IStageCommands.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"

// One nested wait a command asked for.
struct WAITCALL {
    int nMode = 0;
    int bWaitKey = 0;
    int nCount = 0;
    int bNoDelay = 0;
    bool bHandshake = false;
    std::size_t nTexts = 0;  // text objects in the list while it ran
};

class cItemsTestField : public cStageField, public IFlowStage, public IStageCommands {
public:
    cItemsTestField()
    {
        m_Services.flow = this;
        m_Services.commands = this;
    }
    int CheckBlockCond(MAPCELL&) override { return 1; }
    int FlowTimeLeft() const override { return nTime; }
    int FlowHasNoTimeLimit() const override { return 0; }
    void SetFlowTimeLeft(int nSeconds) override { nTime = nSeconds; }
    void SetNextStage(int nStage) override { nNextStage = nStage; }
    int PlayFrameCount() const override { return nFrame; }
    int IsQuitting() const override { return bQuit; }
    void RunCommandWait(int nMode, int bWaitKey, int nCount, int bNoDelay, bool bHandshake) override
    {
        waits.push_back(WAITCALL{nMode, bWaitKey, nCount, bNoDelay, bHandshake, m_TextList.size()});
        if (onWait) onWait();
    }

    void ViewRangeChanged() override { ++nViewMasks; }

    int nTime = 100;
    int nNextStage = -1;
    int nViewMasks = 0;  // view masks asked for
    int nFrame = 0;
    int bQuit = 0;
    std::vector<WAITCALL> waits;
    std::function<void()> onWait;  // runs inside a wait (the frames the wait loop would draw)
};

class cItemsTestStage {
public:
    cItemsTestStage();
    ~cItemsTestStage();
    cItemsTestStage(const cItemsTestStage&) = delete;
    cItemsTestStage& operator=(const cItemsTestStage&) = delete;

    // The hero at world (x, y) with a 32 x 32 box, object number 1, faction 0, in its group.
    cPlayer& Hero(double x, double y);
    // A computer-operated stage character at (x, y) with a 32 x 32 box, in its faction's group.
    cChara& AddChara(int nSource, int nFaction, double x, double y, int nCharaId = 0);
    // A command of the kind with nParams zero parameters (set before use).
    static cEdCommand Command(int nKind, int nParams, std::initializer_list<std::pair<int, int>> params = {});

    cItemsTestField field;
};
